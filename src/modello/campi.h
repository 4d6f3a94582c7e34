// The field order and widths of a track cell and of a table entry, written
// out once. The binary files store these records field by field, so this
// order is part of their format: the writer, the read-back, the listings, the
// JSON and the comparisons all walk these two lists, and a layout cannot
// drift between them. A field's width is its type: uint8_t one byte, int16_t
// two, int32_t four, and std::string a text (a 16-bit length, then its bytes).
#pragma once

#include <concepts>
#include <type_traits>

#include "modello/modello.h"

namespace od {

// Calls `visita(name, field)` for every field of `c`, in file order; const
// or not, as `c` is.
template <typename Cella, typename Visitatore>
requires std::same_as<std::remove_const_t<Cella>, cella>
constexpr void per_ogni_campo(Cella& c, Visitatore&& visita) {
  visita("oggetto", c.oggetto);
  visita("valore1", c.valore1);
  visita("valore2", c.valore2);
  visita("valore3", c.valore3);
  visita("valore4", c.valore4);
  visita("attesa", c.attesa);
  visita("preavviso", c.preavviso);
  visita("montagna", c.montagna);
  visita("vmax", c.vmax);
  visita("pendenza", c.pendenza);
  visita("aderenza", c.aderenza);
}

template <typename Voce, typename Visitatore>
requires std::same_as<std::remove_const_t<Voce>, voce>
constexpr void per_ogni_campo(Voce& v, Visitatore&& visita) {
  visita("tipo", v.tipo);
  visita("area_inizio", v.area_inizio);
  visita("area_fine", v.area_fine);
  visita("posizione", v.posizione);
  visita("opzione_a", v.opzione_a);
  visita("nome", v.nome);
  visita("terna_a1", v.terna_a1);
  visita("terna_a2", v.terna_a2);
  visita("terna_b1", v.terna_b1);
  visita("terna_b2", v.terna_b2);
  visita("terna_b3", v.terna_b3);
  visita("terna_a3", v.terna_a3);
  visita("sosta", v.sosta);
  visita("opzione_c", v.opzione_c);
  visita("opzione_b", v.opzione_b);
  visita("orario", v.orario);
}

}  // namespace od
