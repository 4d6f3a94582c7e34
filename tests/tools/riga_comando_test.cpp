// The command line that every tool shares: help and version on standard
// output with status 0, CLI11's own messages in Italian.
#include "tools/comune/riga_comando.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/processo.h"

namespace od {
namespace {

TEST(RigaComando, EveryToolAnswersHelpAndVersion) {
  for (const std::string& programma : {std::string(OD_COMPILA), std::string(OD_MOSTRA), std::string(OD_DECOMPILA)}) {
    const std::string nome = std::filesystem::path(programma).filename().string();
    const test::esito_processo versione = test::esegui(programma, {"--version"});
    EXPECT_EQ(versione.stato, 0);
    EXPECT_EQ(versione.uscita, nome + " " + OD_VERSIONE + "\n");
    EXPECT_EQ(versione.errori, "");
    const test::esito_processo aiuto = test::esegui(programma, {"--help"});
    EXPECT_EQ(aiuto.stato, 0);
    EXPECT_EQ(aiuto.uscita.rfind("Uso: " + nome + " [OPZIONI]", 0), 0u) << aiuto.uscita;
    EXPECT_NE(aiuto.uscita.find("Stato di uscita:"), std::string::npos);
    EXPECT_EQ(aiuto.errori, "");
  }
}

// Runs a small command line with one option of each kind through the shared
// setup and returns what it printed on standard error.
std::string errore_di(const std::vector<std::string>& argomenti) {
  CLI::App app{"", "prova"};
  prepara_riga_comando(app, "prova", "prova [--valore N] [--sì] NOME");
  int valore = 0;
  bool si = false, no = false;
  std::string nome;
  app.add_option("--valore", valore);
  app.add_flag("--sì", si);
  app.add_flag("--no", no)->excludes("--sì");
  app.add_option("NOME", nome)->required();
  std::ostringstream uscita, diagnostica;
  EXPECT_EQ(analizza_argomenti(app, argomenti, uscita, diagnostica), std::optional<int>(stato_uso_errato));
  EXPECT_EQ(uscita.str(), "");
  return diagnostica.str();
}

TEST(RigaComando, CLI11sMessagesReadInItalian) {
  const std::string uso = "Uso: prova [--valore N] [--sì] NOME\n";
  EXPECT_EQ(errore_di({}), "prova: manca NOME\n" + uso);
  EXPECT_EQ(errore_di({"a", "--altro"}), "prova: opzione sconosciuta: --altro\n" + uso);
  EXPECT_EQ(errore_di({"a", "b"}), "prova: argomento in piu': b\n" + uso);
  EXPECT_EQ(errore_di({"a", "b", "c"}), "prova: argomenti in piu': b c\n" + uso);
  EXPECT_EQ(errore_di({"a", "--valore"}), "prova: --valore vuole un valore (INT)\n" + uso);
  EXPECT_EQ(errore_di({"a", "--valore", "dieci"}), "prova: valore non valido per --valore: \"dieci\"\n" + uso);
  EXPECT_EQ(errore_di({"a", "--sì=forse"}), "prova: valore non valido per --sì: \"forse\"\n" + uso);
  EXPECT_EQ(errore_di({"a", "--no", "--sì"}), "prova: --sì non si usa insieme a --no\n" + uso);
  EXPECT_EQ(errore_di({"a", "--valore", "1", "--valore", "2"}), "prova: --valore si puo' dare una volta sola\n" + uso);
}

TEST(RigaComando, ANameMustNotReachIntoAnotherFolder) {
  EXPECT_EQ(controlla_nome("TRENO", "xr1"), "");
  EXPECT_EQ(controlla_nome("TRENO", ""), "TRENO vuoto");
  EXPECT_EQ(controlla_nome("TRENO", "../x"), "TRENO contiene \"/\": \"../x\"");
  EXPECT_EQ(controlla_nome("PERCORSO", "a\\b"), "PERCORSO contiene \"\\\": \"a\\b\"");
}

}  // namespace
}  // namespace od
