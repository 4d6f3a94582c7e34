// The whole build from an arbitrary pair: the input is the line file, a
// line holding only "%%", and the train file.
#include <cstddef>
#include <cstdint>

#include "invarianti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const std::string ingresso(reinterpret_cast<const char*>(dati), quanti);
  const std::size_t separatore = ingresso.find("\n%%\n");
  const std::string linea = ingresso.substr(0, separatore);
  const std::string treno = separatore == std::string::npos ? std::string() : ingresso.substr(separatore + 4);
  od::fuzz::costruisci_due_volte(linea, treno, true);
  return 0;
}
