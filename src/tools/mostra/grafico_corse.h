// The lines of the time-distance graph: the scheduled times, the fastest and
// the standard run (each waiting at a stop until its scheduled departure),
// and the sections whose time cannot be kept or is tight.
#pragma once

#include "modello/modello.h"
#include "percorrenza/orario.h"
#include "tools/mostra/svg_disegno.h"

namespace od {

// Seconds since midnight across, metres along the line down.
struct scala_grafico {
  double x0 = 0, x1 = 1, y0 = 0, y1 = 1;
  double t0 = 0, t1 = 1, m0 = 0, m1 = 1;
  double x(double t) const { return x0 + (t - t0) / (t1 - t0) * (x1 - x0); }
  double y(double m) const { return y0 + (m - m0) / (m1 - m0) * (y1 - y0); }
};

void disegna_corse(disegno& d, const scala_grafico& s, const scenario& stato, const tabella_orario& veloce,
                   const tabella_orario& tipo);

}  // namespace od
