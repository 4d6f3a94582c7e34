// The carried scenario read into a model in memory, as the generation run
// reads it, for tests of what is computed over the built model.
#pragma once

#include "builder/memorizza_dati.h"
#include "builder/modello.h"
#include "builder/percorso.h"
#include "scenario_text/scenario_carico.h"

namespace od::test {

inline stato_scenario scenario_incorporato() {
  stato_scenario stato;
  stato.nome_percorso = "Orsella_Drumvane";
  stato.nome_treno = "xr40318";
  pulisci_tabella(stato);
  sorgente_descrizioni sorgente({}, false);
  sorgente.testo_linea = testo_righe(righe_linea());
  sorgente.testo_treno = testo_righe(righe_treno());
  memorizza_dati(stato, sorgente);
  cammina_binario(stato);
  return stato;
}

}  // namespace od::test
