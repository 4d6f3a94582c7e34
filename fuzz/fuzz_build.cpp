// The whole build from an arbitrary pair (see dividi_coppia).
#include <cstddef>
#include <cstdint>

#include "invarianti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const auto [linea, treno] = od::fuzz::dividi_coppia(std::string(reinterpret_cast<const char*>(dati), quanti));
  od::fuzz::verifica_o_interrompi(linea, treno, true);
  return 0;
}
