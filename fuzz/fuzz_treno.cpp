// The train reader on arbitrary bytes after the carried line file.
#include <cstddef>
#include <cstdint>

#include "invarianti.h"
#include "scenario_text/scenario_carico.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  static const std::string linea = od::testo_righe(od::righe_linea());
  const std::string treno(reinterpret_cast<const char*>(dati), quanti);
  od::fuzz::verifica_o_interrompi(linea, treno, false);
  return 0;
}
