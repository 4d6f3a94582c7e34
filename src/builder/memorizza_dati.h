// The reading stage: the line description file, then the train description
// file, into the scenario model. Reports through codice_errore and
// posizione_errore (and, for messages, stato.luogo); never throws a read
// failure to its caller.
#pragma once

#include <string>

#include "builder/modello.h"

namespace od {

struct sorgente_descrizioni {
  std::string cartella;  // folder holding both description files
  // The generation run deletes the description files on every way out; an
  // author's own files are kept.
  bool elimina = false;
};

void memorizza_dati(stato_scenario& stato, const sorgente_descrizioni& sorgente);

}  // namespace od
