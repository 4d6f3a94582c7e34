// The approach-mark cells (`preavviso`) are written without a test by
// stations (81 to 84 below their stopping point) and by signals (30 sx +
// 10 dx + j on every second cell below them), and the record read last
// wins. Stations keep their numbers' order; signals go anywhere. This finds
// an order of the two kinds in the train file that gives every mark cell its
// stored value, keeping the usual order (stations, then signals along the
// line) wherever the marks allow it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "elementi/segnali.h"
#include "modello/modello.h"

namespace od {

// The shortest parts that pack to `valore4`, agree with the held time and
// give marks of `base` + j (when a base is asked for); nothing when none do.
std::optional<lati_segnale> lati(int16_t valore4, uint8_t attesa, std::optional<int> base);

struct scrittura_preavvisi {
  bool stazione = false;
  int32_t numero = 0;       // the station's number, or the signal's cell
  std::optional<int> base;  // a signal's 30 sx + 10 dx, when a mark it leaves shows it
};

// Stations 1 to `stazioni` and every signal cell, in the order for the text.
std::vector<scrittura_preavvisi> ordine_preavvisi(const scenario& s, int stazioni);

}  // namespace od
