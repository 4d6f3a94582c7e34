// Reads a scenario's binary files back: arguments in, exit status out; the
// work is in the library (tools/mostra/comando.h).
#include <iostream>
#include <string>
#include <vector>

#include "platform/cartella.h"
#include "tools/mostra/comando.h"

int main(int argc, char** argv) {
  const std::vector<std::string> argomenti = od::argomenti_programma(argc, argv);
  return od::mostra_scenario(argomenti, std::cout, std::cerr);
}
