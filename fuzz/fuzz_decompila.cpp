// The decompiler on arbitrary bytes as a scenario's files (see dividi_immagini).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "invarianti_decompila.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const std::string violazione =
      od::fuzz::verifica_decompilazione(std::string(reinterpret_cast<const char*>(dati), quanti));
  if (violazione.empty()) return 0;
  std::fprintf(stderr, "invariante violata: %s\n", violazione.c_str());
  std::abort();
}
