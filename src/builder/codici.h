// Every code that the build records, with its meaning in one plain sentence
// and whether a position in metres goes with it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace od {

struct descrizione_codice {
  int32_t codice;
  bool con_posizione;
  std::string_view significato;
};

// Every code by name (codici.def); `nessuno` is a reading or a placement
// that recorded none. A position beyond the track (fuori_binario): the
// reader stops there, runs its final fill and records it.
enum class codici : int32_t {
  nessuno = 0,
#define OD_CODICE(nome, numero, con_posizione, significato) nome = numero,
#include "builder/codici.def"
#undef OD_CODICE
};

// The number of a code, as the messages show it and the build keeps it.
constexpr int32_t numero(codici c) { return static_cast<int32_t>(c); }

inline constexpr codici codice_fuori_binario = codici::fuori_binario;

std::span<const descrizione_codice> tutti_i_codici();
// The entry for a code, or nullptr for a code the build never records.
const descrizione_codice* descrivi_codice(int32_t codice);

// Where a code with a position stands, as every message writes it:
// "posizione P m, cella C".
std::string testo_posizione(int64_t posizione, int64_t cella);

}  // namespace od
