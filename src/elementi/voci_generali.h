// The general entries of the item table, by name. Entries 81 to 83 hold the
// posted progressives (modello/progressiva.h reads them); entries 84 to 86
// hold values of the whole run in fields whose names come from the stations'
// layout, so the readers write them and every consumer reads them through
// these accessors alone. Cell 1 carries the two run-wide marks that the final
// checks stamp over whatever item stands there.
#pragma once

#include <concepts>
#include <cstddef>
#include <type_traits>

#include "modello/modello.h"

namespace od {

// A scenario, const or not: the accessors give a reference of the same
// constness, for the readers to write and the consumers to read.
template <typename S>
concept scenario_qualsiasi = std::derived_from<std::remove_const_t<S>, scenario>;

template <scenario_qualsiasi S>
constexpr auto& voce_n(S& s, int n) {
  return s.tabella[static_cast<std::size_t>(n)];
}

// Entry 84: the train and the line.
template <scenario_qualsiasi S>
constexpr auto& massa_frenata(S& s) {
  return voce_n(s, voce_treno).area_inizio;
}
template <scenario_qualsiasi S>
constexpr auto& lunghezza_linea(S& s) {
  return voce_n(s, voce_treno).area_fine;
}
template <scenario_qualsiasi S>
constexpr auto& vetture(S& s) {
  return voce_n(s, voce_treno).posizione;
}

// Entry 85: the route's three backgrounds, its mark and its weighted code.
template <scenario_qualsiasi S>
constexpr auto& sfondo_uno(S& s) {
  return voce_n(s, voce_percorso).area_inizio;
}
template <scenario_qualsiasi S>
constexpr auto& sfondo_due(S& s) {
  return voce_n(s, voce_percorso).posizione;
}
template <scenario_qualsiasi S>
constexpr auto& sfondo_tre(S& s) {
  return voce_n(s, voce_percorso).area_fine;
}
template <scenario_qualsiasi S>
constexpr auto& segno_in_tabella(S& s) {
  return voce_n(s, voce_percorso).terna_a1;
}
template <scenario_qualsiasi S>
constexpr auto& codice_st(S& s) {
  return voce_n(s, voce_percorso).orario;
}

// Entry 86: the signal repetition, the sand and the clock.
template <scenario_qualsiasi S>
constexpr auto& ripetizione_primo(S& s) {
  return voce_n(s, voce_ripetizione).area_inizio;
}
template <scenario_qualsiasi S>
constexpr auto& ripetizione_secondo(S& s) {
  return voce_n(s, voce_ripetizione).area_fine;
}
template <scenario_qualsiasi S>
constexpr auto& ripetizione_codici(S& s) {
  return voce_n(s, voce_ripetizione).posizione;
}
template <scenario_qualsiasi S>
constexpr auto& sabbia(S& s) {
  return voce_n(s, voce_ripetizione).terna_a1;
}
template <scenario_qualsiasi S>
constexpr auto& orologio_ore(S& s) {
  return voce_n(s, voce_ripetizione).terna_b1;
}
template <scenario_qualsiasi S>
constexpr auto& orologio_minuti(S& s) {
  return voce_n(s, voce_ripetizione).terna_b2;
}
template <scenario_qualsiasi S>
constexpr auto& orologio_secondi(S& s) {
  return voce_n(s, voce_ripetizione).terna_b3;
}

// Cell 1: the track's mark and its weighted code, over the item's own values,
// which were 0 there.
template <scenario_qualsiasi S>
constexpr auto& segno_in_binario(S& s) {
  return s.binario[1].valore1;
}
template <scenario_qualsiasi S>
constexpr auto& codice_og(S& s) {
  return s.binario[1].valore2;
}

// Cell `c` as its item left it, without the run-wide marks of cell 1.
inline cella cella_senza_segni(const scenario& s, int32_t c) {
  cella k = s.binario[static_cast<std::size_t>(c)];
  if (c == 1) k.valore1 = k.valore2 = 0;
  return k;
}

// The last cell that the readers fill with running values (adhesion, speed
// limit, gradient); the last three cells keep 0.
inline int32_t ultima_cella_riempita(const scenario& s) { return s.ultima_cella() - 3; }

}  // namespace od
