// The fixed measures of the track, named once: the readers place items by
// them, the walk and the final marks use them, and the tools that read the
// files back turn cells into positions with the same conversions, so the
// two directions cannot drift apart.
#pragma once

#include <array>
#include <cstdint>

#include "modello/arrotonda.h"

namespace od {

inline constexpr int32_t metri_cella = 50;        // every track cell covers 50 m of line
inline constexpr int32_t coda_binario = 7000;     // metres of track after the end of the line
inline constexpr int32_t distanza_avviso = 1200;  // a slowdown's warning stands this far before its start, m
inline constexpr int32_t celle_avviso = distanza_avviso / metri_cella;  // the same distance in cells
static_assert(celle_avviso * metri_cella == distanza_avviso);
// The longest line that a scenario may describe, m.
inline constexpr int32_t lunghezza_massima = 1000000;
// Slowdowns that start within this distance of the line's start have no room
// for a warning (nor its approach marks) before them, m.
inline constexpr int32_t inizio_con_avviso = 1500;
// A station whose opzione_c is set has its area end this much further, m.
inline constexpr int32_t allungo_area = 50;

// The two fixed marks that the simulator looks for in a finished scenario.
inline constexpr int16_t segno_tabella = 610;   // terna_a1 of the route's entry
inline constexpr int16_t segno_binario = 5121;  // valore1 of cell 1

// Radians per metre of the curve digits 1 to 6 (curvad1 .. curvad6); a left
// curve turns by the same amount the other way.
inline constexpr std::array<double, 6> curvature{0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// Metres of track for a line of `lunghezza` metres, and its last cell.
constexpr int64_t metri_binario(int64_t lunghezza) { return lunghezza + coda_binario; }
constexpr int64_t ultima_cella_di(int64_t lunghezza) { return arrotonda_div(metri_binario(lunghezza), metri_cella); }

// A point item (signal, board, sign, slowdown start) placed at position p
// goes to cell round(p / 50 + 1); posizione_puntuale is the way back.
constexpr int64_t cella_puntuale(int64_t p) { return arrotonda_div(p + metri_cella, metri_cella); }
constexpr int64_t posizione_puntuale(int64_t c) { return (c - 1) * metri_cella; }

// A running value (gradient, speed, adhesion) changed at p holds from cell
// round(p / 50), which begins at inizio_cella of it.
constexpr int64_t cella_di(int64_t p) { return arrotonda_div(p, metri_cella); }
constexpr int64_t inizio_cella(int64_t c) { return c * metri_cella; }

}  // namespace od
