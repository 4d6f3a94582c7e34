#include "tools/decompila/decompila.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "../../fuzz/invarianti.h"
#include "../../fuzz/invarianti_decompila.h"
#include "output/file_binari.h"
#include "platform/file_atomico.h"
#include "scenario_text/lista_righe.h"
#include "scenario_text/scenario_carico.h"
#include "tools/decompila/comando.h"
#include "tools/decompila/ricostruzione.h"
#include "tools/scenari_casuali.h"
#include "tools/scenario_prova.h"

namespace od {
namespace {

immagini_binarie immagini_di(const scenario& s) {
  immagini_binarie i{std::nullopt, immagine_tabella(s), immagine_binario(s)};
  if (s.con_planimetria != 0) i.planimetria = immagine_planimetria(s.planimetria);
  return i;
}

// Builds the pair in memory; when it builds cleanly, decompiles its images
// and returns the differences of the rebuild (empty: exact). Nothing for a
// pair that does not build cleanly.
std::optional<std::vector<std::string>> giro(const std::string& linea, const std::string& treno, bool piano,
                                             scenario_decompilato* uscita = nullptr) {
  const ricostruzione r = ricostruisci("P", "t", linea, treno, piano);
  if (r.codice_lettura != 0 || r.codice_finale != 0 || r.stato.binario.size() < 2) return std::nullopt;
  const immagini_binarie immagini = immagini_di(r.stato);
  const scenario_letto letto = decodifica_scenario("P", "t", immagini);
  EXPECT_TRUE(letto.danni.empty());
  scenario_decompilato d = decompila(letto, immagini);
  if (uscita != nullptr) *uscita = d;
  return d.differenze;
}

std::string unite(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) t += r + "\n";
  return t;
}

TEST(Decompila, TheCarriedScenarioComesBackExactlyAndAsShortAsItWasWritten) {
  const std::string linea = testo_righe(righe_linea());
  const std::string treno = testo_righe(righe_treno());
  for (const bool piano : {true, false}) {
    scenario_decompilato d;
    const auto diff = giro(linea, treno, piano, &d);
    ASSERT_TRUE(diff.has_value());
    EXPECT_EQ(unite(*diff), "") << "con planimetria: " << piano;
    // One row per curve, gradient, mountain run, board and sign of the
    // carried text: 162 + 39 + 75 + 1 + 16 rows, and its 309 lines less the
    // comment, the curves missing without the plan.
    const auto righe = test::righe_di(d.testo_linea);
    EXPECT_EQ(righe.size(), piano ? 308u : 308u - 162u);
    EXPECT_EQ(test::righe_di(d.testo_treno).size(), 66u);  // the carried 65 and "[abbattimenti]"
  }
}

std::string leggi(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The decompiler's own seeds go through its fuzz invariants; every other
// input that builds cleanly must come back exactly.
TEST(Decompila, EveryValidInputOfTheFuzzCorpusComesBackExactly) {
  const std::filesystem::path radice(OD_CORPUS);
  const std::string linea_carico = testo_righe(righe_linea());
  const std::string treno_minimo = "[generale]\r\n[fine]\r\n";
  int valide = 0;
  for (const auto& f : std::filesystem::recursive_directory_iterator(radice)) {
    if (!f.is_regular_file()) continue;
    const std::string cartella = f.path().parent_path().filename().string();
    const std::string testo = leggi(f.path());
    if (cartella == "decompila") {
      EXPECT_EQ(fuzz::verifica_decompilazione(testo), "") << f.path();
      continue;
    }
    const auto [linea, treno] = cartella == "build"   ? fuzz::dividi_coppia(testo)
                                : cartella == "linea" ? std::pair{testo, treno_minimo}
                                                      : std::pair{linea_carico, testo};
    for (const bool piano : {true, false}) {
      const auto diff = giro(linea, treno, piano);
      if (!diff) continue;
      ++valide;
      EXPECT_EQ(unite(*diff), "") << f.path() << " con planimetria: " << piano;
    }
  }
  EXPECT_GT(valide, 20);
}

// Positions off the multiples of 50, keys in any case, records in any order
// and signals marking over stations: over 300 seeds, each with and without
// the plan, every scenario that builds cleanly comes back exactly.
TEST(Decompila, RandomScenariosShortAndLongWithAndWithoutThePlanComeBackExactly) {
  int valide = 0, lunghe = 0;
  for (uint32_t seme = 1; seme <= 300; ++seme) {
    test::generatore_scenari g(seme);
    const int32_t lunghezza = seme % 25 == 0 ? 150000 + static_cast<int32_t>(seme) * 100 : 2000 + seme % 50 * 800;
    const test::testi_scenario t = g.genera(lunghezza);
    for (const bool piano : {false, true}) {
      const auto diff = giro(t.linea, t.treno, piano);
      if (!diff) continue;
      ++valide;
      lunghe += lunghezza > 100000;
      EXPECT_EQ(unite(*diff), "") << "seme " << seme << " con planimetria: " << piano << "\n"
                                  << t.linea << "\n"
                                  << t.treno;
    }
  }
  EXPECT_GT(valide, 370);
  EXPECT_GT(lunghe, 4);
}

std::string linea_di(int32_t lunghezza, const std::string& corpo) {
  return "[generale]\r\nlunghezza percorso, " + std::to_string(lunghezza) + "\r\n[corpo]\r\n" + corpo + "[fine]\r\n";
}
std::string treno_di(const std::string& righe) {
  return "[generale]\r\nvelocita, 0, 80\r\naderenza, 0, 90\r\n" + righe + "[fine]\r\n";
}

// The start 25525 with 700 m: start, end and warning cells are those of
// 25550, but the marks come one cell lower, which only an odd start gives.
// The same start with its end 25 m off a cell's edge, and one at 1501, whose
// warning exists while 1500 in the same cell has none.
TEST(Decompila, SlowdownsComeBackWithTheStartsThatReproduceEveryCell) {
  for (const char* r : {"rallentamento, 25525, 30, 700, 0, 1, 0\r\n", "rallentamento, 25525, 30, 675, 1, 1, 4\r\n",
                        "rallentamento, 1501, 60, 300, 0, 1, 0\r\n"}) {
    scenario_decompilato d;
    const auto diff = giro(linea_di(40000, ""), treno_di(r), false, &d);
    ASSERT_TRUE(diff.has_value()) << r;
    EXPECT_EQ(unite(*diff), "") << r << d.testo_treno;
    EXPECT_NE(d.testo_treno.find(std::string(r).substr(15, 5)), std::string::npos) << d.testo_treno;
  }
}

// A station's marks 81 to 84 and a signal's on the same cells: whichever
// was read last holds them, and the text puts the two in that order.
TEST(Decompila, StationAndSignalMarksComeBackWithWhicheverWasReadLast) {
  const std::string stazione = "stazione, 5000, 2, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, Borgo\r\n";
  const std::string segnale = "segnale, 5050, 2, 4, 1, 0, 0, 0, 0, 0, 0, 220\r\n";
  for (const bool segnale_prima : {false, true}) {
    scenario_decompilato d;
    const std::string righe = segnale_prima ? segnale + stazione : stazione + segnale;
    const auto diff = giro(linea_di(20000, ""), treno_di(righe), false, &d);
    ASSERT_TRUE(diff.has_value());
    EXPECT_EQ(unite(*diff), "") << righe;
    EXPECT_EQ(d.testo_treno.find("segnale") < d.testo_treno.find("stazione"), segnale_prima) << d.testo_treno;
  }
}

immagini_binarie immagini_forzate(const std::string& linea, const std::string& treno, bool piano) {
  ricostruzione r = ricostruisci("P", "t", linea, treno, piano);
  return immagini_di(r.stato);
}

std::vector<std::string> differenze_di(const immagini_binarie& immagini) {
  return decompila(decodifica_scenario("P", "t", immagini), immagini).differenze;
}

// Two runs of types 1 and 2 one free cell apart: a run of no cells ending at
// 0, read between them, keeps the second from becoming type 3. Two runs
// within the first 150 m cannot both keep their types; nor can a reading
// stopped by an error leave the plan short: those get one line that says so.
TEST(Decompila, MountainRunsCloseTogetherAndWhatNoTextGives) {
  const std::string vicine = "montagna, 5000, 6000, 11\r\nmontagna, 100, 100, 1\r\nmontagna, 6050, 7000, 2\r\n";
  const auto diff = giro(linea_di(20000, vicine), treno_di(""), false);
  ASSERT_TRUE(diff.has_value());
  EXPECT_EQ(unite(*diff), "");

  // Cell 3 still can: a run from 151 m rounds to it.
  immagini_binarie i = immagini_forzate(linea_di(20000, "montagna, 0, 50, 1\r\n"), treno_di(""), false);
  for (int c = 3; c <= 5; ++c) i.binario[static_cast<std::size_t>(15 * c + 11)] = 2;
  EXPECT_TRUE(differenze_di(i).empty());
  i.binario[15 * 2 + 11] = 2;
  std::vector<std::string> d = differenze_di(i);
  ASSERT_FALSE(d.empty());
  EXPECT_NE(d[0].find("montagne: i tratti dalle celle 0 e 2"), std::string::npos) << d[0];

  // The second board falls on the first's cell: the reading stops there.
  const std::string interrotta =
      "curvas4, 800, 400\r\nindicatori_vmax, 600, 80, 80, 80, 0, , , , 0\r\n"
      "indicatori_vmax, 610, 80, 80, 80, 0, , , , 0\r\n";
  d = differenze_di(immagini_forzate(linea_di(20000, interrotta), treno_di(""), true));
  ASSERT_FALSE(d.empty());
  EXPECT_EQ(d[0].find("planimetria: le righe calcolate finiscono alla 1200, non alla 26998"), 0u) << d[0];
}

}  // namespace
}  // namespace od

namespace od {
namespace {

test::esecuzione decompila_in_processo(const std::vector<std::string>& argomenti) {
  std::ostringstream uscita, diagnostica;
  test::esecuzione e;
  e.stato = decompila_scenario(argomenti, uscita, diagnostica);
  e.uscita = uscita.str();
  e.diagnostica = diagnostica.str();
  return e;
}

TEST(DecompilaComando, StatusesOutputsAndTheReportOfADifference) {
  const test::cartella_temporanea c;
  test::costruisci(c);
  const std::string cartella = c.percorso();
  const std::string uscita = cartella + "/testi";
  std::filesystem::create_directory(uscita);
  const std::vector<std::string> argomenti{"--uscita", uscita, cartella, test::percorso_prova, test::treno_prova};

  test::esecuzione e = decompila_in_processo(argomenti);
  EXPECT_EQ(e.stato, decompila_identico) << e.diagnostica;
  EXPECT_TRUE(leggi_file(uscita + "/Prova_t1-.txt").has_value());
  EXPECT_EQ(decompila_in_processo(argomenti).stato, decompila_uso) << "existing texts are kept";

  // A hand-edited cell: a held time on the board's cell, which no record
  // puts there. The nearest text is still written.
  std::string dat = *leggi_file(cartella + "/" + test::nomi_prova().binario);
  dat[15 * 13 + 9] = static_cast<char>(7);  // attesa of the board's cell
  sostituisci_file(cartella + "/" + test::nomi_prova().binario, dat);
  std::vector<std::string> sovrascrivi = argomenti;
  sovrascrivi.insert(sovrascrivi.begin(), "--sovrascrivi");
  // What a run killed while it replaced the texts left behind goes, under
  // the folder's lock, with the replacement.
  sostituisci_file(uscita + "/Prova_linea.txt.tmp-a1b2c3", std::string("mezzo"));
  e = decompila_in_processo(sovrascrivi);
  EXPECT_FALSE(esiste_file(uscita + "/Prova_linea.txt.tmp-a1b2c3"));
  EXPECT_EQ(e.stato, decompila_differenze);
  EXPECT_NE(e.diagnostica.find("Prova_t1.dat: cella 13: attesa: trovato 7, ricostruito 0"), std::string::npos)
      << e.diagnostica;
  EXPECT_TRUE(leggi_file(uscita + "/Prova_linea.txt").has_value());

  // A plan row edited by hand is no step of any curve: the plan is read
  // whole, and the row named.
  std::string piano = *leggi_file(cartella + "/" + test::nomi_prova().planimetria);
  piano[8 + 10 * 98 + 2] ^= 1;  // lowest byte of row 100's first coordinate
  sostituisci_file(cartella + "/" + test::nomi_prova().planimetria, piano);
  e = decompila_in_processo(sovrascrivi);
  EXPECT_EQ(e.stato, decompila_differenze);
  EXPECT_NE(e.diagnostica.find("Prova_linea.dat: riga 100, colonna 0: trovato"), std::string::npos) << e.diagnostica;

  EXPECT_EQ(decompila_in_processo({cartella, test::percorso_prova, "altro"}).stato, decompila_uso);
  EXPECT_EQ(decompila_in_processo({cartella, test::percorso_prova}).stato, decompila_uso);
  sostituisci_file(cartella + "/" + test::nomi_prova().tabella, std::string("corto"));
  e = decompila_in_processo(sovrascrivi);
  EXPECT_EQ(e.stato, decompila_uso);
  EXPECT_NE(e.diagnostica.find("Prova_t1.sim: byte"), std::string::npos) << e.diagnostica;
  e = decompila_in_processo({"--version"});
  EXPECT_EQ(e.stato, decompila_identico);
  EXPECT_EQ(test::righe_di(e.uscita).size(), 1u);
}

}  // namespace
}  // namespace od
