// The checks that a decoded scenario must pass beyond its byte structure:
// the names in the table, the two fixed marks, the two competition codes
// recomputed from the names, the item codes of the cells, and the sizes that
// the line length fixes for the cells and the plan.
#pragma once

#include "rilettura/scenario_letto.h"

namespace od {

// Appends a damage for every check that fails, then orders all of them by
// file and byte. Checks that need a file that could not be decoded are skipped.
void controlla_scenario(scenario_letto& s);

}  // namespace od
