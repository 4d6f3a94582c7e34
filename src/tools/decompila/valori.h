// Small arithmetic shared by the describers: packed values taken apart with
// floor division, so that a negative value still splits into parts that pack
// back to it, and the cells of the running values.
#pragma once

#include <cstdint>

#include "modello/misure_linea.h"
#include "modello/modello.h"

namespace od {

constexpr int64_t quoziente_basso(int64_t v, int64_t d) { return v >= 0 ? v / d : -((d - 1 - v) / d); }
constexpr int64_t resto_basso(int64_t v, int64_t d) { return v - d * quoziente_basso(v, d); }

// The last cell that the readers fill with running values.
inline int32_t ultima_riempita(const scenario& s) { return s.ultima_cella() - 3; }

// Cell 1 carries the two run-wide marks in valore1 and valore2, stamped after
// the walk over whatever item stands there: the item's own values there were 0.
inline cella cella_senza_segni(const scenario& s, int32_t c) {
  cella k = s.binario[static_cast<std::size_t>(c)];
  if (c == 1) k.valore1 = k.valore2 = 0;
  return k;
}

}  // namespace od
