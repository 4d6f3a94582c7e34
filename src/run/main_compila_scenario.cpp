// The scenario compiler: arguments in, exit status out; the work is in the
// library (run/compila.h).
#include <iostream>
#include <string>
#include <vector>

#include "platform/cartella.h"
#include "run/compila.h"

int main(int argc, char** argv) {
  const std::vector<std::string> argomenti = od::argomenti_programma(argc, argv);
  return od::compila_scenario(argomenti, std::cout, std::cerr);
}
