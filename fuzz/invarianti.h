// What must hold after any build, whatever the input: the code left is one
// the build documents, the track matches its last cell, and building the
// same input again gives the same bytes (every input in the test that replays
// the corpus, one in four in the fuzz targets). Shared by the two.
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
#include <functional>
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

// Reading, and with `completa` the walk, the final checks and, for a build
// that another is compared with, the three images; all in memory.
// `con_planimetria` is the geometry flag.
inline immagini costruisci(const std::string& linea, const std::string& treno, bool completa, int32_t con_planimetria,
                           bool con_immagini) {
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
    if (esito.violazione.empty() && controlli_finali(stato) == 0 && con_immagini) {
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

// Whether no number written in `testo` is above `limite`. The line's length
// is one of them, so a text that passes holds a line no longer than that.
inline bool numeri_al_piu(const std::string& testo, int64_t limite) {
  int64_t valore = 0;
  for (const char c : testo) {
    valore = (c >= '0' && c <= '9') ? valore * 10 + (c - '0') : 0;
    if (valore > limite) return false;
  }
  return true;
}

// Empty when every invariant held. With `ripeti`, the input is built a
// second time and must give the same bytes. A line no longer than
// `limite_planimetria` metres is built with its plan; when its text does not
// show that it is that short, a first build without the plan tells its length.
inline std::string verifica(const std::string& linea, const std::string& treno, bool completa,
                            int32_t limite_planimetria = lunghezza_planimetria_breve, bool ripeti = true) {
  const bool ogni_lunghezza = limite_planimetria == planimetria_sempre || limite_planimetria == planimetria_mai;
  const bool breve_di_certo =
      !ogni_lunghezza && numeri_al_piu(linea, limite_planimetria) && numeri_al_piu(treno, limite_planimetria);
  if (limite_planimetria != planimetria_sempre && !breve_di_certo) {
    const immagini senza = costruisci(linea, treno, completa, 0, ripeti);
    if (!senza.violazione.empty()) return senza.violazione;
    if (int64_t{senza.lunghezza} - 7000 > limite_planimetria) {
      if (ripeti && !(costruisci(linea, treno, completa, 0, ripeti) == senza)) return "due costruzioni diverse";
      return {};
    }
  }
  const immagini prima = costruisci(linea, treno, completa, 1, ripeti);
  if (!prima.violazione.empty()) return prima.violazione;
  if (ripeti && !(costruisci(linea, treno, completa, 1, ripeti) == prima)) return "due costruzioni diverse";
  return {};
}

// Whether a fuzzed input is built twice. The second build doubles an
// input's cost, and what it catches (state that outlives a build) shows on
// any input that reaches the code keeping it, so one input in four is
// enough. The choice comes from the input's bytes, so that a saved input
// replays exactly as it ran.
inline bool da_ripetere(const std::string& linea, const std::string& treno) {
  const std::size_t impronta = std::hash<std::string>{}(linea) ^ (std::hash<std::string>{}(treno)*31);
  return impronta % 4 == 0;
}

// The build target's input: the line file, a line holding only "%%", the train file.
inline std::pair<std::string, std::string> dividi_coppia(const std::string& ingresso) {
  const std::size_t separatore = ingresso.find("\n%%\n");
  if (separatore == std::string::npos) return {ingresso, {}};
  return {ingresso.substr(0, separatore), ingresso.substr(separatore + 4)};
}

inline void verifica_o_interrompi(const std::string& linea, const std::string& treno, bool completa,
                                  int32_t limite_planimetria = lunghezza_planimetria_breve) {
  const std::string violazione = verifica(linea, treno, completa, limite_planimetria, da_ripetere(linea, treno));
  if (violazione.empty()) return;
  std::fprintf(stderr, "invariante violata: %s\n", violazione.c_str());
  std::abort();
}

}  // namespace od::fuzz
