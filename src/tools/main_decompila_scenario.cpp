// Rewrites a scenario's description files from its binary files: arguments
// in, exit status out; the work is in the library (tools/decompila/comando.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/decompila/comando.h"

int main(int argc, char** argv) {
  const std::vector<std::string> argomenti(argv + 1, argv + argc);
  return od::decompila_scenario(argomenti, std::cout, std::cerr);
}
