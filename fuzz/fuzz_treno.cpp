// The train reader on arbitrary bytes, after a short line file (see
// linea_per_treno).
#include <cstddef>
#include <cstdint>

#include "invarianti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const std::string treno(reinterpret_cast<const char*>(dati), quanti);
  od::fuzz::verifica_o_interrompi(od::fuzz::linea_per_treno, treno, false);
  return 0;
}
