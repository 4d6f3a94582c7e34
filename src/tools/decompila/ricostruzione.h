// The proof of a decompiled scenario: its two texts built in memory with the
// project's own reader, walk and final checks, as compila_scenario builds
// them, and the result compared with the files it came from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "modello/modello.h"
#include "rilettura/lettura_binari.h"

namespace od {

struct ricostruzione {
  scenario stato;
  int32_t codice_lettura = 0;  // the reading's code, 0 when it read cleanly
  int64_t posizione_lettura = 0;
  int32_t codice_finale = 0;  // 1250 or 1251 from the final checks
};

// Reads both texts, walks the track and stamps the marks, all in memory.
ricostruzione ricostruisci(const std::string& percorso, const std::string& treno, const std::string& testo_linea,
                           const std::string& testo_treno, bool con_planimetria);

// One line per difference between the files found and the model rebuilt:
// "FILE: cella N: campo: trovato X, ricostruito Y", and the like for table
// entries and plan rows; at most `massimo` lines, then a count of the rest.
// Empty when the rebuilt images equal `immagini` byte for byte (a plan named
// by its file is compared with the file a block at a time).
std::vector<std::string> differenze(const scenario_letto& letto, const immagini_binarie& immagini,
                                    const ricostruzione& r, std::size_t massimo = 100);

}  // namespace od
