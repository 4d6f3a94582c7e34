// The walk over the finished track that adds reduction markers around
// signals and slowdowns.
#pragma once

#include <cstdint>

#include "builder/sessione.h"
#include "modello/modello.h"

namespace od {

// Walks cells 1 .. ultima_cella - 2 once. Codes 11, 12 and 13 are recorded in
// sessione.codice (the last one stays) and each is also appended to
// sessione.avvisi as a warning; the walk never stops on them.
void cammina_binario(scenario& stato, sessione_costruzione& sessione);

}  // namespace od
