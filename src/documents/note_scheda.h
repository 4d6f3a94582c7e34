// What the timetable sheet built from a scenario says beyond its rows: the
// changes of the line speed limit between two stations, which a row that
// reads "from here on" cannot show, the margin of each timed station in the
// Rec column, and a note for every time that cannot be kept.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "documents/documenti_scenario.h"
#include "modello/modello.h"

namespace od {

// A change of the line speed limit: the cell from which the new limit holds.
struct cambio_limite {
  std::size_t cella = 0;
  int prima = 0, dopo = 0;  // km/h
};

// The changes after the cell of station position `da` up to and including
// the cell of `a` (metres): those a driver meets after leaving `da`.
std::vector<cambio_limite> cambi_fra(const scenario& s, int32_t da, int32_t a);

// The Rec cell for a margin in seconds: whole and half minutes that the
// driver surely has ("4+" for 4 min 30 s or a little more), or, for a time
// that cannot be kept, the minutes late, rounded up, and "*" ("-2*").
std::string cella_recupero(double margine);

// Whether a margin means that the time cannot be kept.
bool impossibile(double margine);

// The lines under the table: the changes of the limit (with the posted
// kilometre and the two stations), what Rec means when a margin is shown,
// and the times that cannot be kept. `stazioni`: the route's entries;
// `margini`: by station, as righe_scheda_scenario takes them.
std::vector<std::string> note_della_scheda(const scenario& s, const std::vector<int>& stazioni,
                                           const margini_stazioni& margini);

// "10:31:08": seconds since midnight to the second, within the day.
std::string ora_al_secondo(double secondi);

}  // namespace od
