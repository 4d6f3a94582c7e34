// compila_scenario's running times: once the files are built, the table of
// earliest times (with --orario) and the warnings orario-impossibile,
// orario-stretto and orario-senza-fermata, pointing at the station's line of
// the train description file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "builder/modello.h"
#include "tools/comune/opzioni_orario.h"
#include "tools/comune/tabella_orario.h"

namespace od {

// Where each station record of a train description file stands, in the
// order of the file: a line whose first field names "stazione" in any
// letter case, as the reader finds them, not a comment nor a header.
std::vector<luogo_stazione> luoghi_stazioni(const std::string& file, const std::string& testo);

// Prints the warnings to `diagnostica` and, with `tabella`, the table to
// `uscita` (the JSON member instead when `json`). Returns the JSON members.
std::string orario_costruito(const stato_scenario& stato, const opzioni_orario& o, const std::string& file_treno,
                             bool tabella, bool json, std::ostream& uscita, std::ostream& diagnostica);

}  // namespace od
