// decompila_scenario's work: the two description files back from a
// scenario's binary files, and the proof that building them gives the same
// files again, byte for byte.
#pragma once

#include <string>
#include <vector>

#include "rilettura/lettura_binari.h"

namespace od {

struct scenario_decompilato {
  std::string testo_linea;  // PERCORSO_linea.txt
  std::string testo_treno;  // PERCORSO_TRENO-.txt
  // Empty when the texts rebuild the files exactly; else one line per
  // difference (see ricostruzione.h).
  std::vector<std::string> differenze;
};

// `letto` must hold a decoded table and track (and plan, when its file was
// there); `immagini` are the bytes it was decoded from (or the plan file's
// path, when the plan was read a block at a time).
scenario_decompilato decompila(const scenario_letto& letto, const immagini_binarie& immagini);

}  // namespace od
