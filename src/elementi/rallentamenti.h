// A slowdown on the track: its start, end and warning cells carry its speed
// (valore1), its d_v (valore2) and, start and end, whether the speed holds
// for the whole train (valore3); the warning stands celle_avviso cells before
// the start, and the four approach marks 1..4 below the warning. Nothing in
// the cells ties an end to its start: the build puts each slowdown down after
// the one before, so a start's end is the first end cell after it that no
// earlier start has taken. Every consumer pairs them here.
#pragma once

#include <cstdint>
#include <vector>

#include "modello/modello.h"

namespace od {

struct coppia_rallentamento {
  int32_t inizio = 0;
  int32_t fine = -1;  // -1: no end cell on the track
};

// Every start cell along the line with its end, in one sweep.
std::vector<coppia_rallentamento> coppie_rallentamenti(const scenario& s);

// The values a slowdown's start, end or warning cell keeps.
struct valori_rallentamento {
  int velocita = 0, d_v = 0, treno_intero = 0;
};
inline valori_rallentamento valori_di(const cella& k) { return {k.valore1, k.valore2, k.valore3}; }

}  // namespace od
