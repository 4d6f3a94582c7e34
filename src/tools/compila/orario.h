// compila_scenario --orario: once the files are built, the table of earliest
// times and margins (the warnings come with the build's others).
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "modello/modello.h"
#include "percorrenza/treno.h"

namespace od {

// Prints the table to `uscita`, or with `json` returns it as the member
// "orario" of the outcome: {"orario": {...}}.
nlohmann::ordered_json orario_costruito(const scenario& stato, const opzioni_orario& o, bool json,
                                        std::ostream& uscita);

}  // namespace od
