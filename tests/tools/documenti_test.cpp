// compila_scenario --documenti and mostra_scenario --documenti: the built-in
// scenario's documents against the generator's, the same documents from the
// description files and from the binary files, and the refusal to replace
// documents that the author did not ask to replace.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "documents/documenti.h"
#include "documents/documenti_scenario.h"
#include "run/generazione.h"
#include "support/cartella_temporanea.h"
#include "tools/compila/comando.h"
#include "tools/comune/documenti.h"
#include "tools/mostra/comando.h"
#include "tools/scenario_prova.h"

namespace od {
namespace {

using test::cartella_temporanea;

const std::string percorso(nome_percorso_carico), treno(nome_treno_carico);
const nomi_documenti nomi = nomi_documenti_scenario(percorso, treno);

using test::esecuzione;
using test::in_processo;

// The header of the generator's documents, as options.
const std::vector<std::string> testata_carica{"--numero-treno",    "40318",     "--categoria", "V140 C",
                                              "--classificazione", "REGIONALE", "--massa",     "280",
                                              "--velocita-marcia", "70"};

std::vector<std::string> con(std::vector<std::string> a, const std::vector<std::string>& poi) {
  a.insert(a.end(), poi.begin(), poi.end());
  return a;
}

std::vector<std::string> righe(const std::string& testo) {
  std::vector<std::string> r;
  std::size_t inizio = 0;
  for (std::size_t fine; (fine = testo.find("\r\n", inizio)) != std::string::npos; inizio = fine + 2) {
    r.push_back(testo.substr(inizio, fine - inizio));
  }
  EXPECT_EQ(inizio, testo.size()) << "ogni riga finisce con CR LF";
  return r;
}

// Line by line; `attese` holds, by 1-based line, the built line where the
// carried text rightly differs from the data.
void confronta(const std::string& costruito, const lista_righe& carico,
               const std::map<std::size_t, std::string>& attese) {
  const std::vector<std::string> a = righe(costruito), b = righe(testo_righe(carico));
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t n = 1; n <= b.size(); ++n) {
    const auto diversa = attese.find(n);
    EXPECT_EQ(a[n - 1], diversa == attese.end() ? b[n - 1] : diversa->second) << "riga " << n;
    if (diversa != attese.end()) {
      EXPECT_NE(b[n - 1], diversa->second) << "riga " << n << ": non differisce";
    }
  }
}

// Where the built sheet rightly differs from the generator's: the hand-written
// passing times that the running-time calculation (under its default train)
// puts half a minute or a minute apart, and the block post's name, which the
// carried sheet writes otherwise than the train file.
const std::map<std::size_t, std::string> scheda_diversa{
    {19, " |     |     |  16.550  |     | CASTELGRISO                |       10.15+      |     |"},
    {20, " |     |     |  22.900  |     | MOLVERANO                  |       10.21+      |     |"},
    {24, " |     |     |  54.250  |     | P.M. 54.250                |       10.53+      |     |"},
    {25, " |     |     |  58.100  |     | ROCCAVELLO                 |       10.56+      |     |"},
    {26, " |     |     |  70.850  |     | TREMOSCA                   |       11.06+      |     |"},
    {28, " |     |     |  82.350  |     | ALPE GRENNA                |       11.18       |     |"},
    {30, " |     |     |  13.100  |     | MISSALDO                   |       11.21       |     |"},
    {31, " |     |     |  11.950  |     | VAL CIARESE                |       11.22       |     |"},
    {32, " |     |     |  11.400  |     | SOLIVERA                   |       11.22+      |     |"},
    {33, " |     |     |   4.900  |     | PONTE ARVELLO              |       11.28+      |     |"},
    // The margins of the timed stations against the fastest run, in Rec.
    {21, " |     |     |  31.800  |     | PRAVESSO                   | 10.30       10.31 |   4 |"},
    {23, " |     |     |  50.400  |     | LAGORSO                    | 10.49       10.50 |  2+ |"},
    {27, " |     |     |  77.750  |     | CAMPOLUSTRO                | 11.13       11.14 |   1 |"},
    {34, " |     |     |   0.000  |     | DRUMVANE                   | 11.33             |  0+ |"},
    // One number for both documents: the carried sheet shows 40326, the
    // carried order and notes 40318.
    {3, " |   TRENO n. 40318  |                   da: ORSELLA                  |    V140 C    |"}};

TEST(Documenti, BuiltInScenarioGivesTheGeneratorsDocumentsFromTextAndBinaries) {
  const cartella_temporanea testi, binari;
  ASSERT_EQ(in_processo(compila_scenario, {"--esempio", testi.percorso()}).stato, 0);
  const esecuzione c =
      in_processo(compila_scenario, con({"--documenti"}, con(testata_carica, {testi.percorso(), percorso, treno})));
  ASSERT_EQ(c.stato, 0) << c.diagnostica;
  EXPECT_EQ(c.diagnostica, "");
  const std::string scheda = testi.leggi(nomi.scheda), ordine = testi.leggi(nomi.rallentamenti);

  // Under the table, what Rec means: the carried sheet has no Rec figures.
  const std::string nota_rec =
      "\r\nRec: minuti di margine sull'orario rispetto alla marcia piu' veloce ('+': mezzo minuto)\r\n";
  std::string senza_nota = scheda;
  ASSERT_NE(senza_nota.find(nota_rec), std::string::npos);
  senza_nota.erase(senza_nota.find(nota_rec), nota_rec.size());
  confronta(senza_nota, righe_scheda(), scheda_diversa);
  confronta(ordine, righe_rallentamenti(),
            // The slowdown at 8650 m starts after Valdrezza, at the very end of
            // its area: the carried order puts it between Orsella and Valdrezza.
            {{14, " | 1 | Valdrezza - Fontebrisa     |     8      |    30    |   150   |   ---      |"}});

  // The same documents from the three binary files alone.
  for (const std::string& f : testi.elenco()) {
    if (f.ends_with(".dat") || f.ends_with(".sim")) std::filesystem::copy_file(testi.file(f), binari.file(f));
  }
  const esecuzione m =
      in_processo(mostra_scenario, con({"--documenti"}, con(testata_carica, {binari.percorso(), percorso, treno})));
  ASSERT_EQ(m.stato, 0) << m.diagnostica;
  EXPECT_EQ(m.uscita, "scritto " + binari.file(nomi.scheda) + "\nscritto " + binari.file(nomi.rallentamenti) + "\n");
  EXPECT_EQ(binari.leggi(nomi.scheda), scheda);
  EXPECT_EQ(binari.leggi(nomi.rallentamenti), ordine);
}

TEST(Documenti, ExistingDocumentsAreReplacedOnlyWhenAsked) {
  const cartella_temporanea c;
  ASSERT_EQ(in_processo(compila_scenario, {"--esempio", c.percorso()}).stato, 0);
  c.scrivi(nomi.rallentamenti, "scritto a mano\r\n");
  const std::vector<std::string> nomi_scenario{c.percorso(), percorso, treno};
  const esecuzione rifiuto = in_processo(compila_scenario, con({"--documenti"}, nomi_scenario));
  EXPECT_EQ(rifiuto.stato, 0);
  EXPECT_NE(rifiuto.diagnostica.find(c.file(nomi.rallentamenti) +
                                     ": esiste gia'; non lo sostituisco (--sovrascrivi per sostituirlo): i documenti "
                                     "restano come sono, i file binari sono scritti [documenti-presenti]"),
            std::string::npos)
      << rifiuto.diagnostica;
  // The three binaries are built; neither document is written.
  EXPECT_EQ(c.elenco().size(), 6U);
  EXPECT_FALSE(std::filesystem::exists(c.file(nomi.scheda)));
  EXPECT_EQ(c.leggi(nomi.rallentamenti), "scritto a mano\r\n");

  const esecuzione sostituiti = in_processo(compila_scenario, con({"--documenti", "--sovrascrivi"}, nomi_scenario));
  ASSERT_EQ(sostituiti.stato, 0) << sostituiti.diagnostica;
  const std::string ordine = c.leggi(nomi.rallentamenti);
  EXPECT_NE(ordine.find("  Si ordina al macchinista del treno ...... di effettuare"), std::string::npos);
  EXPECT_NE(c.leggi(nomi.scheda).find(" |   TRENO n.        |"), std::string::npos);

  EXPECT_EQ(in_processo(mostra_scenario, con({"--documenti"}, nomi_scenario)).stato, 2);
  EXPECT_EQ(c.leggi(nomi.rallentamenti), ordine);
  EXPECT_EQ(
      in_processo(mostra_scenario, con({"--documenti", "--sovrascrivi", "--numero-treno", "9"}, nomi_scenario)).stato,
      0);
  EXPECT_NE(c.leggi(nomi.rallentamenti).find("del treno 9 di"), std::string::npos);
}

TEST(Documenti, ANameCutIsAWarningCountedAndSilencedByName) {
  const cartella_temporanea c;
  ASSERT_EQ(in_processo(compila_scenario, {"--esempio", c.percorso()}).stato, 0);
  const std::string file_treno = percorso + "_" + treno + "-.txt";
  std::string testo = c.leggi(file_treno);
  const std::size_t borgo = testo.find("BORGO TEVANO");
  ASSERT_NE(borgo, std::string::npos);
  testo.replace(borgo, 12, "BORGO TEVANO DI SOPRA E DI SOTTO");  // 32 characters
  c.scrivi(file_treno, testo);
  const std::vector<std::string> nomi_scenario{c.percorso(), percorso, treno};
  const esecuzione e = in_processo(compila_scenario, con({"--documenti"}, nomi_scenario));
  ASSERT_EQ(e.stato, 0) << e.diagnostica;
  EXPECT_NE(e.diagnostica.find("compila_scenario: avviso: scheda treno: il nome della stazione 7: \"BORGO TEVANO DI "
                               "SOPRA E DI SOTTO\" non sta in 27 caratteri, scritto \"B.GO TEVANO DI SOPRA E DI "
                               "S\" [nome-tagliato]"),
            std::string::npos)
      << e.diagnostica;
  // The order cuts it too, in its own letter case.
  EXPECT_NE(e.diagnostica.find("\"Pravesso - Borgo Tevano di Sopra e di Sotto\""), std::string::npos) << e.diagnostica;
  EXPECT_NE(e.uscita.find("esito: costruito, 2 avvisi"), std::string::npos) << e.uscita;
  const esecuzione taciuto = in_processo(
      compila_scenario, con({"--documenti", "--sovrascrivi", "--senza-avviso", "nome-tagliato"}, nomi_scenario));
  EXPECT_EQ(taciuto.diagnostica, "");
  EXPECT_NE(taciuto.uscita.find("esito: costruito, 0 avvisi"), std::string::npos) << taciuto.uscita;
}

TEST(Documenti, HeaderOptionsWantDocuments) {
  const cartella_temporanea c;
  for (const auto& argomenti :
       std::vector<std::vector<std::string>>{{"--numero-treno", "5", c.percorso(), percorso, treno},
                                             {"--sovrascrivi", c.percorso(), percorso, treno},
                                             {"--documenti", "--massa", "pesante", c.percorso(), percorso, treno}}) {
    for (const auto strumento : {compila_scenario, mostra_scenario}) {
      const esecuzione e = in_processo(strumento, argomenti);
      EXPECT_EQ(e.stato, 2) << argomenti[0];
      EXPECT_NE(e.diagnostica.find("Uso:"), std::string::npos) << e.diagnostica;
    }
  }
  EXPECT_TRUE(c.elenco().empty());
}

// Three stations timed at 1000 s and 1400 s with one passed between them,
// and one passed after the last timed one.
TEST(Documenti, PassingTimesShareTheFollowingMargin) {
  scenario s;
  tabella_orario t;
  for (int i = 1; i <= 4; ++i) {
    s.tabella[static_cast<std::size_t>(i)].nome = "S";
    s.tabella[static_cast<std::size_t>(i)].posizione = 1000 * i;
    tempo_stazione x;
    x.voce = i;
    t.stazioni.push_back(x);
  }
  t.stazioni[0].arrivo = 1000;
  t.stazioni[0].partenza = 1000;
  t.stazioni[0].orario = 1000;
  t.stazioni[1].arrivo = 1100;  // half the running time of the section
  t.stazioni[2].arrivo = 1200;
  t.stazioni[2].orario = 1400;  // 200 s of margin
  t.stazioni[3].arrivo = 1300;
  tempi_stazioni tempi = tempi_di_passaggio(s, t);
  ASSERT_EQ(tempi.size(), 4U);
  EXPECT_DOUBLE_EQ(*tempi[1], 1200);
  EXPECT_DOUBLE_EQ(*tempi[3], 1300);  // nothing to share after the last timed station
  // A timetable that cannot be kept shares nothing: the earliest time stands.
  t.stazioni[2].orario = 1100;
  tempi = tempi_di_passaggio(s, t);
  EXPECT_DOUBLE_EQ(*tempi[1], 1100);
}

}  // namespace
}  // namespace od
