// The two competition codes: checksums of the scenario's names that tie the
// binary files to them. Only the first 25 characters of the lower-cased
// train name, route name and a fixed padding count.
#pragma once

#include <cstdint>

#include "modello/modello.h"

namespace od {

// Plain sum of the 25 character codes; at most 6375.
int16_t codice_gara_og(const scenario& stato);
// Sum weighted by position 1 to 25; at most 82875, beyond 16 bits.
int32_t codice_gara_st(const scenario& stato);

}  // namespace od
