// Placing the two compound items of the train description file on the track:
// a signal with its four approach marks, and a slowdown with its start, end,
// warning and approach marks. Both test every cell they need before they
// write, so a refused item leaves the track as it was (except code 20, whose
// marks are tested only once the slowdown itself stands).
#pragma once

#include <cstdint>

#include "builder/codici.h"
#include "modello/modello.h"

namespace od {

// The eleven values of a signal record, in the order of the file.
struct dati_segnale {
  int32_t posizione = 0;  // metres from the start of the line
  int32_t sx = 0;         // signal code of the left side, 1 or 2
  int32_t s1 = 0;
  int32_t s2 = 0;
  int32_t s3 = 0;
  int32_t rapp = 0;
  int32_t dx = 0;  // signal code of the right side, 0 for none
  int32_t d1 = 0;
  int32_t d2 = 0;
  int32_t d3 = 0;
  int32_t tempo = 0;  // held time, seconds; only with sx 2
};

// The six values of a slowdown record, in the order of the file.
struct dati_rallentamento {
  int32_t x = 0;     // start, metres
  int32_t v = 0;     // speed over the slowdown, km/h
  int32_t l = 0;     // length, metres
  int32_t f_tt = 0;  // 1: the speed holds for the whole train
  int32_t f_ta = 0;  // not 0: four approach marks before the warning
  int32_t d_v = 0;   // a further value, stored when not 0
};

// Both return codici::nessuno when the item stands, otherwise the code that refuses it. A code 15 means the item would
// reach outside the track.

// Codes 15 (the signal's cell or an approach mark outside the track) and 16
// (the signal's cell is taken).
// A `tempo` from 1 to 100 is raised to 101 in the caller's record too.
codici memo_segnale(scenario& stato, dati_segnale& segnale);

// Codes 19 for an end that does not lie after the start cell, 15 for a cell
// outside the track (in practice the end past the last cell), 17, 18, 19 for
// a warning, start or end cell that is taken, and 20 for a taken
// approach-mark cell.
codici memo_rallentamento(scenario& stato, const dati_rallentamento& rallentamento);

}  // namespace od
