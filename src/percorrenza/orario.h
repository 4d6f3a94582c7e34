// Whether the timetable can be kept: the fastest run from the first station
// to the last, the earliest time at every station and the margin of every
// scheduled time, and the minimum running time of every section between two
// timed stations.
//
// The train stops at the first station (it leaves at its scheduled time), at
// every station that has a scheduled time and a stop time (it waits the stop
// time and leaves at its scheduled time if that is later) and at the last
// station; it passes every other station. Where it stops its front stands at
// the start of the station's stopping-point cell; a passing time is when the
// front passes the station's position.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modello/modello.h"
#include "percorrenza/marcia.h"
#include "percorrenza/treno.h"

namespace od {

struct tempo_stazione {
  int voce = 0;  // entry of the item table
  std::string nome;
  int32_t posizione = 0;    // metres
  int64_t progressiva = 0;  // posted there, metres
  bool ferma = false;
  int32_t punto = 0;               // where the front stands or passes, metres
  double arrivo = 0;               // earliest arrival or passing, seconds since midnight
  std::optional<double> partenza;  // earliest departure where it stops (not at the last station)
  std::optional<int32_t> orario;   // the scheduled time, seconds since midnight
  std::optional<double> margine;   // scheduled minus earliest; none at the first station
};

struct tempo_tratta {
  std::size_t da = 0, a = 0;  // indices into the stations
  double minimo = 0;          // minimum running time, stop time at the far end included, s
  int64_t previsto = 0;       // scheduled, s (two times of 32 bits apart)
  double margine = 0;         // s
  double percento = 0;        // margin in percent of the minimum
};

// What the tools turn into warnings; the calculation itself prints nothing.
// margine_stazione: a section whose own margin is enough, but whose end
// station is left with less, from the delay carried over from before.
struct avviso_orario {
  enum class tipo { impossibile, stretto, fermata_senza_punto, margine_stazione } genere = tipo::impossibile;
  std::size_t stazione = 0;  // index into the stations: the late one, the section's end, or the station
  std::size_t tratta = 0;    // index into the sections (impossibile and stretto)
};

struct tabella_orario {
  std::vector<tempo_stazione> stazioni;
  std::vector<tempo_tratta> tratte;
  std::vector<avviso_orario> avvisi;
  double margine_minimo = 0;  // percent, as asked
  marcia corsa;               // the fastest run, for the picture
  std::string errore;         // when not empty, why there is no table
};

// `margine_minimo`: percent; a section with less gets a warning.
tabella_orario calcola_orario(const scenario& stato, const treno_percorrenza& treno, double margine_minimo);
// The same against the standard run with a regularity allowance of `abbuono`
// percent (marcia_tipo.h) instead of the fastest run: its times and margins
// are those of the standard run.
tabella_orario calcola_orario(const scenario& stato, const treno_percorrenza& treno, double margine_minimo,
                              double abbuono);

// Stations of the item table: entries 1, 2, ... that hold more than a text
// and that no sign names.
std::vector<int> voci_stazioni(const scenario& stato);

}  // namespace od
