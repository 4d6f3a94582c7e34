// What must hold after any build, whatever the input: the code left is one
// the build documents, the track matches its last cell, and building the
// same input again gives the same bytes.
#pragma once

#include <cstdlib>
#include <cstdio>
#include <string>

#include "builder/codici.h"
#include "builder/memorizza_dati.h"
#include "builder/percorso.h"
#include "output/file_binari.h"
#include "run/memorizza_percorso.h"

namespace od::fuzz {

struct immagini {
  int32_t codice = 0;
  int32_t posizione = 0;
  std::string binario, tabella, planimetria;
  bool operator==(const immagini&) const = default;
};

[[noreturn]] inline void viola(const char* cosa) {
  std::fprintf(stderr, "invariante violata: %s\n", cosa);
  std::abort();
}

inline void controlla(const stato_scenario& stato) {
  if (stato.codice_errore != 0 && descrivi_codice(stato.codice_errore) == nullptr) viola("codice non documentato");
  if (!stato.binario.empty() && stato.binario.size() != static_cast<std::size_t>(stato.ultima_cella) + 1) {
    viola("celle diverse da ultima_cella + 1");
  }
  if (stato.planimetria.esiste() && stato.planimetria.calcolate() > stato.planimetria.righe()) {
    viola("planimetria oltre le sue righe");
  }
  for (const avviso_percorso& a : stato.avvisi) {
    if (a.codice < 11 || a.codice > 13) viola("avviso fuori da 11..13");
  }
}

// Reading, walk, final checks and the three images, all in memory; with
// `completa` false only the reading.
inline immagini costruisci(const std::string& linea, const std::string& treno, bool completa) {
  stato_scenario stato;
  stato.nome_percorso = "F";
  stato.nome_treno = "t";
  stato.con_planimetria = 1;
  sorgente_descrizioni sorgente("/nessuna-cartella-di-fuzz", false);
  sorgente.testo_linea = linea;
  sorgente.testo_treno = treno;
  memorizza_dati(stato, sorgente);
  controlla(stato);
  immagini esito;
  if (completa && !stato.binario.empty()) {
    cammina_binario(stato);
    controlla(stato);
    if (controlli_finali(stato) == 0) {
      esito.binario = immagine_binario(stato);
      esito.tabella = immagine_tabella(stato);
      esito.planimetria = immagine_planimetria(stato.planimetria);
      if (esito.binario.size() != 15 * stato.binario.size()) viola("immagine delle celle di lunghezza errata");
    }
  }
  esito.codice = stato.codice_errore;
  esito.posizione = stato.posizione_errore;
  return esito;
}

inline void costruisci_due_volte(const std::string& linea, const std::string& treno, bool completa) {
  if (!(costruisci(linea, treno, completa) == costruisci(linea, treno, completa))) viola("due costruzioni diverse");
}

}  // namespace od::fuzz
