// Two plans row by row, for the tools that say where they part: both are
// walked once, in step, through their cursors (a plan built from curves
// replays its runs, so asking it for rows one at a time would start again
// from the first row each time).
#pragma once

#include <cstdint>
#include <functional>

#include "modello/planimetria.h"

namespace od {

// One row of a plan: its kind and, when computed, its point.
struct riga_piano {
  planimetria::tipo_riga tipo = planimetria::tipo_riga::vuota;
  planimetria::punto punto;
};

// Calls `diversa(riga, a, b)` for every row, among those both plans have,
// whose kind or coordinates differ.
void confronta_planimetrie(const planimetria& primo, const planimetria& secondo,
                           const std::function<void(int32_t riga, const riga_piano& a, const riga_piano& b)>& diversa);

}  // namespace od
