// The layout of the train's timetable sheet, apart from what it shows: the
// carried sheet and the sheet built from a scenario fill the same contents,
// so that both come out of one frame with the same widths. Every text must
// fit the room that the limits below give it; the layout refuses one that
// does not (std::length_error) rather than push the frame apart.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "scenario_text/lista_righe.h"

namespace od {

// How the Orario cell shows a station's times.
enum class forma_orario {
  partenza,  // the origin: departure only
  transito,  // a station passed without a scheduled stop: one time
  sosta,     // a scheduled stop: arrival and departure
  arrivo,    // the destination: arrival only
};

struct stazione_scheda {
  std::string velocita_limite;  // km/h, or empty
  std::string velocita_marcia;  // km/h, or empty
  std::string progressiva;      // km with three decimals, as posted
  std::string localita;
  forma_orario forma = forma_orario::transito;
  std::string ora;                  // the only time, or the arrival at a stop; may be empty
  std::string partenza;             // the departure after a stop
  bool cambia_riferimento = false;  // the posted progressive restarts after this station
  std::string recupero;             // the Rec cell: the margin in minutes, or empty
};

struct contenuto_scheda {
  std::string numero_treno;
  std::string origine, destinazione;
  std::string categoria;        // in the box beside the route, e.g. "V140 C"
  std::string massa_frenata;    // under it, e.g. "120%"
  std::string classificazione;  // e.g. "REGIONALE"
  std::string massa_bloccata;   // e.g. "280T"
  std::vector<stazione_scheda> stazioni;
  // Lines under the table, before the note on the "+": what a row cannot say
  // (a change of the limit between two stations, a time that cannot be kept).
  // None on the carried sheet.
  std::vector<std::string> note;
};

// The longest texts that fit, in characters.
inline constexpr std::size_t massimo_numero_treno = 7;
inline constexpr std::size_t massimo_terminale = 25;  // origin and destination in the header
inline constexpr std::size_t massimo_categoria = 10;
inline constexpr std::size_t massimo_massa_frenata = 9;
inline constexpr std::size_t massimo_classificazione = 14;
inline constexpr std::size_t massimo_massa_bloccata = 13;
inline constexpr std::size_t massimo_velocita = 4;
inline constexpr std::size_t massimo_progressiva = 8;
inline constexpr std::size_t massimo_localita = 27;
inline constexpr std::size_t massimo_recupero = 5;

lista_righe impagina_scheda(const contenuto_scheda& c);

}  // namespace od
