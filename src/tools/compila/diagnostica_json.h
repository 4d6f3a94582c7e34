// compila_scenario --json: a reading code and the warnings as members of the
// outcome, the same facts that costruzione/diagnostica.h tells compiler-style:
//   code:    {"codice", "significato", "posizione" (codes with one),
//             "luogo", "motivo" (when there is one)}
//   warning: {"nome", "messaggio", "luogo"}
//   luogo:   {"file", "linea", "colonna", "testo"}, or null without a file
// Texts stay as read; json_utf8 turns them into UTF-8 once, for the whole
// outcome.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "builder/avvisi.h"
#include "modello/modello.h"

namespace od {

nlohmann::ordered_json json_luogo(const luogo_errore& l, const std::string& cartella);

nlohmann::ordered_json json_avviso(const avviso& a, const std::string& cartella);

nlohmann::ordered_json json_codice(int32_t codice, int64_t posizione, const luogo_errore& luogo,
                                   const std::string& cartella);

}  // namespace od
