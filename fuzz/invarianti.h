// What must hold after any build, whatever the input: the code left is one
// the build documents, the track matches its last cell, and building the
// same input again gives the same bytes. Shared by the fuzz targets and the
// test that replays their corpus.
//
// A line of up to 1000000 m has a plan of a million rows, which costs far
// more than everything else an input does; most targets compute the plan only
// for short lines, so that they try thousands of inputs a second, and build
// longer lines without it. One target (fuzz_planimetria) takes plans of any
// length.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "builder/codici.h"
#include "builder/memorizza_dati.h"
#include "builder/percorso.h"
#include "costruzione/memorizza_percorso.h"
#include "output/file_binari.h"

namespace od::fuzz {

// The longest line whose plan the capped targets compute, in metres, and
// the two ends: every plan, or none.
inline constexpr int32_t lunghezza_planimetria_breve = 20000;
inline constexpr int32_t planimetria_sempre = INT32_MAX;
inline constexpr int32_t planimetria_mai = INT32_MIN;

// The train target's line file: the carried length, with one item of each
// kind that the line half places (gradients, a marked mountain run, a board,
// a sign). The carried line itself would cost several times the train file's
// reading on every input.
inline constexpr const char* linea_per_treno =
    "[generale]\r\n"
    "lunghezza percorso,    96000\r\n"
    "progressiva chilometrica uno,    8450,    3600,    0\r\n"
    "progressiva chilometrica due,    81200,    95900,    1\r\n"
    "sfondo uno,    88000\r\n"
    "ripetizione segnali 4 codici,    0    ,0\r\n"
    "[pendenze]\r\n"
    "pendenza,  700 , 13 \r\n"
    "pendenza,  30450 ,-7 \r\n"
    "[montagne]\r\n"
    "montagna,  800 , 2050 , 12 \r\n"
    "[cartelli]\r\n"
    "indicatori_vmax,  600,  80,  80,  80,  0,  ,  ,  ,  0\r\n"
    "[indicazioni]\r\n"
    "cartello_indicatore,  29600,   (   Galleria   )(  Valle Scura )(  8099 m.     )\r\n"
    "[fine]\r\n";

struct immagini {
  int32_t lunghezza = 0;  // line length plus 7000, 0 before the length line
  int32_t codice = 0;
  int32_t posizione = 0;
  std::string binario, tabella, planimetria;
  std::string violazione;  // empty when every invariant held
  bool operator==(const immagini&) const = default;
};

inline std::string viola_se(const scenario& stato, const sessione_costruzione& sessione) {
  if (sessione.codice.codice != 0 && descrivi_codice(sessione.codice.codice) == nullptr) {
    return "codice non documentato " + std::to_string(sessione.codice.codice);
  }
  if (!stato.binario.empty() && stato.binario.size() != static_cast<std::size_t>(stato.ultima_cella()) + 1) {
    return "celle diverse da ultima_cella + 1";
  }
  if (stato.planimetria.esiste() && stato.planimetria.calcolate() > stato.planimetria.righe()) {
    return "planimetria oltre le sue righe";
  }
  for (const avviso& a : sessione.avvisi) {
    if (a.codice != 0 && (a.codice < 11 || a.codice > 13)) return "avviso fuori da 11..13";
  }
  return {};
}

// Reading, and with `completa` the walk, final checks and the three images,
// all in memory; `con_planimetria` is the geometry flag.
inline immagini costruisci(const std::string& linea, const std::string& treno, bool completa, int32_t con_planimetria) {
  scenario stato;
  sessione_costruzione sessione;
  stato.nome_percorso = "F";
  stato.nome_treno = "t";
  stato.con_planimetria = con_planimetria;
  sorgente_descrizioni sorgente("/nessuna-cartella-di-fuzz");
  sorgente.testo_linea = linea;
  sorgente.testo_treno = treno;
  sessione.codice = memorizza_dati(stato, sessione, sorgente);
  immagini esito;
  esito.violazione = viola_se(stato, sessione);
  if (completa && esito.violazione.empty() && !stato.binario.empty()) {
    cammina_binario(stato, sessione);
    esito.violazione = viola_se(stato, sessione);
    if (esito.violazione.empty() && controlli_finali(stato) == 0) {
      esito.binario = immagine_binario(stato);
      esito.tabella = immagine_tabella(stato);
      esito.planimetria = immagine_planimetria(stato.planimetria);
      if (esito.binario.size() != 15 * stato.binario.size()) esito.violazione = "immagine delle celle errata";
    }
  }
  esito.lunghezza = stato.lunghezza_totale;
  esito.codice = sessione.codice.codice;
  esito.posizione = sessione.codice.posizione;
  return esito;
}

// Empty when every invariant held for two builds of the same input. The
// first build, without the plan, tells the line's length; a line no longer
// than `limite_planimetria` metres is then built twice with its plan.
inline std::string verifica(const std::string& linea, const std::string& treno, bool completa,
                            int32_t limite_planimetria = lunghezza_planimetria_breve) {
  if (limite_planimetria != planimetria_sempre) {
    const immagini senza = costruisci(linea, treno, completa, 0);
    if (!senza.violazione.empty()) return senza.violazione;
    if (int64_t{senza.lunghezza} - 7000 > limite_planimetria) {
      if (!(costruisci(linea, treno, completa, 0) == senza)) return "due costruzioni diverse";
      return {};
    }
  }
  const immagini prima = costruisci(linea, treno, completa, 1);
  if (!prima.violazione.empty()) return prima.violazione;
  if (!(costruisci(linea, treno, completa, 1) == prima)) return "due costruzioni diverse";
  return {};
}

// The build target's input: the line file, a line holding only "%%", the train file.
inline std::pair<std::string, std::string> dividi_coppia(const std::string& ingresso) {
  const std::size_t separatore = ingresso.find("\n%%\n");
  if (separatore == std::string::npos) return {ingresso, {}};
  return {ingresso.substr(0, separatore), ingresso.substr(separatore + 4)};
}

inline void verifica_o_interrompi(const std::string& linea, const std::string& treno, bool completa,
                                  int32_t limite_planimetria = lunghezza_planimetria_breve) {
  const std::string violazione = verifica(linea, treno, completa, limite_planimetria);
  if (violazione.empty()) return;
  std::fprintf(stderr, "invariante violata: %s\n", violazione.c_str());
  std::abort();
}

}  // namespace od::fuzz
