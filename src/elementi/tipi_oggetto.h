// The texts of the item kinds: a plain name for listings and a phrase with
// its article for messages. One table, read by every consumer and test.
#pragma once

#include <cstdint>
#include <string_view>

#include "modello/modello.h"

namespace od {

struct testi_oggetto {
  std::string_view nome;   // "segnale", "fine rallentamento", ...
  std::string_view frase;  // "un segnale", "la fine di un rallentamento", ...
};

testi_oggetto testi(tipo_oggetto tipo);

// The plain name of a byte, or an empty view for a code the build never writes.
std::string_view nome_oggetto(uint8_t codice);
inline bool oggetto_noto(uint8_t codice) { return tipo_noto(codice).has_value(); }

}  // namespace od
