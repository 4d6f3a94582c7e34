// The build of a pair in memory, on the editor's text, and what it found as
// the protocol's diagnostics: every reading code, final check and warning
// that compila_scenario shows, at the same line and column, with the
// warning's name (or the code's number) as the diagnostic's code.
#pragma once

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "builder/sessione.h"
#include "costruzione/memorizza_percorso.h"
#include "modello/modello.h"
#include "tools/servizio/coppia.h"
#include "tools/servizio/documenti.h"

namespace od {

struct costruzione_coppia {
  coppia_scenario coppia;
  scenario stato;
  sessione_costruzione sessione;
  risultato_build risultato;
};

// Builds the pair with the editor's text for its open files and the disk's
// for the others, as compila_scenario would with its defaults, writing
// nothing.
std::unique_ptr<costruzione_coppia> costruisci_coppia(const coppia_scenario& coppia, const documenti_aperti& aperti);

// The diagnostics of a build, by the path of the file they stand in (both
// files of the pair always have an entry, empty when clean). What has no
// place in either file goes on the first line of the line file.
std::map<std::string, nlohmann::json> diagnostiche(const costruzione_coppia& c);

// A range of the protocol over line `linea` (1-based) of `testo_linea`, from
// column `colonna` (1-based, 0: the whole line) to the end of its field.
nlohmann::json intervallo_campo(int32_t linea, int32_t colonna, std::string_view testo_linea);

}  // namespace od
