// A reduction point: a value above 0 marks a reduction and its cell keeps
// the value's low 16 bits; 0 or less marks the end of a reduction, with no
// value kept.
#pragma once

#include <cstdint>

#include "modello/modello.h"

namespace od {

inline void impacca_abbattimento(cella& posto, int32_t valore) {
  if (valore > 0) {
    posto.oggetto = oggetto::abbattimento;
    posto.valore1 = static_cast<int16_t>(valore);
  } else {
    posto.oggetto = oggetto::fine_abbattimento;
  }
}

// The value a record would give to put `k` down again: 0 for an end, the
// stored value for a reduction, a wrapped one (stored negative or 0) read
// back above 0 as the record must have been.
inline int64_t valore_abbattimento(const cella& k) {
  if (k.oggetto == oggetto::fine_abbattimento) return 0;
  return k.valore1 > 0 ? k.valore1 : k.valore1 + 65536;
}

}  // namespace od
