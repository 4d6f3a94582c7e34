// The running-time table as the authors' tools show it: one aligned row per
// station and one per timed section, as text or as the JSON member
// "orario" (with its warnings, named and said as the build says them).
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "modello/modello.h"
#include "percorrenza/orario.h"
#include "tools/comune/opzioni_orario.h"

namespace od {

void scrivi_tabella_orario(const tabella_orario& t, const scenario& stato, const opzioni_orario& o,
                           std::ostream& uscita);

nlohmann::ordered_json json_orario(const tabella_orario& t, const scenario& stato, const opzioni_orario& o);

}  // namespace od
