// The line reader on arbitrary bytes, followed by an empty train file.
#include <cstddef>
#include <cstdint>

#include "invarianti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const std::string linea(reinterpret_cast<const char*>(dati), quanti);
  od::fuzz::verifica_o_interrompi(linea, "[generale]\r\n[fine]\r\n", false);
  return 0;
}
