// compila_scenario --esempio: the starting scenario an author edits must be
// the generator's own, and building it must give the generator's binaries.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run/generazione.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace od {
namespace {

using test::cartella_temporanea;

const std::string linea = "Orsella_Drumvane_linea.txt";
const std::string treno = "Orsella_Drumvane_xr40318-.txt";
const std::vector<std::string> binari{"Orsella_Drumvane_linea.dat", "Orsella_Drumvane_xr40318.sim",
                                      "Orsella_Drumvane_xr40318.dat"};

TEST(Esempio, TheGeneratorsOwnTextBuildsTheGeneratorsOwnBinaries) {
  const cartella_temporanea c;
  const std::string esempio = c.file("nuova/sotto");  // two folders that do not exist yet
  const test::esito_processo scritto = test::esegui(OD_COMPILA, {"--esempio", esempio});
  ASSERT_EQ(scritto.stato, 0) << scritto.errori;
  EXPECT_EQ(scritto.uscita, "scritto " + esempio + "/" + linea + "\nscritto " + esempio + "/" + treno +
                                "\nPer costruire i file binari dello scenario:\n  compila_scenario " + esempio +
                                " Orsella_Drumvane xr40318\n");

  // The writers that the generation run calls, into a folder of their own.
  const cartella_temporanea riferimento;
  const scrittori_generazione scrittori = scrittori_carichi();
  scrittori.linea(riferimento.percorso(), "Orsella_Drumvane", "xr40318", chiamate_di_sistema(), sincronia::completa);
  scrittori.treno(riferimento.percorso(), "Orsella_Drumvane", "xr40318", chiamate_di_sistema(), sincronia::completa);
  const std::string cartella_esempio = "nuova/sotto/";
  EXPECT_EQ(c.leggi(cartella_esempio + linea), riferimento.leggi(linea));
  EXPECT_EQ(c.leggi(cartella_esempio + treno), riferimento.leggi(treno));

  const test::esito_processo costruito = test::esegui(OD_COMPILA, {esempio, "Orsella_Drumvane", "xr40318"});
  ASSERT_EQ(costruito.stato, 0) << costruito.errori;
  const cartella_temporanea generazione;
  ASSERT_EQ(test::esegui(test::copia_programma(OD_GENERATORE, generazione.percorso())).stato, 0);
  for (const std::string& b : binari) {
    EXPECT_FALSE(generazione.leggi(b).empty()) << b;
    EXPECT_EQ(c.leggi(cartella_esempio + b), generazione.leggi(b)) << b;
  }
}

TEST(Esempio, AnExistingFileIsReplacedOnlyWhenAsked) {
  const cartella_temporanea c;
  c.scrivi(treno, "mio\r\n");
  const test::esito_processo rifiutato = test::esegui(OD_COMPILA, {"--esempio", c.percorso()});
  EXPECT_EQ(rifiutato.stato, 2);
  EXPECT_EQ(rifiutato.uscita, "");
  EXPECT_EQ(rifiutato.errori, "compila_scenario: " + c.file(treno) +
                                  ": esiste gia'; non lo sostituisco (--sovrascrivi per sostituirlo)\n");
  EXPECT_EQ(c.elenco(), std::vector<std::string>{treno}) << "the line file is not written either";
  EXPECT_EQ(c.leggi(treno), "mio\r\n");

  const test::esito_processo sostituito = test::esegui(OD_COMPILA, {"--esempio", c.percorso(), "--sovrascrivi"});
  EXPECT_EQ(sostituito.stato, 0) << sostituito.errori;
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{linea, treno}));
  EXPECT_NE(c.leggi(treno), "mio\r\n");

  c.scrivi("un_file", "x");
  const test::esito_processo non_cartella = test::esegui(OD_COMPILA, {"--esempio", c.file("un_file")});
  EXPECT_EQ(non_cartella.stato, 2);
  EXPECT_EQ(non_cartella.errori.rfind("compila_scenario: " + c.file("un_file") + ": ", 0), 0u) << non_cartella.errori;
}

}  // namespace
}  // namespace od
