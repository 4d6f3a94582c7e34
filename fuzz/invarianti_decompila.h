// What must hold when the decompiler meets any bytes as a scenario's files:
// it never crashes, files that do not decode are refused, and when it
// reports an exact round trip, building its texts again gives the very bytes
// it was given. Shared by the fuzz target and the test that replays its corpus.
#pragma once

#include <string>

#include "output/file_binari.h"
#include "tools/decompila/decompila.h"
#include "tools/decompila/ricostruzione.h"

namespace od::fuzz {

// The input: the item table, a line holding only "%%", the track cells, and
// optionally another "%%" line and the plan geometry.
inline immagini_binarie dividi_immagini(const std::string& ingresso) {
  constexpr std::string_view separatore = "\n%%\n";
  immagini_binarie i;
  const std::size_t primo = ingresso.find(separatore);
  i.tabella = ingresso.substr(0, primo);
  if (primo == std::string::npos) return i;
  const std::size_t secondo = ingresso.find(separatore, primo + separatore.size());
  i.binario = ingresso.substr(primo + separatore.size(), secondo - primo - separatore.size());
  if (secondo != std::string::npos) i.planimetria = ingresso.substr(secondo + separatore.size());
  return i;
}

// Empty when every invariant held.
inline std::string verifica_decompilazione(const std::string& ingresso) {
  const immagini_binarie immagini = dividi_immagini(ingresso);
  const scenario_letto letto = decodifica_scenario("F", "t", immagini);
  const bool piano_illeggibile = letto.planimetria_presente && letto.stato.con_planimetria == 0;
  if (!letto.tabella_letta || !letto.binario_letto || piano_illeggibile) return {};  // refused, status 2
  const scenario_decompilato d = decompila(letto, immagini);
  if (!d.differenze.empty()) return {};  // status 1
  const ricostruzione r = ricostruisci("F", "t", d.testo_linea, d.testo_treno, letto.stato.con_planimetria != 0);
  if (r.codice_lettura != 0 || r.codice_finale != 0) return "esatto, ma la ricostruzione registra un codice";
  if (immagine_tabella(r.stato) != immagini.tabella || immagine_binario(r.stato) != immagini.binario) {
    return "esatto, ma la ricostruzione ha altri byte";
  }
  if (immagini.planimetria && immagine_planimetria(r.stato.planimetria) != *immagini.planimetria) {
    return "esatto, ma la planimetria ricostruita ha altri byte";
  }
  return {};
}

}  // namespace od::fuzz
