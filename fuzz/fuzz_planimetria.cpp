// The line reader with plans of any length, up to a million rows: the one
// target that pays for long plans, so the others can stay fast.
#include <cstddef>
#include <cstdint>

#include "invarianti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const std::string linea(reinterpret_cast<const char*>(dati), quanti);
  od::fuzz::verifica_o_interrompi(linea, "[generale]\r\n[fine]\r\n", false, od::fuzz::planimetria_sempre);
  return 0;
}
