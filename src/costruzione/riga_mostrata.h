// The part of a record's line that a message shows. A line of ordinary
// length is shown whole; a very long one (a file of commas, a pasted blob)
// only around the field at fault, so that one warning neither floods the
// terminal nor holds copies of a line as long as the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "builder/avvisi.h"

namespace od {

// Lines up to this many bytes are shown whole.
inline constexpr std::size_t riga_mostrata_intera = 1000;
// Around the field of a longer line: this many bytes before and after it.
inline constexpr std::size_t riga_mostrata_margine = 80;

struct riga_mostrata {
  std::string testo;    // the line or its window, "..." where it was cut
  int32_t colonna = 0;  // the field's 1-based column in `testo` (0: none)
};

// The line of `luogo` as shown, with the caret's column moved with the cut.
riga_mostrata mostra_riga(const luogo_errore& luogo);

}  // namespace od
