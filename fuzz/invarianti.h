// What must hold after any build, whatever the input: the code left is one
// the build documents, the track matches its last cell, and building the
// same input again gives the same bytes. Shared by the fuzz targets and the
// test that replays their corpus.
#pragma once

#include <cstdio>
#include <cstdlib>
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
  std::string violazione;  // empty when every invariant held
  bool operator==(const immagini&) const = default;
};

inline std::string viola_se(const stato_scenario& stato) {
  if (stato.codice_errore != 0 && descrivi_codice(stato.codice_errore) == nullptr) {
    return "codice non documentato " + std::to_string(stato.codice_errore);
  }
  if (!stato.binario.empty() && stato.binario.size() != static_cast<std::size_t>(stato.ultima_cella) + 1) {
    return "celle diverse da ultima_cella + 1";
  }
  if (stato.planimetria.esiste() && stato.planimetria.calcolate() > stato.planimetria.righe()) {
    return "planimetria oltre le sue righe";
  }
  for (const avviso_percorso& a : stato.avvisi) {
    if (a.codice < 11 || a.codice > 13) return "avviso fuori da 11..13";
  }
  return {};
}

// Reading, and with `completa` the walk, final checks and the three images,
// all in memory.
inline immagini costruisci(const std::string& linea, const std::string& treno, bool completa) {
  stato_scenario stato;
  stato.nome_percorso = "F";
  stato.nome_treno = "t";
  stato.con_planimetria = 1;
  sorgente_descrizioni sorgente("/nessuna-cartella-di-fuzz", false);
  sorgente.testo_linea = linea;
  sorgente.testo_treno = treno;
  memorizza_dati(stato, sorgente);
  immagini esito;
  esito.violazione = viola_se(stato);
  if (completa && esito.violazione.empty() && !stato.binario.empty()) {
    cammina_binario(stato);
    esito.violazione = viola_se(stato);
    if (esito.violazione.empty() && controlli_finali(stato) == 0) {
      esito.binario = immagine_binario(stato);
      esito.tabella = immagine_tabella(stato);
      esito.planimetria = immagine_planimetria(stato.planimetria);
      if (esito.binario.size() != 15 * stato.binario.size()) esito.violazione = "immagine delle celle errata";
    }
  }
  esito.codice = stato.codice_errore;
  esito.posizione = stato.posizione_errore;
  return esito;
}

// Empty when every invariant held for two builds of the same input.
inline std::string verifica(const std::string& linea, const std::string& treno, bool completa) {
  const immagini prima = costruisci(linea, treno, completa);
  if (!prima.violazione.empty()) return prima.violazione;
  if (!(costruisci(linea, treno, completa) == prima)) return "due costruzioni diverse";
  return {};
}

// The build target's input: the line file, a line holding only "%%", the train file.
inline std::pair<std::string, std::string> dividi_coppia(const std::string& ingresso) {
  const std::size_t separatore = ingresso.find("\n%%\n");
  if (separatore == std::string::npos) return {ingresso, {}};
  return {ingresso.substr(0, separatore), ingresso.substr(separatore + 4)};
}

inline void verifica_o_interrompi(const std::string& linea, const std::string& treno, bool completa) {
  const std::string violazione = verifica(linea, treno, completa);
  if (violazione.empty()) return;
  std::fprintf(stderr, "invariante violata: %s\n", violazione.c_str());
  std::abort();
}

}  // namespace od::fuzz
