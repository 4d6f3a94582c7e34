// The driver's documents of any scenario, as compila_scenario and
// mostra_scenario write them: the same options in both, the same refusal to
// replace documents that the author did not ask to replace, the same names
// beside the binary files and the same warnings.
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "builder/avvisi.h"
#include "documents/documenti_scenario.h"
#include "modello/modello.h"
#include "percorrenza/orario.h"
#include "platform/file_atomico.h"
#include "tools/comune/opzioni_orario.h"

namespace od {

struct opzioni_documenti {
  bool documenti = false;
  testata_documenti testata;
};

// --documenti and the options of the documents' header.
void aggiungi_opzioni_documenti(CLI::App& app, opzioni_documenti& o);

// Header options given without --documenti: the reason, or empty.
std::string controlla_opzioni_documenti(const CLI::App& app, const opzioni_documenti& o);

// When a document of the scenario already stands in `cartella` and the
// author did not ask to replace it: the line that says so; otherwise empty.
std::string documenti_presenti(const std::string& cartella, const std::string& percorso, const std::string& treno);

// The times that the sheet shows where the scenario schedules none, from the
// running-time calculation: at a station passed between two timed ones, its
// earliest passing time plus the following timed station's margin shared in
// proportion to the running time from the last timed station, as timetables
// lay recovery time (a negative margin is not shared: the train cannot be
// earlier than its earliest); after the last timed station, the earliest time.
tempi_stazioni tempi_di_passaggio(const scenario& stato, const tabella_orario& t);

// Both documents' lines, built from the model with the passing times of the
// train that `percorrenza` describes, and their warnings (see below). Throws
// std::length_error when the slowdowns are more than an order holds.
struct righe_documenti {
  lista_righe scheda;
  lista_righe ordine;
};
righe_documenti componi_documenti(const scenario& stato, const opzioni_documenti& o, const opzioni_orario& percorrenza,
                                  std::vector<avviso>& avvisi);

// Builds both documents from the model, with the passing times of the train
// that `percorrenza` describes, and replaces them in `cartella` together,
// holding the folder's lock (the caller's); what does not fit is an `avviso`
// "nome-tagliato" added to `avvisi`, and a scheduled time that the sheet
// shows rounded to the half minute one "orario-arrotondato".
// Returns the paths written. Throws errore_file, also when the slowdowns are
// more than an order holds. With `insieme` both are only prepared in that
// set, for the caller to replace with its other files.
std::vector<std::string> scrivi_documenti(const std::string& cartella, const scenario& stato,
                                          const opzioni_documenti& o, const opzioni_orario& percorrenza,
                                          std::vector<avviso>& avvisi, sostituzione_insieme* insieme = nullptr);

// As scrivi_documenti, but where a document already stands it writes
// neither and adds the warning "documenti-presenti", which says how to
// replace them: what else the tool builds is not held back by them.
std::vector<std::string> scrivi_documenti_se_assenti(const std::string& cartella, const scenario& stato,
                                                     const opzioni_documenti& o, const opzioni_orario& percorrenza,
                                                     std::vector<avviso>& avvisi,
                                                     sostituzione_insieme* insieme = nullptr);

}  // namespace od
