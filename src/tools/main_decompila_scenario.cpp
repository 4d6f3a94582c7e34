// Rewrites a scenario's description files from its binary files: arguments
// in, exit status out; the work is in the library (tools/decompila/comando.h).
#include <iostream>
#include <string>
#include <vector>

#include "platform/cartella.h"
#include "tools/decompila/comando.h"

int main(int argc, char** argv) {
  const std::vector<std::string> argomenti = od::argomenti_programma(argc, argv);
  return od::decompila_scenario(argomenti, std::cout, std::cerr);
}
