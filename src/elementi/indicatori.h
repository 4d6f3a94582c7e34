// A speed indicator board: a left-hand speed in steps of 20 and a right-hand
// one in fifths share one 16-bit value (v = destra / 5 + 20 sinistra, each
// speed rounded to 5 km/h), and the stripes of the two sides share valore4
// as tens and units.
#pragma once

#include <array>
#include <cstdint>

#include "modello/modello.h"

namespace od {

// The packed values, wider than the cell so that the reader can refuse one
// that does not fit.
struct valori_indicatore {
  int64_t valore1, valore2, valore3, valore4;
};
valori_indicatore impacca_indicatore(int32_t vas, int32_t vbs, int32_t vcs, int32_t strisces, int32_t vad, int32_t vbd,
                                     int32_t vcd, int32_t strisced);

// The board of a cell taken apart with floor division, so that a damaged
// value still gives parts that pack back to it: sinistra is the stored
// quotient by 20, destra the remainder times 5 (km/h).
struct indicatore_spacchettato {
  std::array<int, 3> sinistra{}, destra{};
  int strisce_sinistra = 0, strisce_destra = 0;
};
indicatore_spacchettato spacca_indicatore(const cella& k);

}  // namespace od
