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
//      the place of the record concerned onto sessione_costruzione::avvisi
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

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "modello/modello.h"
#include "scenario_text/schema.h"

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
  oltre_fine_linea,
  rallentamento_inutile,
  rallentamento_scambiato,
  rallentamento_non_frenabile,
  rallentamenti_sovrapposti,
  lato_segnale_sconosciuto,
  orologio_dopo_partenza,
  caratteri_utf8,
  montagna_rovesciata,
  margine_stazione,
  orario_arrotondato,
  documenti_presenti,
};

inline constexpr std::size_t tipi_di_avviso = static_cast<std::size_t>(tipo_avviso::documenti_presenti) + 1;

// Where a reading code was recorded, for messages only; stored in no file.
struct luogo_errore {
  std::string file;         // file name, without the folder
  int32_t linea = 0;        // 1-based line where the record at fault starts
  int32_t linea_campo = 0;  // 1-based line of the field at fault (0: the whole record)
  int32_t colonna = 0;      // 1-based column of that field on its line (0: unknown)
  std::string_view chiave;  // key text of that record, a view into `testo`
  std::string motivo;       // why a field could not be read (read failures only)
  // The text of line `linea`, for showing it: a view into the description
  // file's text, which `sorgente` keeps alive, so that a warning costs no
  // copy of its line however long the line is.
  std::string_view testo;
  std::shared_ptr<const std::string> sorgente;
  // The cell at fault when a code about a taken cell means another cell than
  // the one at its position (a slowdown's warning or advance marks); -1 else.
  int64_t cella = -1;
};

// A warning: what the build passes over or stores otherwise than written.
// For messages only; nothing built depends on it.
struct avviso {
  std::string nome;    // short stable name, e.g. "chiave-sconosciuta"
  std::string testo;   // what and why, in one sentence, less the suggestion below
  luogo_errore luogo;  // file, line, column, line text (file empty: none)
  // A code of the walk (11, 12 or 13) that goes on after it, and its
  // position in metres; 0 for every other warning. The generator shows
  // these alone.
  int32_t codice = 0;
  int32_t posizione = 0;
  // A field that starts no record, and the part of the file where it
  // stands: the nearest key costs an edit distance per key, so it is looked
  // for only when the message is shown, never by a build whose warnings
  // nobody reads.
  std::string campo_senza_chiave = {};
  std::optional<parte_file> parte_del_campo = {};

  // The whole sentence as shown: `testo`, and the nearest key if any.
  std::string messaggio() const;
};

// How many warnings of one name are shown unless the author asks otherwise.
inline constexpr int32_t massimo_avvisi_per_nome = 20;

struct descrizione_avviso {
  tipo_avviso tipo;
  std::string_view nome;
  std::string_view cosa;  // what it catches, for --help and the handbook
};

// Every warning name, in the handbook's order.
std::span<const descrizione_avviso> tutti_gli_avvisi();
bool avviso_esiste(std::string_view nome);
// The kind of a warning name, if it is one.
std::optional<tipo_avviso> tipo_di_avviso(std::string_view nome);
// The stable name of a kind of warning, as shown and as the options take it.
std::string_view nome_avviso(tipo_avviso tipo);

// What the author asked of the warnings.
struct regole_avvisi {
  bool come_errori = false;       // --avvisi-errori: any warning is a failure
  std::set<std::string> taciuti;  // --senza-avviso NAME, repeatable
  // --max-avvisi N: how many warnings of one name are shown, 0 for all. A
  // file of millions of slips would otherwise cost millions of lines and
  // their memory, as a compiler's error limit avoids; the rest are counted.
  int32_t massimo_per_nome = massimo_avvisi_per_nome;
  // Whether a warning of this name is shown at all.
  bool taciuto(std::string_view nome) const { return !taciuti.empty() && taciuti.contains(std::string(nome)); }
};

// How many warnings of each kind a build has found: what decides whether
// one more is kept (not silenced, within the limit), so that those past the
// limit cost a count and not their text, nor the work of making it.
class conteggio_avvisi {
 public:
  // Whether one more warning of `tipo` would be kept; asked before making a
  // costly text (a suggestion, say).
  bool terrebbe(tipo_avviso tipo, const regole_avvisi& regole) const;
  // Counts one more warning of `tipo`; true when it is to be kept.
  bool conta(tipo_avviso tipo, const regole_avvisi& regole);
  // How many of `tipo` were found past the limit and not kept (the silenced
  // count for nothing: the author asked not to hear of them).
  int64_t oltre_il_limite(tipo_avviso tipo, const regole_avvisi& regole) const;

 private:
  std::array<int64_t, tipi_di_avviso> trovati_{};
};

// The warnings that are shown, in the order found: all but the silenced,
// and of each name the first `massimo_per_nome`.
std::vector<avviso> applica_regole(const std::vector<avviso>& avvisi, const regole_avvisi& regole);

// A name and how many of its warnings are not shown for the limit.
struct avvisi_non_mostrati {
  std::string_view nome;
  int64_t quanti = 0;
};

// By name, in the table's order, the warnings not shown for the limit: those
// of `avvisi` past it, and those that `conteggio` never kept.
std::vector<avvisi_non_mostrati> oltre_il_limite(const std::vector<avviso>& avvisi, const conteggio_avvisi& conteggio,
                                                 const regole_avvisi& regole);

// The one line that counts them, e.g. "altri 12 avvisi non mostrati
// (chiave-sconosciuta 12): --max-avvisi 0 li mostra tutti"; empty for none.
std::string riga_non_mostrati(const std::vector<avvisi_non_mostrati>& non_mostrati, int32_t massimo);

// A code of the walk (11 to 13) at `posizione` as a warning, pointing at the
// record that placed the signal or slowdown concerned (`origine`, when known).
avviso avviso_del_percorso(int32_t codice, int32_t posizione, const luogo_errore* origine);

}  // namespace od
