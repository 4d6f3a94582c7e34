// The carried scenario read into a model in memory, as the generation run
// reads it, for tests of what is computed over the built model.
#pragma once

#include "builder/memorizza_dati.h"
#include "builder/percorso.h"
#include "costruzione/memorizza_percorso.h"
#include "modello/modello.h"
#include "scenario_text/scenario_carico.h"

namespace od::test {

// The reading's code goes to `letto` when given.
inline scenario scenario_incorporato(esito_lettura* letto = nullptr) {
  scenario stato;
  sessione_costruzione sessione;
  stato.nome_percorso = "Orsella_Drumvane";
  stato.nome_treno = "xr40318";
  pulisci_tabella(stato);
  sorgente_descrizioni sorgente;
  sorgente.testo_linea = testo_righe(righe_linea());
  sorgente.testo_treno = testo_righe(righe_treno());
  const esito_lettura esito = memorizza_dati(stato, sessione, sorgente);
  if (letto != nullptr) *letto = esito;
  cammina_binario(stato, sessione);
  return stato;
}

// The carried scenario's description files and binary files in `cartella`,
// built as compila_scenario builds them; the plan only when asked.
inline risultato_build costruisci_incorporato(const std::string& cartella, int32_t con_planimetria = 1) {
  scenario stato;
  sessione_costruzione sessione;
  stato.nome_percorso = "Orsella_Drumvane";
  stato.nome_treno = "xr40318";
  dati_linea(cartella, stato.nome_percorso);
  dati_treno(cartella, stato.nome_percorso, stato.nome_treno);
  opzioni_build opzioni;
  opzioni.sorgente.cartella = cartella;
  opzioni.cartella_uscita = cartella;
  return memorizza_percorso(stato, sessione, con_planimetria, opzioni);
}

}  // namespace od::test
