// The command line that every tool shares: help and version on standard
// output with status 0, CLI11's own messages in Italian.
#include "tools/comune/riga_comando.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/processo.h"

namespace od {
namespace {

TEST(RigaComando, EveryToolAnswersHelpAndVersion) {
  for (const std::string& programma :
       {std::string(OD_COMPILA), std::string(OD_MOSTRA), std::string(OD_DECOMPILA), std::string(OD_SERVIZIO)}) {
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

// A small command line with one option of each kind, set up the shared way.
struct riga_prova {
  CLI::App app{"", "prova"};
  int valore = 0;
  std::vector<int> punti;
  int pari = 0;
  bool si = false, no = false, piano = false;
  std::string nome;

  riga_prova() {
    prepara_riga_comando(app, "prova", "prova [--valore N] [--sì] NOME");
    app.add_option("--valore", valore);
    app.add_option("--punti", punti)->expected(2);
    app.add_option("--pari", pari)
        ->check(CLI::Validator(
            [](std::string& t) {
              return t.size() % 2 == 0 ? std::string() : "vuole un numero di cifre pari, non " + t;
            },
            ""));
    app.add_flag("--sì", si);
    app.add_flag("--no", no)->excludes("--sì");
    app.add_flag("--piano", piano)->needs("--valore");
    app.add_option("NOME", nome)->required();
  }
};

// What the small command line printed on standard error for `argomenti`.
std::string errore_di(const std::vector<std::string>& argomenti) {
  riga_prova r;
  std::ostringstream uscita, diagnostica;
  EXPECT_EQ(analizza_argomenti(r.app, argomenti, uscita, diagnostica), std::optional<int>(stato_uso_errato));
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
  EXPECT_EQ(errore_di({"a", "--piano"}), "prova: --piano si usa solo insieme a --valore\n" + uso);
  EXPECT_EQ(errore_di({"a", "--punti", "1"}), "prova: --punti vuole almeno 2 valori, ne ha 1\n" + uso);
  EXPECT_EQ(errore_di({"a", "--pari", "123"}), "prova: --pari: vuole un numero di cifre pari, non 123\n" + uso);
}

// What the author typed comes out as typed, whatever words it holds: CLI11's
// own phrases, blanks, and several extra arguments in the order given.
TEST(RigaComando, TypedArgumentsAreNeverMistakenForCLI11sWords) {
  const std::string uso = "Uso: prova [--valore N] [--sì] NOME\n";
  EXPECT_EQ(errore_di({"a", "The following argument was not expected"}),
            "prova: argomento in piu': \"The following argument was not expected\"\n" + uso);
  EXPECT_EQ(errore_di({"a", "x is required"}), "prova: argomento in piu': \"x is required\"\n" + uso);
  EXPECT_EQ(errore_di({"a", "b c", "d", "e f g"}), "prova: argomenti in piu': \"b c\" d \"e f g\"\n" + uso);
  EXPECT_EQ(errore_di({"a", "", "--x=y z"}), "prova: argomenti in piu': \"\" \"--x=y z\"\n" + uso);
  EXPECT_EQ(errore_di({"a", "--valore", "Could not convert: --valore = 1"}),
            "prova: valore non valido per --valore: \"Could not convert: --valore = 1\"\n" + uso);
  EXPECT_EQ(errore_di({"The value a is not an allowed value for b", "--sì", "--no"}),
            "prova: --sì non si usa insieme a --no\n" + uso);
}

TEST(RigaComando, ErrorsOutsideTheParseAreSaidInItalianToo) {
  riga_prova r;
  try {
    r.app.get_option("--manca");
    ADD_FAILURE() << "--manca is not an option";
  } catch (const CLI::OptionNotFound& e) {
    EXPECT_EQ(messaggio_italiano(r.app, e), "opzione non definita nel programma: --manca");
  }
  EXPECT_EQ(messaggio_italiano(r.app, CLI::FileError::Missing("prova.ini")),
            "argomenti non validi (prova.ini was not readable (missing?))");
}

TEST(RigaComando, ANameMustNotReachIntoAnotherFolder) {
  EXPECT_EQ(controlla_nome("TRENO", "xr1"), "");
  EXPECT_EQ(controlla_nome("TRENO", ""), "TRENO vuoto");
  EXPECT_EQ(controlla_nome("TRENO", "../x"), "TRENO contiene \"/\": \"../x\"");
  EXPECT_EQ(controlla_nome("PERCORSO", "a\\b"), "PERCORSO contiene \"\\\": \"a\\b\"");
}

}  // namespace
}  // namespace od
