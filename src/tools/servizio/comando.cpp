#include "tools/servizio/comando.h"

#include <iostream>
#include <string_view>

#include "tools/comune/riga_comando.h"
#include "tools/servizio/ciclo.h"
#include "tools/servizio/ingresso.h"

namespace od {
namespace {

constexpr std::string_view programma = "servizio_scenario";

constexpr std::string_view uso = "servizio_scenario [--stdio]";

constexpr std::string_view descrizione =
    "Servizio di linguaggio (Language Server Protocol 3.17) per i file di\n"
    "descrizione PERCORSO_linea.txt e PERCORSO_TRENO-.txt: l'editor lo avvia e\n"
    "gli parla sullo standard input e output. Mentre l'autore scrive, costruisce\n"
    "lo scenario in memoria col testo dell'editor (senza scrivere alcun file) e\n"
    "mostra errori e avvisi alla loro riga; offre anche la descrizione di campi,\n"
    "record e stazioni al passaggio del mouse, il completamento delle chiavi, le\n"
    "correzioni rapide, l'indice del file e l'allineamento delle colonne.";

constexpr std::string_view piede =
    "Il manuale (capitolo \"Lavorare nell'editor\") dice come configurarlo in\n"
    "Visual Studio Code, Neovim, Kate e Notepad++.\n"
    "\n"
    "Stato di uscita:\n"
    "  0   l'editor ha chiuso il servizio (shutdown, exit)\n"
    "  1   l'ingresso e' finito senza shutdown\n"
    "  2   uso errato";

}  // namespace

int servizio_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica) {
  CLI::App app{"", std::string(programma)};
  prepara_riga_comando(app, programma, uso);
  app.description(std::string(descrizione));
  app.footer(std::string(piede));
  // Editors' clients add it by habit; standard input and output are the
  // only channel anyway.
  bool stdio = false;
  app.add_flag("--stdio", stdio, "parla sullo standard input e output (sempre)")->group("Opzioni");
  if (const std::optional<int> fine = analizza_argomenti(app, argomenti, uscita, diagnostica)) return *fine;
  canali_binari();
  return esegui_servizio(leggi_ingresso, uscita);
}

}  // namespace od
