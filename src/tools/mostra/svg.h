// A picture of the line as one SVG document: the plan of the line from the
// plan geometry (when there is one) and, beneath it on a common axis of
// position in kilometres, the height profile integrated from the gradients,
// the speed limit, the adhesion, the mountain-side runs, and lanes of labelled
// markers for stations, signals, slowdowns, boards, signs and reductions.
#pragma once

#include <string>

#include "elementi/elementi.h"
#include "percorrenza/orario.h"
#include "rilettura/lettura_binari.h"

namespace od {

// Needs the item table and the track cells decoded; the plan is optional.
// The speed panel shows `orario`'s fastest run; without it, the one of the
// default train.
std::string disegna_svg(const scenario_letto& s, const elementi_linea& e);
std::string disegna_svg(const scenario_letto& s, const elementi_linea& e, const tabella_orario& orario);

}  // namespace od
