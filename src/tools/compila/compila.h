// The scenario compiler for authors: builds the simulator's binary files from
// a pair of description files that they edit by hand, with the same reader
// and the same build as the generation run, and never touches the text files.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "builder/avvisi.h"
#include "modello/modello.h"
#include "percorrenza/treno.h"
#include "platform/file_atomico.h"

namespace od {

// Exit statuses of compila_scenario.
enum stato_compila : int {
  compila_ok = 0,      // built; walk warnings may have been printed
  compila_codice = 1,  // the reading recorded a code, or warnings with --avvisi-errori
  compila_uso = 2,     // bad usage, or a file that could not be written
  compila_finale = 3,  // final check 1250 or 1251: nothing written
};

// What the author asked for; the command line of compila_scenario fills it.
struct richiesta_compila {
  bool senza_planimetria = false;  // neither compute nor write the plan
  bool forza = false;              // write the files even after a reading code
  bool json = false;               // the outcome as one JSON object on `uscita`
  std::string cartella;            // where the description files are
  std::string cartella_uscita;     // where the binary files go
  std::string percorso;
  std::string treno;
  // Files that the tool writes beside the binaries from the built model (the
  // driver's documents), under the same lock as the build. `controlla` runs
  // first: a reason it returns refuses the request and nothing is built.
  // `scrivi` runs after a complete build, adds its warnings to the build's
  // list (shown, counted and silenced like the others, but after the gate of
  // --avvisi-errori) and returns the paths it prepared in `insieme`, the set
  // that the binary files are in; it throws errore_file.
  // Either may be empty.
  std::function<std::string()> controlla_accanto;
  std::function<std::vector<std::string>(const scenario&, std::vector<avviso>& avvisi, sostituzione_insieme& insieme)>
      scrivi_accanto;
  regole_avvisi avvisi;                  // --senza-avviso, --avvisi-errori
  std::optional<opzioni_orario> orario;  // the running-time warnings, with this train
  // Called once the files are written, with the built model: a tool adds
  // what it computes over it (the running-time table), printing its text
  // itself. Returns an object whose members go last into the JSON outcome,
  // or null.
  std::function<nlohmann::ordered_json(const scenario&, std::ostream& uscita, std::ostream& diagnostica)>
      dopo_costruzione;
};

// Builds the scenario that `q` names. Diagnostics go to `diagnostica`; the
// closing line (or the JSON outcome) goes to `uscita`. Returns the exit
// status. The closing line has one form whatever happened:
//   esito: costruito, N avvisi
//   esito: costruito con errore C a P m (--forza), N avvisi
//   esito: errore C a P m, N avvisi          ("a P m" only for codes with one)
//   esito: non costruito, N avvisi (--avvisi-errori)
//   esito: errore di scrittura, N avvisi
//   esito: errore inatteso                   (a failure that no check foresaw)
// where "N avvisi" counts the warnings shown ("1 avviso").
int compila(const richiesta_compila& q, std::ostream& uscita, std::ostream& diagnostica);

}  // namespace od
