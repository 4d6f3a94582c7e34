// Placements of the line half: general values, mountain runs, boards, signs
// and the plan geometry rows.
#pragma once

#include <cstdint>
#include <string>

#include "builder/sessione.h"
#include "modello/modello.h"

namespace od {

// Orders the three progressive changes of entries 81..83 (read as "tre",
// "due", "uno") by position, largest first, and adds 100 to the progressive
// of each change whose direction flag is 1.
void progressive_ordina(scenario& stato);

// Stores the run and covers its cells; a run that starts at most 150 m after
// the previous run's end (in `montagne`) becomes type 3. A `tipo` above 10 asks for a marker
// in every fourth empty cell and is lowered by 10 (the caller sees it).
// The caller has checked the cells and the run count.
void memo_montagna(scenario& stato, montagne_lette& montagne, int32_t& inizio, int32_t& fine, int32_t& tipo);

// Curvature in radians per metre for the first digit 1..6 in a curve key, 0
// when there is none.
double curvatura_chiave(const std::string& chiave);

// Appends straight rows up to and including `fino`, then bent rows with
// curvature k up to and including `fino_curva`.
void prolunga_planimetria(planimetria& p, int32_t fino, int32_t fino_curva, double k);

}  // namespace od
