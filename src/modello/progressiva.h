// The kilometric progressive that the line posts at a position, read from the
// three progressive changes of entries 81 to 83 of the item table, as the
// build leaves them (ordered by position, largest first; a decreasing change
// stores its progressive plus 100).
//
// A change at x with progressive y holds past x: increasing (flag 0) the
// posted progressive is p + y, decreasing (flag 1) it is y - p (with y as
// written in the line file). Before the first change it is p itself. A point
// standing exactly at a change still shows the old progressive; a change at
// position 0 holds from the start of the line.
#pragma once

#include <cstdint>

#include "modello/modello.h"

namespace od {

struct progressiva_posta {
  int64_t metri = 0;      // the progressive posted at the position, metres (wide: any stored values)
  bool crescente = true;  // whether it grows in the direction of travel
  int32_t voce = 0;       // entry 81..83 of the change in force, 0 when none
};

progressiva_posta progressiva_di(const scenario& stato, int32_t posizione);

// The last whole kilometre post passed before `posizione` in the direction of
// travel: 32 at progressive 32.650 when it grows, 6 at 5.950 when it
// decreases. A post that the change in force would put before its own change
// does not stand on the line; the last post is then the one passed before
// that change.
int64_t cippo_precedente(const scenario& stato, int32_t posizione);

}  // namespace od
