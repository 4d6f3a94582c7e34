// A long line's plan file is tens of megabytes: these read it from the disk
// a block at a time, never whole. One pass gives the computed rows in order,
// the two columns side by side, each read from its own place in the file;
// another compares a plan's image with the file as the writer produces it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "modello/planimetria.h"

namespace od {

struct forma_planimetria {
  int32_t righe = 0;
  int32_t calcolate = 0;  // 0 for a plan never started
  std::size_t byte = 0;   // the file's size
};

// Calls `righe` with the computed rows after the first two (which are always
// the origin), in order, a few thousand at a time (so that the call costs
// nothing per row), and gives the plan's shape; nothing when the file
// cannot be read or is not a plan as the builder writes it (the careful
// decoder, decodifica_planimetria, then names the fault).
std::optional<forma_planimetria> sfoglia_planimetria(
    const std::string& percorso, const std::function<void(std::span<const planimetria::punto>)>& righe);

// Whether the image of `p` is the content of the file at `percorso`, byte
// for byte; false also when the file cannot be read.
bool stessi_byte_del_file(const planimetria& p, const std::string& percorso);

}  // namespace od
