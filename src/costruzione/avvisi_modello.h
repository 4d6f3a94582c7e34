// The warnings of meaning that only the built model shows: slowdowns read
// against the line's speed limits and the train's braking, slowdowns read
// against each other, and the clock against the first departure. Each is
// derived from the cells and the item table as the build left them, points
// at the record that placed the item (the session's origins), and changes
// nothing of the model.
#pragma once

#include <vector>

#include "builder/avvisi.h"
#include "builder/sessione.h"
#include "modello/modello.h"
#include "percorrenza/treno.h"

namespace od {

// A slowdown shorter than this, m, that is also above the line's limit, is
// taken for one whose speed and length were swapped: no train is slowed by
// a stretch shorter than itself (eight cars are 211 m), and a length written
// where the speed goes is a number of a few tens.
inline constexpr int32_t rallentamento_corto = 200;

// The warnings of the whole model, in the order of the line; `treno` gives
// the braking rate and the top speed of the braking check.
std::vector<avviso> avvisi_del_modello(const scenario& stato, const sessione_costruzione& sessione,
                                       const treno_percorrenza& treno);

}  // namespace od
