// The scenario compiler for authors: builds the simulator's binary files from
// a pair of description files that they edit by hand, with the same reader
// and the same build as the generation run, and never touches the text files.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace od {

// Exit statuses of compila_scenario.
enum stato_compila : int {
  compila_ok = 0,       // built; walk warnings may have been printed
  compila_codice = 1,   // the reading recorded a code
  compila_uso = 2,      // bad usage, or a file that could not be written
  compila_finale = 3,   // final check 1250 or 1251: nothing written
};

// Runs the compiler on `argomenti` (without the program name). Diagnostics go
// to `diagnostica`; the help text and the closing line with the error code
// and position go to `uscita`. Returns the exit status.
int compila_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica);

}  // namespace od
