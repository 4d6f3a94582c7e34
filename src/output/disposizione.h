// Where each field of a record lies in its file, computed from the one field
// list (modello/campi.h) and the widths it implies, so that the checks that
// point at a byte and the readers that step over records never hold a number
// of their own. A text takes its 16-bit length and then its characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "modello/campi.h"

namespace od {

constexpr std::size_t byte_campo(uint8_t) { return 1; }
constexpr std::size_t byte_campo(int16_t) { return 2; }
constexpr std::size_t byte_campo(int32_t) { return 4; }
constexpr std::size_t byte_campo(const std::string& testo) { return 2 + testo.size(); }

// Bytes of record `r` in its file.
template <typename Record>
constexpr std::size_t byte_record(const Record& r) {
  std::size_t byte = 0;
  per_ogni_campo(r, [&byte](std::string_view, const auto& campo) { byte += byte_campo(campo); });
  return byte;
}

// Offset of field `nome` from the start of record `r`, the texts before it
// counted at their length in `r`. A name that the list does not hold is a
// fault of the caller: a compile error where the offset is a constant.
template <typename Record>
constexpr std::size_t scostamento(const Record& r, std::string_view nome) {
  std::size_t byte = 0, trovato = 0;
  bool trovata = false;
  per_ogni_campo(r, [&](std::string_view campo, const auto& valore) {
    if (!trovata && campo == nome) {
      trovato = byte;
      trovata = true;
    }
    byte += byte_campo(valore);
  });
  if (!trovata) throw std::logic_error("campo sconosciuto");
  return trovato;
}

// A track cell has no text: its size and offsets are constants.
inline constexpr std::size_t byte_cella = byte_record(cella{});

// Byte where field `nome` of cell `c` lies in the track cell file.
constexpr std::size_t byte_di_cella(std::size_t c, std::string_view nome) {
  return c * byte_cella + scostamento(cella{}, nome);
}

}  // namespace od
