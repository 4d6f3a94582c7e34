// Shows the window and then the message of a failed final check, each held
// until a line arrives on standard input, so that a script can take a
// picture of both. Built from the same window code as the generator, which
// itself never waits for anybody.
#include <iostream>
#include <string>

#include "platform/finestra.h"
#include "run/generazione.h"

namespace {

// Tells the script what is on the screen, then waits for its go-ahead.
void annuncia_e_attendi(const char* stato) {
  std::cout << stato << std::endl;
  std::string riga;
  std::getline(std::cin, riga);
}

}  // namespace

int main() {
  const auto finestra = od::finestra_della_piattaforma();
  finestra->mostra("Attendere");
  annuncia_e_attendi("finestra");
  std::cout << "messaggio" << std::endl;
  od::errore(*finestra, "1250");
  std::cout << "chiuso" << std::endl;
  return od::uscita_errore;
}
