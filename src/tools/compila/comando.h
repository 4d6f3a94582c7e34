// The command line of compila_scenario: builds a scenario's binary files from
// its two description files, or writes the starting scenario (--esempio).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace od {

// Runs compila_scenario on `argomenti` (without the program name). Help,
// version and the closing line go to `uscita`, diagnostics to `diagnostica`.
// Returns the exit status.
int compila_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica);

}  // namespace od
