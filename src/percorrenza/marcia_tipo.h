// The standard run: the fastest run slowed down evenly by a regularity
// allowance, the time a timetable plans for so that the driver can make up a
// small delay. Between two stops the permitted speed of every cell is scaled
// by one factor, the same over the whole section, found by bisection so that
// the section takes its fastest time plus the allowance (a linear allowance:
// the same share of every section's time). The train still accelerates and
// brakes at its own rates, never exceeds a limit, and stops where the
// fastest run stops.
#pragma once

#include "percorrenza/marcia.h"

namespace od {

// A regularity allowance of 5 % of the running time: regional timetables
// allow between 3 and 7 %, and 5 % stays clear of the default smallest
// margin (3 %) even after the rounding to half minutes.
inline constexpr double abbuono_predefinito = 5;

// `veloce`: a fastest run (marcia_piu_veloce); its stops are the boundaries
// where it stands. `percento`: the allowance, 0 or more. Each section's time
// is its fastest time times (1 + percento / 100), within a hundredth of a
// second, unless even a hundredth of the permitted speed cannot take that
// long.
marcia marcia_tipo(const marcia& veloce, double percento);

}  // namespace od
