// The running-time options that every authors' tool takes with the same
// names and defaults: the train assumed by the calculation and the smallest
// margin a section may have without a warning.
#pragma once

#include <CLI/CLI.hpp>

#include "percorrenza/treno.h"

namespace od {

// --accelerazione, --frenatura, --velocita-massima, --lunghezza-vettura,
// --margine-minimo, in the group "Orario".
void aggiungi_opzioni_orario(CLI::App& app, opzioni_orario& o);

}  // namespace od
