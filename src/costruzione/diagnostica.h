// Codes and warnings told the way compilers do, so that an editor can jump
// to the line:
//   FILE:LINE: errore N: meaning (posizione P m, cella C)
//   FILE:LINE:COLUMN: avviso: what and why [name]
//   <the record's line>
//   <a caret under the field at fault>
// (compila_scenario --json gives the same facts as JSON, with its tool.)
#pragma once

#include <cstdint>
#include <string>

#include "builder/avvisi.h"
#include "builder/sessione.h"

namespace od {

// A reading code (with its position, where one goes with it). `cartella` is
// put before the file name; `programma` stands in for a missing file name.
// `luogo` is where the reading recorded it (sessione_costruzione::codice).
std::string diagnostica_codice(const luogo_errore& luogo, int32_t codice, int64_t posizione,
                               const std::string& cartella, const std::string& programma);

// 1250 or 1251 of the final checks: the record that put an item into cell
// 1, when one did, and what to change.
std::string diagnostica_finale(const sessione_costruzione& sessione, int32_t codice, const std::string& cartella,
                               const std::string& programma);

// One warning, compiler-style.
std::string testo_avviso(const avviso& a, const std::string& cartella, const std::string& programma);

}  // namespace od
