// The language server for the description files: arguments in, exit status
// out; the work is in the library (tools/servizio/comando.h).
#include <iostream>
#include <string>
#include <vector>

#include "platform/cartella.h"
#include "tools/servizio/comando.h"

int main(int argc, char** argv) {
  const std::vector<std::string> argomenti = od::argomenti_programma(argc, argv);
  return od::servizio_scenario(argomenti, std::cout, std::cerr);
}
