// The time-distance graph of a scenario's timetable, as timetable planners
// draw it: time across, distance down, the stations at their positions with
// their names and posted kilometres, a grid every 10 minutes and at every
// station; the scheduled times (a stop as a flat step), the fastest run and
// the standard run as lines, the slowdowns as bands, and every section whose
// time cannot be kept or is tight marked. One landscape A4 page.
#pragma once

#include <string>

#include "elementi/elementi.h"
#include "modello/modello.h"
#include "percorrenza/orario.h"

namespace od {

// `veloce`: the table against the fastest run; `tipo`: the same against the
// standard run (calcola_orario with an allowance). When `veloce` has no
// table, the page says why.
std::string disegna_grafico(const scenario& stato, const elementi_linea& e, const tabella_orario& veloce,
                            const tabella_orario& tipo, double abbuono);

}  // namespace od
