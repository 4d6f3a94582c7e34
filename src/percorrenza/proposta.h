// A proposed timetable: the standard run (marcia_tipo.h) from the first
// station's departure, each time rounded up to the half minute that the
// timetable sheet shows, so that the train on its standard run is never
// behind the proposal. At a stop the proposed departure is the arrival plus
// the stop time, rounded up, and the next section starts from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modello/modello.h"
#include "percorrenza/treno.h"

namespace od {

struct stazione_proposta {
  int voce = 0;  // entry of the item table
  std::string nome;
  bool ferma = false;
  double tipo = 0;                  // arrival or passing on the standard run, seconds since midnight
  int32_t arrivo = 0;               // proposed arrival or passing (at a stop: departure less the stop time)
  std::optional<int32_t> partenza;  // proposed departure, at the first station and at a stop
  std::optional<int32_t> orario;    // what goes into the train file's time fields; none: left as it is
};

struct proposta_orario {
  std::vector<stazione_proposta> stazioni;
  double abbuono = 0;  // percent
  std::string errore;  // when not empty, why there is no proposal
};

// The time fields are written where the train stops (but the first
// station's, which the author sets) and where the author already gave a
// time; the other stations keep none, and the sheet shares the margin out
// over them.
proposta_orario proponi_orario(const scenario& stato, const treno_percorrenza& treno, double abbuono);

// Up to the next half minute: 07:15:00 stays, 07:15:01 becomes 07:15:30.
int32_t al_mezzo_minuto_dopo(double secondi);

}  // namespace od
