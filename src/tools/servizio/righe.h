// A description file's text as the editor's features see it: lines, and on
// each line the fields between commas, with the column where each begins.
// The build's field stream is the authority on what a file means; this is
// only the look of one line, for pointing into it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "scenario_text/schema.h"

namespace od {

struct campo_testo {
  std::string_view testo;  // without the blanks before and after it
  std::size_t colonna;     // where it begins, from 0 (after the blanks)
  std::size_t fine;        // just past its last character
};

// The lines, without their ends (CR LF or LF).
std::vector<std::string_view> righe_del_testo(std::string_view testo);

std::vector<campo_testo> campi_della_riga(std::string_view riga);

// Both brackets and no "-" at its start: a section header.
bool riga_intestazione(std::string_view campo);
// A "-" anywhere: a comment in key position.
inline bool campo_commento(std::string_view campo) { return campo.find('-') != std::string_view::npos; }

// Which part of the file line `n` (from 0) stands in: the line file's
// general section runs from "[generale]" to the next header.
parte_file parte_della_riga(const std::vector<std::string_view>& righe, std::size_t n, bool file_linea);

}  // namespace od
