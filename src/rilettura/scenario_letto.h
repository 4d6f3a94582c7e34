// A scenario read back from its binary files, with what the reading found:
// which files decoded whole, where each table entry starts, the sizes, and
// every fault. The decoders (lettura_binari.h) fill it and the checks
// (controlli.h) add to it; neither needs the other's header.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "modello/modello.h"
#include "rilettura/danni.h"

namespace od {

struct scenario_letto {
  // Names, cells, table and plan as the files hold them; `con_planimetria`
  // is 1 when the plan file was there and decoded whole.
  scenario stato;
  bool tabella_letta = false;  // the item table decoded whole
  bool binario_letto = false;  // the track cells decoded whole
  bool planimetria_presente = false;
  std::array<std::size_t, voci_tabella> inizio_voci{};                   // byte where each entry starts
  std::size_t byte_tabella = 0, byte_binario = 0, byte_planimetria = 0;  // file sizes
  std::vector<danno> danni;                                              // every fault found, by file and byte
};

}  // namespace od
