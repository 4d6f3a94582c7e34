// decompila_scenario: the two description files of a scenario back from its
// binary files, proved by building them again in memory.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace od {

// Exit statuses of decompila_scenario.
enum stato_decompila : int {
  decompila_identico = 0,    // the texts rebuild the binary files byte for byte
  decompila_differenze = 1,  // the files hold what no text gives: the nearest text is written, the differences listed
  decompila_uso = 2,         // bad usage, a missing file, files that are not a scenario, or an output not written
};

// Runs the tool on `argomenti` (without the program name); returns the exit status.
int decompila_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica);

}  // namespace od
