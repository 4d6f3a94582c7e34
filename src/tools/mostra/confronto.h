// Two scenarios of the same names side by side: what differs, in order of
// position along the line, so that an author sees which of his edits moved
// which cells.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "rilettura/lettura_binari.h"

namespace od {

struct differenza {
  std::optional<int32_t> posizione;  // metres along the line; none for values of the whole scenario
  std::string cosa;                  // "cella 243", "celle 100-180", "stazione 4 NAME", "voce 85", ...
  std::string dettaglio;             // "oggetto 1 (segnale) -> 0 (vuota), valore1 40 -> 0"

  bool operator==(const differenza&) const = default;
};

// Values of the whole scenario first, then by position; neighbouring cells
// with the same change are one entry.
std::vector<differenza> confronta_scenari(const scenario_letto& primo, const scenario_letto& secondo);

void scrivi_differenze(const std::vector<differenza>& d, const std::string& primo, const std::string& secondo,
                       std::ostream& uscita);
void scrivi_differenze_json(const std::vector<differenza>& d, const std::string& primo, const std::string& secondo,
                            std::ostream& uscita);

}  // namespace od
