// The generator: everything happens in the program's folder. Its only
// arguments are --help and --version, which write no file.
#include <iostream>
#include <optional>

#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "platform/finestra.h"
#include "run/argomenti_generatore.h"
#include "run/generazione.h"

int main(int argc, char** argv) {
  const std::optional<int> fine =
      od::analizza_argomenti_generatore(od::argomenti_programma(argc, argv), std::cout, std::cerr);
  if (fine) return *fine;
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
