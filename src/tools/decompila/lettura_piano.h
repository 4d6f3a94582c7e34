// The binary files as the decompiler reads them. A long line's plan file is
// tens of megabytes, yet a plan the builder wrote is a few curves: it is read
// a block at a time into a plan of runs (the same rows, bit for bit), and the
// proof compares the rebuilt plan with the file on disk, again a block at a
// time. Only a plan that no curves give (edited by hand, damaged) is read
// whole, for the careful decoder and the row-by-row differences.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "modello/planimetria.h"
#include "rilettura/lettura_binari.h"

namespace od {

struct piano_letto {
  planimetria piano;
  std::size_t byte = 0;  // the file's size
};

// The plan file at `percorso` as runs of the curvatures of the curve keys;
// nothing when a row is not such a step of the two before it, or the file
// is not a plan as the builder writes it (curve.cpp).
std::optional<piano_letto> piano_di_curve(const std::string& percorso);

// Reads and decodes the three files of the scenario in `cartella`; `immagini`
// gets what the proof compares with. Throws errore_file as leggi_immagini.
scenario_letto leggi_da_decompilare(const std::string& cartella, const std::string& percorso, const std::string& treno,
                                    immagini_binarie& immagini);

}  // namespace od
