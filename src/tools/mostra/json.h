// The read-back as one JSON document: files, damage, general values, every
// item, the runs of the running values, the whole table and, on request, a
// range of cells.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

#include "elementi/elementi.h"
#include "rilettura/lettura_binari.h"
#include "tools/mostra/celle.h"

namespace od {

// `orario`, when given, becomes the member "orario" (--orario).
void scrivi_json(const scenario_letto& s, const elementi_linea& e, const std::optional<intervallo_celle>& celle,
                 std::ostream& uscita, const nlohmann::ordered_json* orario = nullptr,
                 const nlohmann::ordered_json* proposta = nullptr);

}  // namespace od
