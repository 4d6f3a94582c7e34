// The fastest run of the train between two points of the track, stopping at
// given cell boundaries: the lower envelope of the permitted speed, of the
// acceleration curves forward from every point where the train must be slow
// and of the braking curves backward from every point where it must be
// slower. Speeds are worked out at the cell boundaries in one pass each way;
// within a cell the rates are constant, so the train accelerates, holds the
// permitted speed or brakes exactly, and the time over a cell has a closed
// form. Time and memory are linear in the number of cells.
#pragma once

#include <cstdint>
#include <vector>

#include "modello/modello.h"
#include "percorrenza/treno.h"

namespace od {

struct marcia {
  int32_t primo = 0;   // boundary where the run starts (the front at 50 × primo m), standing
  int32_t ultimo = 0;  // boundary where it ends, standing
  // Per cell of the track: permitted speed (m/s) and the rates there (m/s²).
  std::vector<double> ammessa, accelerazione, frenatura;
  // Per boundary primo .. ultimo (index k - primo): speed (m/s) and running
  // time from the start (s), stops not counted.
  std::vector<double> velocita, tempo;
};

// `fermate`: boundaries strictly between `primo` and `ultimo` where the train
// stops, in increasing order. Needs 0 <= primo < ultimo < number of cells.
marcia marcia_piu_veloce(const scenario& stato, const treno_percorrenza& treno, int32_t primo, int32_t ultimo,
                         const std::vector<int32_t>& fermate);

// The run itself over `m`'s permitted speeds and rates, which hold every
// cell of the track, from m.primo to m.ultimo: fills velocita and tempo.
void corri(marcia& m, const std::vector<int32_t>& fermate);

// Running time from the start until the front reaches `metri`, which lies
// between the start and the end of the run.
double tempo_a(const marcia& m, double metri);

// Time over the first `x` metres of a cell of length `d` with permitted speed
// `v`, entered at `v0` and left at `v1`, accelerating at `a` and braking at `b`.
double tempo_in_cella(double v0, double v1, double v, double a, double b, double d, double x);

}  // namespace od
