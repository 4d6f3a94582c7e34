// The walk over the finished track that adds reduction markers around
// signals and slowdowns.
#pragma once

#include <cstdint>

#include "modello/modello.h"

namespace od {

// Walks cells 1 .. ultima_cella - 2 once. Codes 11, 12 and 13 are recorded in
// codice_errore/posizione_errore (the last one stays) and each is also
// appended to stato.avvisi; the walk never stops on them.
void cammina_binario(stato_scenario& stato);

}  // namespace od
