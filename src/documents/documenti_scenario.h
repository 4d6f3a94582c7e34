// The driver's timetable sheet and slowdown order built from any scenario's
// own model, in the layout of the carried ones: stations, progressives,
// scheduled times, speed limits and slowdowns come from the cells and the
// item table, so a model read back from binary files gives the same
// documents as the one built from the description files. What the model
// cannot hold (the train's number, category, classification and mass, its
// running speed) comes from the caller, and so do the passing times of the
// stations without a scheduled time, which only a running-time calculation
// gives: this room knows nothing of one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "modello/modello.h"
#include "scenario_text/lista_righe.h"

namespace od {

// The header of the two documents. Every field left empty gives a blank
// box, so that the form can be filled by hand.
struct testata_documenti {
  std::string numero_treno;
  std::string categoria;               // e.g. "V140 C"
  std::string classificazione;         // e.g. "REGIONALE"
  std::optional<int> massa;            // locked mass, tonnes
  std::optional<int> velocita_marcia;  // km/h, in the origin's row
};

// For each station of stazioni_del_percorso, in that order, the time that the
// sheet shows where the scenario schedules none, in seconds since midnight;
// nothing (or a shorter list) leaves the cell blank.
using tempi_stazioni = std::vector<std::optional<double>>;

// What does not fit the forms, one Italian sentence each: a name cut to its
// column, say. The documents are written all the same.
using avvisi_documenti = std::vector<std::string>;

// For each station of stazioni_del_percorso, in that order, the margin of its
// scheduled time against the fastest run, in seconds (negative: the time
// cannot be kept); nothing where the station has no scheduled time or the
// caller knows none.
using margini_stazioni = std::vector<std::optional<double>>;

// The sheet; with `margini`, each timed station's margin in the Rec column
// and a note under the table for every time that cannot be kept. Every change
// of the line speed limit between two stations is listed under the table.
lista_righe righe_scheda_scenario(const scenario& stato, const testata_documenti& testata, const tempi_stazioni& tempi,
                                  avvisi_documenti& avvisi);
lista_righe righe_scheda_scenario(const scenario& stato, const testata_documenti& testata, const tempi_stazioni& tempi,
                                  const margini_stazioni& margini, avvisi_documenti& avvisi);

// The scheduled times that the sheet cannot show exactly, since it shows
// half minutes: one sentence each, with the time it shows instead.
avvisi_documenti orari_non_al_mezzo_minuto(const scenario& stato);
// Throws std::length_error when the slowdowns are more than one order holds.
lista_righe righe_rallentamenti_scenario(const scenario& stato, const testata_documenti& testata,
                                         avvisi_documenti& avvisi);

// The two file names, as the generation run names its own documents.
struct nomi_documenti {
  std::string scheda;
  std::string rallentamenti;
};
nomi_documenti nomi_documenti_scenario(const std::string& percorso, const std::string& treno);

}  // namespace od
