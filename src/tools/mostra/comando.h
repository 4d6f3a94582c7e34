// mostra_scenario: reads a scenario's binary files back, checks them, and
// shows them as a summary, as cells, as JSON, as a picture, or against the
// same scenario in another folder.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace od {

// Exit statuses of mostra_scenario.
enum stato_mostra : int {
  mostra_ok = 0,          // read and checked; nothing damaged (with --confronta: no difference)
  mostra_danni = 1,       // a file is damaged: one line per fault on standard error
  mostra_uso = 2,         // bad usage, a missing or unreadable file, or an output that cannot be written
  mostra_differenze = 3,  // --confronta: the two scenarios differ
};

// Runs the tool on `argomenti` (without the program name); returns the exit status.
int mostra_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica);

}  // namespace od
