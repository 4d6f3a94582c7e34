// The permitted speed of every 50 m cell of the built track: the line speed
// limit, lowered by every slowdown over its cells (and, when the slowdown asks
// for the whole train, until the rear has left it) and by the train's own top
// speed.
#pragma once

#include <vector>

#include "modello/misure_linea.h"
#include "modello/modello.h"
#include "percorrenza/treno.h"

namespace od {

// A cell whose limit reads 0 is taken at the lowest step, so that a run over
// it still has a finite time.
inline constexpr double velocita_minima_kmh = 5;

// Metres per second for every cell 0 .. ultima_cella.
std::vector<double> velocita_ammesse(const scenario& stato, const treno_percorrenza& treno);

// The gradient of cell c in per mille, positive uphill.
inline int pendenza_cella(const cella& c) { return int{c.pendenza} - 100; }

}  // namespace od
