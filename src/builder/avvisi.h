// Warnings: what the build passes over without effect, or stores otherwise
// than the author wrote. A warning never changes what is built: the readers
// only note what they see, beside the model, and the build reads no warning.
//
// Every warning has a short stable name (lower case, hyphens), shown at its
// end as compilers do, so that an author can silence it by name
// (--senza-avviso NAME) or turn all of them into a failure (--avvisi-errori).
//
// To add a warning:
//   1. add its kind to `tipo_avviso` and its name and what it catches to the
//      table in avvisi.cpp (the compiler holds the two in step);
//   2. where it is seen, push an `avviso` with that kind's name, its sentence and
//      the place of the record concerned onto stato_scenario::elenco_avvisi
//      (the readers call aggiungi_avviso in lettura.h; checks of the model as
//      a whole belong in raccogli_avvisi_costruzione, memorizza_percorso.cpp,
//      before the gate that decides whether the files are written);
//   3. the compiler-style text, the JSON entry and the two options then take
//      it as they take every other (costruzione/diagnostica.h,
//      tools/compila/diagnostica_json.h, applica_regole below).
// A tool that finds warnings outside the build (in the binary files, say)
// makes the same `avviso`s, passes them through applica_regole and prints
// them with testo_avviso or json_avviso.
#pragma once

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "modello/modello.h"  // struct avviso

namespace od {

enum class tipo_avviso {
  chiave_sconosciuta,
  valori_in_piu,
  valori_mancanti,
  commento_come_chiave,
  generale_assente,
  generale_vuota,
  ultimo_campo_ignorato,
  ordine_posizioni,
  inizio_senza_valore,
  valore_troncato,
  valore_sovrapposto,
  velocita_arrotondata,
  tempo_alzato,
  campo_senza_effetto,
  ora_inesistente,
  orario_all_indietro,
  abbattimento_senza_posto,
  orario_impossibile,
  orario_stretto,
  orario_senza_fermata,
  nome_tagliato,
};

struct descrizione_avviso {
  tipo_avviso tipo;
  std::string_view nome;
  std::string_view cosa;  // what it catches, for --help and the handbook
};

// Every warning name, in the handbook's order.
std::span<const descrizione_avviso> tutti_gli_avvisi();
bool avviso_esiste(std::string_view nome);
// The stable name of a kind of warning, as shown and as the options take it.
std::string_view nome_avviso(tipo_avviso tipo);

// What the author asked of the warnings.
struct regole_avvisi {
  bool come_errori = false;        // --avvisi-errori: any warning is a failure
  std::set<std::string> taciuti;   // --senza-avviso NAME, repeatable
};

// The warnings that are shown, in the order found: all but the silenced.
std::vector<avviso> applica_regole(const std::vector<avviso>& avvisi, const regole_avvisi& regole);

// A code of the walk (11 to 13) as a warning, pointing at the record that
// placed the signal or slowdown concerned.
avviso avviso_del_percorso(const stato_scenario& stato, const avviso_percorso& a);

}  // namespace od
