// Every code that the build records, with its meaning in one plain sentence
// and whether a position in metres goes with it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace od {

struct descrizione_codice {
  int32_t codice;
  bool con_posizione;
  std::string_view significato;
};

// A position beyond the track: the reader stops there, runs its final fill
// and records this code.
inline constexpr int32_t codice_fuori_binario = 15;

std::span<const descrizione_codice> tutti_i_codici();
// The entry for a code, or nullptr for a code the build never records.
const descrizione_codice* descrivi_codice(int32_t codice);

}  // namespace od
