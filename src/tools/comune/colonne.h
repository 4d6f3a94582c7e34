// How a description file lays out its records, in one place for the tools
// that write one (decompila_scenario) or put one in order (the language
// server's formatting): the general section as "key,    value", the body in
// columns aligned section by section, a closing text field never padded.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace od {

// "key,    value,    value".
std::string riga_generale(const std::string& chiave, const std::vector<std::string>& campi);

// Widths of the value columns over `righe` (the values of each row).
std::vector<std::size_t> larghezze_colonne(const std::vector<std::vector<std::string>>& righe);

// "key," then each value right-aligned in its column, two blanks before the
// widest; a last field that is a text follows three blanks.
std::string riga_allineata(const std::string& chiave, const std::vector<std::string>& campi,
                           const std::vector<std::size_t>& larghezze, bool ultimo_testo);

}  // namespace od
