// The starting scenario for authors: the built-in scenario's two description
// files, exactly as the generation run writes them, put where the author
// wants to edit them.
#pragma once

#include <ostream>
#include <string>

namespace od {

// Writes the line and train description files of the built-in scenario into
// `cartella`, creating it when missing, and prints what it wrote and the
// command that builds them. An existing file is replaced only when
// `sovrascrivi`; otherwise nothing is touched. Returns the exit status
// (0, or 2 with one line on `diagnostica`).
int scrivi_esempio(const std::string& cartella, bool sovrascrivi, std::ostream& uscita, std::ostream& diagnostica);

}  // namespace od
