// The warnings of meaning that a record shows by itself: values that the
// format takes and stores as written, but that make no sense as a railway
// (an item past the end of the line, a side code the format does not know,
// a run that ends before it starts, letters that an 8-bit file cannot
// hold). Each is given from the values the reader has just taken, before the
// record is applied, and changes nothing of it. The checks that need the
// whole model (slowdowns against the line's speeds, the clock against the
// timetable) are in costruzione/avvisi_modello.h.
#pragma once

#include <cstdint>
#include <string_view>

#include "builder/lettura.h"

namespace od {

// An item at `posizione` (field `campo`) beyond the line's length, whose end
// is `fine` (the same for a point item); `cosa` names it ("la stazione").
void avvisa_oltre_linea(contesto_lettura& contesto, int64_t posizione, int64_t fine, std::string_view cosa,
                        int32_t campo);

// A signal's side codes: sx 1 or 2, dx 0, 1 or 2.
void avvisa_lati_segnale(contesto_lettura& contesto, int64_t sx, int64_t dx);

// A mountain run whose end comes before its start.
void avvisa_montagna(contesto_lettura& contesto, int64_t inizio, int64_t fine);

// A text (field `campo`) holding UTF-8 sequences, which the 8-bit files and
// documents take byte by byte: one letter becomes two or more.
void avvisa_utf8(contesto_lettura& contesto, std::string_view testo, int32_t campo);

// The UTF-8 sequences of two or more bytes in `testo`, counted; stray bytes
// above 127 (a real 8-bit letter) are not.
int32_t sequenze_utf8(std::string_view testo);

}  // namespace od
