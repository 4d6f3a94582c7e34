// The running-time table as the authors' tools show it: one aligned row per
// station and one per timed section, as text or as the JSON member
// "orario"; and the calculation's warnings, told the way compilers tell
// theirs.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "builder/modello.h"
#include "percorrenza/orario.h"
#include "tools/comune/opzioni_orario.h"

namespace od {

void scrivi_tabella_orario(const tabella_orario& t, const stato_scenario& stato, const opzioni_orario& o,
                           std::ostream& uscita);

nlohmann::ordered_json json_orario(const tabella_orario& t, const stato_scenario& stato, const opzioni_orario& o);

// Where a warning about a station points: the file, and the line and column
// of the station's record when the tool read a description file (0: none).
struct luogo_stazione {
  std::string file;
  int linea = 0, colonna = 0;
  std::string testo;  // the record's line, shown under the warning
};

// Names: "orario-impossibile", "orario-stretto", "orario-senza-fermata".
std::string nome_avviso(const avviso_orario& a);
std::string frase_avviso(const tabella_orario& t, const avviso_orario& a);
// FILE:LINE:COLUMN: avviso: sentence [name], then the line and a caret.
std::string testo_avviso_orario(const tabella_orario& t, const avviso_orario& a, const luogo_stazione& l);

// Seconds since midnight, rounded to the second, as "hh:mm:ss".
std::string ora_esatta(double secondi);

}  // namespace od
