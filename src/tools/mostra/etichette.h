// Placing labels so that none covers another: in rows under a common axis,
// and around the points of the plan. Widths are estimated from the number of
// characters, generously, since the renderer's font is not known here.
#pragma once

#include <string_view>
#include <vector>

namespace od {

// Estimated width in pixels of a text set in a sans-serif font of `corpo` pixels.
double larghezza_testo(std::string_view testo, double corpo);

struct estensione {
  double sinistra = 0;
  double destra = 0;
};

// Greedy rows: each label, taken from left to right, goes to the first row
// whose last label ends at least `spazio` before it starts, or to a new row.
// Returns the row of each label in input order; rows never overlap inside.
std::vector<int> disponi_in_righe(const std::vector<estensione>& etichette, double spazio);

// Labels in one column, each wanted at `volute` (in increasing order), `passo`
// apart at least: each moved as little as the order allows, none above
// `minimo` unless they cannot all fit, none below `massimo` when they can.
std::vector<double> distribuisci(const std::vector<double>& volute, double passo, double minimo, double massimo);

struct riquadro {
  double x = 0, y = 0, larghezza = 0, altezza = 0;
  bool tocca(const riquadro& altro) const;
};

// A box of the given size beside the point (x, y) that touches none of
// `occupati`: tried on eight sides at growing distances; the nearest place
// if every one is taken.
riquadro posto_libero(double x, double y, double larghezza, double altezza, const std::vector<riquadro>& occupati);

}  // namespace od
