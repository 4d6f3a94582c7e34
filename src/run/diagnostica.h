// Codes and warnings told the way compilers do, so that an editor can jump
// to the line:
//   FILE:LINE: errore N: meaning (posizione P m, cella C)
//   <the record's line>
//   <a caret under the field at fault>
#pragma once

#include <cstdint>
#include <string>

#include "builder/modello.h"

namespace od {

// A reading code (with its position, where one goes with it). `cartella` is
// put before the file name; `programma` stands in for a missing file name.
std::string diagnostica_codice(const stato_scenario& stato, int32_t codice, int32_t posizione,
                               const std::string& cartella, const std::string& programma);

// A code of the walk, pointing at the record that placed the signal or the
// slowdown concerned.
std::string diagnostica_avviso(const stato_scenario& stato, const avviso_percorso& avviso,
                               const std::string& cartella, const std::string& programma);

// The text between double quotes in a JSON document.
std::string testo_json(const std::string& testo);

}  // namespace od
