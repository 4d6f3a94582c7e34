// The stations of a built scenario, in the order of the train file. The item
// table gives them entries 1, 2, ... and gives the line-side signs entries
// 80, 79, ... from the top, so the stations run from entry 1 up to the first
// entry that holds nothing, holds a text and nothing else (a sign's), or is
// named by a sign on the track. Works alike on a model built from the
// description files and on one read back from binary files.
#pragma once

#include <vector>

#include "modello/modello.h"

namespace od {

// Stations of a type from this code up have no stopping point on the track.
inline constexpr int32_t tipo_senza_fermata = 25;
// Stations of these types reach from their length before the position to a
// fixed distance (5, 6) or to the same length (7, 8) after it.
constexpr bool tipo_capolinea(int32_t tipo) { return tipo == 5 || tipo == 6; }
constexpr bool tipo_simmetrico(int32_t tipo) { return tipo == 7 || tipo == 8; }

// An entry that holds a text and nothing else: a sign's, never a station's.
bool solo_testo(const voce& v);

// Entries of the item table, in increasing order.
std::vector<int> stazioni_del_percorso(const scenario& stato);

}  // namespace od
