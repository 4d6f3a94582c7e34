// The reading stage: the line description file, then the train description
// file, into the scenario model. Reports through codice_errore and
// posizione_errore (and, for messages, stato.luogo); never throws a read
// failure to its caller.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "modello/modello.h"

namespace od {

struct sorgente_descrizioni {
  sorgente_descrizioni(std::string cartella_file = {}, bool elimina_file = false)
      : cartella(std::move(cartella_file)), elimina(elimina_file) {}

  std::string cartella;  // folder holding both description files
  // The generation run deletes the description files on every way out; an
  // author's own files are kept.
  bool elimina = false;
  // Texts read in place of the files when given, for builds in memory.
  std::optional<std::string> testo_linea;
  std::optional<std::string> testo_treno;
};

void memorizza_dati(stato_scenario& stato, const sorgente_descrizioni& sorgente);

}  // namespace od
