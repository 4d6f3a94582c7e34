// The carried scenario as constant rows of text, one entry per line of the
// two description files; the writers add nothing to them.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace od {

inline constexpr std::size_t righe_linea_carico = 309;
inline constexpr std::size_t righe_treno_carico = 65;

extern const std::array<std::string_view, righe_linea_carico> testo_linea_carico;
extern const std::array<std::string_view, righe_treno_carico> testo_treno_carico;

}  // namespace od
