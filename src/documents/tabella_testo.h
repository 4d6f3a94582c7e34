// Cells of the framed plain-text tables on the driver's forms. Every cell is
// padded to its column's width here, in one place, so that a row can only
// come out at the width of its frame; a text too wide for its cell is a fault
// in the carried forms and is refused rather than pushing the frame apart.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace od {

// The text, then blanks up to `larghezza`. Throws std::length_error when the
// text is wider than the cell.
std::string riempi(std::string_view testo, std::size_t larghezza);

// Blanks, then the text ending at `larghezza`: figures aligned on the right.
std::string allinea_destra(std::string_view testo, std::size_t larghezza);

// `rientro` blanks, the text, then blanks up to `larghezza`: the text of a
// column starting at a fixed place inside its cell.
std::string rientra(std::size_t rientro, std::string_view testo, std::size_t larghezza);

// One line of a table: " |", each text padded to its column's width and
// closed by "|". Throws std::invalid_argument when the counts differ.
std::string riga_tabella(std::span<const std::size_t> larghezze, std::initializer_list<std::string_view> testi);

// A line of the table whose cells are all made of `segno`: '_' for the rules
// under the headings, '-' for dashed separators, ' ' for empty rows.
std::string riga_piena(std::span<const std::size_t> larghezze, char segno);

// The characters between the two outer bars of a table line.
std::size_t larghezza_interna(std::span<const std::size_t> larghezze);

}  // namespace od
