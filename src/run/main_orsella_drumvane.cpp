// The generator: no arguments, everything happens in the program's folder.
#include <iostream>

#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "platform/finestra.h"
#include "run/generazione.h"

int main() {
  std::string cartella;
  try {
    cartella = od::cartella_programma();
  } catch (const od::errore_file& e) {
    std::cerr << "orsella_drumvane: " << e.what() << '\n';
    return od::uscita_file;
  }
  const auto finestra = od::finestra_della_piattaforma();
  return od::esegui_generazione(*finestra, cartella, std::cerr);
}
