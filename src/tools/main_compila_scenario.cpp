// The scenario compiler: arguments in, exit status out; the work is in the
// library (tools/compila/comando.h).
#include <iostream>
#include <string>
#include <vector>

#include "platform/cartella.h"
#include "tools/compila/comando.h"

int main(int argc, char** argv) {
  const std::vector<std::string> argomenti = od::argomenti_programma(argc, argv);
  return od::compila_scenario(argomenti, std::cout, std::cerr);
}
