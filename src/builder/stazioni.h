// The stations of a built scenario, in the order of the train file: the item
// table gives them entries 1, 2, ... and gives the line-side signs entries
// 80, 79, ... from the top, so a station is an entry of 1 to 80 that holds
// something and that no sign on the track names. Works alike on a model
// built from the description files and on one read back from binary files.
#pragma once

#include <vector>

#include "builder/modello.h"

namespace od {

// Entries of the item table, in increasing order.
std::vector<int> stazioni_del_percorso(const stato_scenario& stato);

}  // namespace od
