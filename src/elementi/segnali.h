// A signal's cell and its approach marks, packed and unpacked side by side.
// valore4 = 10 rapp + 3 sx + dx; valore1..3 = 10 s + d for each of the three
// pairs; the marks j = 1 .. 4 on every second cell below the signal carry
// 30 sx + 10 dx + j, those before a station's stopping point 80 + j.
#pragma once

#include <cstdint>
#include <optional>

#include "elementi/divisione.h"
#include "modello/misure_linea.h"

namespace od {

constexpr int64_t impacca_lati(int64_t rapp, int64_t sx, int64_t dx) { return rapp * 10 + sx * 3 + dx; }
constexpr int64_t impacca_coppia(int64_t s, int64_t d) { return s * 10 + d; }

// valore4 does not part sx from dx by itself (the marks and the held time do,
// see tools/decompila/preavvisi.h): these are the parts with dx in 0..2 that
// a signal the build wrote from digits gives back.
struct lati_segnale {
  int64_t sx = 0, dx = 0, rapp = 0;
};
constexpr lati_segnale lati_naturali(int64_t valore4) {
  const int64_t unita = resto_basso(valore4, 10);
  return {unita / 3, unita % 3, quoziente_basso(valore4, 10)};
}

struct coppia_segnale {
  int64_t s = 0, d = 0;
};
constexpr coppia_segnale spacca_coppia(int64_t valore) {
  return {quoziente_basso(valore, 10), resto_basso(valore, 10)};
}

// The approach marks of a signal in cell `c`: mark j stands in cell c - 2j
// and carries base + j (the cell keeps the low 8 bits).
inline constexpr int preavvisi_per_segnale = 4;
constexpr int64_t cella_preavviso_segnale(int64_t c, int64_t j) { return c - 2 * j; }
constexpr int64_t base_preavvisi_segnale(int64_t sx, int64_t dx) { return 30 * sx + 10 * dx; }
constexpr int64_t preavviso_stazione(int64_t j) { return 80 + j; }
// Mark j before the stopping point of a station whose area ends at
// `area_fine`; none when the area ends within 50 (2 + j) m of the start.
constexpr std::optional<int64_t> cella_preavviso_stazione(int64_t area_fine, int64_t j) {
  if (area_fine <= inizio_cella(2 + j)) return std::nullopt;
  return cella_di(area_fine - inizio_cella(1 + j));
}

}  // namespace od
