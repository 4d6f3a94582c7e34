// One element of the plan file: a 16-bit type code, then the value it
// announces (nothing, a 16-bit whole number or a double), little-endian like
// every number of the files. The writer encodes every element through
// codifica_elemento and the read-back decodes it through decodifica_elemento,
// so the codes and widths live here alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "modello/planimetria.h"
#include "output/codifica.h"

namespace od {

inline constexpr uint16_t codice_vuoto = 0;   // no value
inline constexpr uint16_t codice_intero = 2;  // 16-bit signed whole number
inline constexpr uint16_t codice_doppio = 5;  // IEEE 754 double

struct elemento_planimetria {
  uint16_t codice = codice_vuoto;  // type code, 16 bits
  double valore = 0;               // the value, none for an empty element

  // The kind of row that the code stands for; none for an unknown code.
  std::optional<planimetria::tipo_riga> tipo() const {
    switch (codice) {
      case codice_vuoto:
        return planimetria::tipo_riga::vuota;
      case codice_intero:
        return planimetria::tipo_riga::intera;
      case codice_doppio:
        return planimetria::tipo_riga::doppia;
    }
    return std::nullopt;
  }
};

// Bytes of an element of each kind.
inline constexpr std::size_t byte_elemento_vuoto = 2;
inline constexpr std::size_t byte_elemento_intero = 4;
inline constexpr std::size_t byte_elemento_doppio = 10;

// Writes `e` at `p`, which must have room for it, and returns the byte after
// it. The value of a whole element is cut to 16 bits, as the model holds it.
inline char* codifica_elemento(char* p, const elemento_planimetria& e) {
  p = codifica_u16(p, e.codice);
  if (e.codice == codice_intero) return codifica_i16(p, static_cast<int16_t>(e.valore));
  if (e.codice == codice_doppio) return codifica_f64(p, e.valore);
  return p;
}

// Reads one element through `l` (the read-back's byte reader: u16, i16 and
// f64, each naming the field for a file that ends inside it). An unknown
// code is returned as read, with no value, for the caller to report.
template <typename Lettore>
elemento_planimetria decodifica_elemento(Lettore& l) {
  elemento_planimetria e;
  e.codice = l.u16("tipo di un elemento");
  if (e.codice == codice_intero) e.valore = l.i16("valore di un elemento intero");
  if (e.codice == codice_doppio) e.valore = l.f64("valore di un elemento doppio");
  return e;
}

}  // namespace od
