// Plain names of the item codes that a track cell can hold.
#pragma once

#include <cstdint>
#include <string_view>

namespace od {

// The name of an item code, or an empty view for a code the build never writes.
std::string_view nome_oggetto(uint8_t codice);
inline bool oggetto_noto(uint8_t codice) { return !nome_oggetto(codice).empty(); }

}  // namespace od
