// The generation run: writes the carried scenario and the driver documents,
// builds the model from the written files and leaves the simulator's files,
// all in the program's folder.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "platform/file_atomico.h"
#include "platform/finestra.h"
#include "scenario_text/scenario_carico.h"

namespace od {

// Exit statuses of the programs.
enum stato_uscita : int { uscita_ok = 0, uscita_errore = 1, uscita_file = 2 };

// Shows " Errore n. " and `a` in a modal message. The caller ends the run
// right after it returns.
void errore(finestra& finestra, std::string_view a);

// The five writers of the run, in their order: the two description files,
// each told what to sync, then the three documents, each prepared in the
// run's set. The carried ones are the product's; a test may put its own in
// their place to make a stage fail.
struct scrittori_generazione {
  using scrittore = void (*)(const std::string& cartella, const std::string& percorso, const std::string& treno,
                             chiamate_file& chiamate, sincronia sincronia);
  using preparatore = void (*)(sostituzione_insieme& insieme, const std::string& cartella, const std::string& percorso,
                               const std::string& treno);
  scrittore linea, treno;
  preparatore note, rallentamenti, scheda;
};
scrittori_generazione scrittori_carichi();

// Runs every stage in `cartella`, holding the folder's lock throughout. The
// six files that stay are each synced before their rename, and replaced as
// one set at the end (platform/intento.h), which syncs the folder once,
// after the renames and before the run reports its outcome; the two
// description files, which it deletes, are never synced.
// Walk warnings go to `diagnostica`, and so does the one-line message of a
// file that cannot be written, which a window also shows. Every file goes
// through `chiamate`. Returns the exit status.
int esegui_generazione(finestra& finestra, const std::string& cartella, std::ostream& diagnostica,
                       const scrittori_generazione& scrittori = scrittori_carichi(),
                       chiamate_file& chiamate = chiamate_di_sistema());

}  // namespace od
