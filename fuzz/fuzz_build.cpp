// The whole build from an arbitrary pair (see dividi_coppia), without the
// plan: the walk and the final checks never look at it, and fuzz_linea and
// fuzz_planimetria cover it.
#include <cstddef>
#include <cstdint>

#include "invarianti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const auto [linea, treno] = od::fuzz::dividi_coppia(std::string(reinterpret_cast<const char*>(dati), quanti));
  od::fuzz::verifica_o_interrompi(linea, treno, true, od::fuzz::planimetria_mai);
  return 0;
}
