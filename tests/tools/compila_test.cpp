#include "tools/compila/comando.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "builder/codici.h"
#include "modello/modello.h"
#include "output/codici_gara.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace od {
namespace {

using test::cartella_temporanea;
using test::righe_crlf;

struct esecuzione {
  int stato = -1;
  std::string uscita;
  std::string diagnostica;
};

// The last line of a text, without its line end.
std::string ultima_riga(const std::string& testo) {
  std::string t = testo;
  while (!t.empty() && t.back() == '\n') t.pop_back();
  const std::size_t a_capo = t.rfind('\n');
  return a_capo == std::string::npos ? t : t.substr(a_capo + 1);
}

std::string tra_apici(const std::string& s) {
  std::string q = "'";
  for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs the real executable; its two outputs go to a folder of their own so
// that the scenario folder holds only what the program wrote.
esecuzione esegui(const std::vector<std::string>& argomenti) {
  const cartella_temporanea registro;
  std::string comando = tra_apici(OD_COMPILA);
  for (const std::string& a : argomenti) comando += " " + tra_apici(a);
  comando += " >" + tra_apici(registro.file("out")) + " 2>" + tra_apici(registro.file("err")) + " </dev/null";
  const int grezzo = std::system(comando.c_str());
  esecuzione e;
  e.stato = WIFEXITED(grezzo) ? WEXITSTATUS(grezzo) : -1;
  e.uscita = registro.leggi("out");
  e.diagnostica = registro.leggi("err");
  return e;
}

esecuzione esegui_qui(const std::vector<std::string>& argomenti) {
  std::ostringstream uscita, diagnostica;
  esecuzione e;
  e.stato = compila_scenario(argomenti, uscita, diagnostica);
  e.uscita = uscita.str();
  e.diagnostica = diagnostica.str();
  return e;
}

const std::string linea_minima = righe_crlf({"[generale]", "lunghezza percorso,    10000", "[fine]"});
const std::string treno_minimo =
    righe_crlf({"[generale]", "velocita,       0,    80", "aderenza,       0,    100", "[segnali]",
                "segnale,   12100,   2, 4, 1,  0, 0,    0,  0,0,0, 220", "[fine]"});

// The signal lies past the line's end: its warning is the one the build gives.
bool solo_oltre_fine_linea(const std::string& diagnostica) {
  return diagnostica.find("[oltre-fine-linea]\n") != std::string::npos &&
         std::count(diagnostica.begin(), diagnostica.end(), '\n') == 3;
}

// 10000 m of line: cells 0 .. round(17000 / 50) = 340.
constexpr std::size_t celle_minime = 341;

std::string byte(const std::string& file, std::size_t da, std::size_t quanti) { return file.substr(da, quanti); }
std::string esadecimale(std::string_view s) {
  static const char cifre[] = "0123456789ABCDEF";
  std::string h;
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (!h.empty()) h += ' ';
    h += cifre[u >> 4];
    h += cifre[u & 15];
  }
  return h;
}

TEST(CompilaScenario, BuildsTheThreeFilesFromTheAuthorsTextFiles) {
  const cartella_temporanea c;
  c.scrivi("Prova_t1_linea.txt", "");  // unrelated to route "Prova": must stay
  c.scrivi("Prova_linea.txt", linea_minima);
  c.scrivi("Prova_t1-.txt", treno_minimo);

  const esecuzione e = esegui({c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 0) << e.diagnostica;
  EXPECT_TRUE(solo_oltre_fine_linea(e.diagnostica)) << e.diagnostica;
  EXPECT_EQ(ultima_riga(e.uscita), "esito: costruito, 1 avviso");
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"Prova_linea.dat", "Prova_linea.txt", "Prova_t1-.txt", "Prova_t1.dat",
                                                  "Prova_t1.sim", "Prova_t1_linea.txt"}));
  EXPECT_EQ(c.leggi("Prova_linea.txt"), linea_minima);
  EXPECT_EQ(c.leggi("Prova_t1-.txt"), treno_minimo);

  const std::string dat = c.leggi("Prova_t1.dat");
  ASSERT_EQ(dat.size(), 15 * celle_minime);
  // The signal at 12100 in cell 243: oggetto 1, 4*10+0, 1*10+0, 0, 0*10+2*3+0,
  // held 220 s, no mark of its own, no mountain, 80 km/h, level, 100 %.
  EXPECT_EQ(esadecimale(byte(dat, 3645, 15)), "01 28 00 0A 00 00 00 06 00 DC 00 00 10 64 64");
  // Its approach marks 100 m apart, numbered outward.
  EXPECT_EQ(static_cast<unsigned char>(dat[15 * 241 + 10]), 61);
  EXPECT_EQ(static_cast<unsigned char>(dat[15 * 239 + 10]), 62);
  EXPECT_EQ(static_cast<unsigned char>(dat[15 * 237 + 10]), 63);
  EXPECT_EQ(static_cast<unsigned char>(dat[15 * 235 + 10]), 64);

  scenario nomi;
  nomi.tabella[voce_percorso].nome = "Prova";
  nomi.tabella[voce_ripetizione].nome = "t1";
  const auto og = static_cast<uint16_t>(codice_gara_og(nomi));
  const auto st = static_cast<uint32_t>(codice_gara_st(nomi));
  // Cell 1: the mark 5121 and the plain competition code.
  EXPECT_EQ(esadecimale(byte(dat, 16, 4)),
            esadecimale(std::string{0x01, 0x14, static_cast<char>(og & 0xFF), static_cast<char>(og >> 8)}));

  const std::string sim = c.leggi("Prova_t1.sim");
  ASSERT_EQ(sim.size(), 87u * 34 + 5 + 2);
  // Entries 0 to 84 are empty (34 bytes each); entry 85 holds the route name,
  // the mark 610 and the weighted competition code.
  const std::size_t voce85 = 85 * 34;
  EXPECT_EQ(byte(sim, voce85 + 14, 7), std::string("\x05\x00Prova", 7));
  EXPECT_EQ(esadecimale(byte(sim, voce85 + 21, 2)), "62 02");
  std::string orario;
  for (int n = 0; n < 4; ++n) orario += static_cast<char>((st >> (8 * n)) & 0xFF);
  EXPECT_EQ(esadecimale(byte(sim, voce85 + 35, 4)), esadecimale(orario));
  EXPECT_EQ(byte(sim, voce85 + 39 + 14, 4), std::string("\x02\x00t1", 4));

  // Plan rows 0 .. 17000 in each column: two whole rows, doubles, two empty.
  EXPECT_EQ(c.leggi("Prova_linea.dat").size(), 2u * (4 + 4 + 10 * (17000 - 3) + 2 + 2));
}

TEST(CompilaScenario, WithoutThePlanTheRoutesPlanFileIsLeftAsItWas) {
  const cartella_temporanea c;
  const cartella_temporanea fuori;
  c.scrivi("Prova_linea.txt", linea_minima);
  c.scrivi("Prova_t1-.txt", treno_minimo);
  fuori.scrivi("Prova_linea.dat", "vecchio");

  const esecuzione e = esegui({"--senza-planimetria", "--uscita", fuori.percorso(), c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 0) << e.diagnostica;
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"Prova_linea.txt", "Prova_t1-.txt"}));
  EXPECT_EQ(fuori.elenco(), (std::vector<std::string>{"Prova_linea.dat", "Prova_t1.dat", "Prova_t1.sim"}));
  EXPECT_EQ(fuori.leggi("Prova_linea.dat"), "vecchio");
  EXPECT_EQ(fuori.leggi("Prova_t1.dat").size(), 15 * celle_minime);
}

// A curve whose key names no curvature 1 to 6, on line 5 of the line file.
const std::string linea_difettosa = righe_crlf(
    {"[generale]", "lunghezza percorso,    10000", "[curve]", "curvas4,  800,  400", "curvad7,  1500,  300", "[fine]"});

TEST(CompilaScenario, AFaultyFileIsNamedWithItsLineAndNothingIsWritten) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_difettosa);
  c.scrivi("Prova_t1-.txt", treno_minimo);

  const esecuzione e = esegui({c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 1);
  // The record's line follows, with a caret under its key.
  EXPECT_EQ(e.diagnostica,
            c.file("Prova_linea.txt") +
                ":5: errore 103: una curva non ha curvatura da 1 a 6, o la planimetria supera 1000000 m\n"
                "curvad7,  1500,  300\n"
                "^\n");
  EXPECT_EQ(ultima_riga(e.uscita), "esito: errore 103, 0 avvisi");
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"Prova_linea.txt", "Prova_t1-.txt"}));
  EXPECT_EQ(c.leggi("Prova_linea.txt"), linea_difettosa);
  EXPECT_EQ(c.leggi("Prova_t1-.txt"), treno_minimo);

  // Forced, the files are written from the model as read, and the status
  // still says that the reading failed.
  const esecuzione forzata = esegui({"--forza", c.percorso(), "Prova", "t1"});
  EXPECT_EQ(forzata.stato, 1);
  EXPECT_NE(forzata.diagnostica.find(":5: errore 103: "), std::string::npos) << forzata.diagnostica;
  EXPECT_TRUE(c.esiste("Prova_t1.dat"));
  EXPECT_TRUE(c.esiste("Prova_t1.sim"));
  EXPECT_EQ(c.leggi("Prova_t1.dat").size(), 15 * celle_minime);
  EXPECT_EQ(c.leggi("Prova_linea.txt"), linea_difettosa);
}

TEST(CompilaScenario, PositionsAndReadFailuresGoWithTheirCode) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_minima);
  // Beyond the track: (16900 + 100) / 50 = 340 is the last cell, 16950 is past it.
  c.scrivi("Prova_t1-.txt",
           righe_crlf({"[generale]", "segnale,   16950,   2, 4, 1,  0, 0,    0,  0,0,0, 220", "[fine]"}));
  esecuzione e = esegui_qui({c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 1);
  // The caret stands under the position; the cell is the one the signal would take.
  EXPECT_EQ(e.diagnostica, c.file("Prova_t1-.txt") +
                               ":2: errore 15: una posizione cade fuori dal binario (posizione 16950 m, cella 340)\n"
                               "segnale,   16950,   2, 4, 1,  0, 0,    0,  0,0,0, 220\n"
                               "           ^\n");
  EXPECT_EQ(ultima_riga(e.uscita), "esito: errore 15 a 16950 m, 0 avvisi");

  // A read failure carries its reason.
  c.scrivi("Prova_t1-.txt", righe_crlf({"[generale]", "numero vetture,    4", "sabbia,   tanta", "[fine]"}));
  e = esegui_qui({c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 1);
  const std::string inizio =
      c.file("Prova_t1-.txt") + ":3: errore 25: " + std::string(descrivi_codice(25)->significato) + ": ";
  EXPECT_EQ(e.diagnostica.rfind(inizio, 0), 0u) << e.diagnostica;
  EXPECT_GT(e.diagnostica.size(), inizio.size() + 1) << "the reason should follow the meaning";
  EXPECT_NE(e.diagnostica.find("\nsabbia,   tanta\n          ^\n"), std::string::npos) << "caret under the bad field";
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"Prova_linea.txt", "Prova_t1-.txt"}));

  // No line file at all.
  const cartella_temporanea vuota;
  e = esegui_qui({vuota.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.diagnostica,
            vuota.file("Prova_linea.txt") + ": errore 101: il file di descrizione della linea non esiste\n");
  EXPECT_TRUE(vuota.elenco().empty());

  // Something stands there but cannot be read: said as such, for either file.
  std::filesystem::create_directory(vuota.file("Prova_linea.txt"));
  e = esegui_qui({vuota.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 1);
  EXPECT_NE(
      e.diagnostica.find("errore 101: il file di descrizione della linea non esiste: al suo posto c'e' una cartella"),
      std::string::npos)
      << e.diagnostica;
  std::filesystem::remove(vuota.file("Prova_linea.txt"));
  vuota.scrivi("Prova_linea.txt", c.leggi("Prova_linea.txt"));
  std::filesystem::create_directory(vuota.file("Prova_t1-.txt"));
  e = esegui_qui({vuota.percorso(), "Prova", "t1"});
  EXPECT_NE(e.diagnostica.find("il file della descrizione del treno: al suo posto c'e' una cartella"),
            std::string::npos)
      << e.diagnostica;
}

TEST(CompilaScenario, ForcedWithoutATrackThereIsNothingToWrite) {
  const cartella_temporanea c;
  const std::string senza_lunghezza = righe_crlf({"[generale]", "sfondo uno,    88000", "[fine]"});
  c.scrivi("Prova_linea.txt", senza_lunghezza);
  c.scrivi("Prova_t1-.txt", treno_minimo);
  const esecuzione e = esegui_qui({"--forza", c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 1);
  EXPECT_NE(e.diagnostica.find("errore 25"), std::string::npos) << e.diagnostica;
  EXPECT_NE(e.diagnostica.find("nessun file da scrivere"), std::string::npos) << e.diagnostica;
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"Prova_linea.txt", "Prova_t1-.txt"}));
  EXPECT_EQ(c.leggi("Prova_linea.txt"), senza_lunghezza);
}

// A forced build writes the model exactly as the reading left it: the fields
// read before the stop, nothing more and nothing less.
TEST(CompilaScenario, ForcedKeepsWhatTheReadingStepsLeft) {
  const cartella_temporanea c;
  // A station whose length is no multiple of 100 (code 9): its position and
  // type are in entry 1, the entry after the empty entry 0's 34 bytes.
  c.scrivi("Prova_linea.txt", linea_minima);
  c.scrivi("Prova_t1-.txt",
           righe_crlf({"[generale]", "stazione, 5000, 12, 450, 1, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Pieve", "[fine]"}));
  EXPECT_EQ(esegui_qui({"--forza", "--senza-planimetria", c.percorso(), "Prova", "t1"}).stato, 1);
  const std::string sim = c.leggi("Prova_t1.sim");
  EXPECT_EQ(esadecimale(byte(sim, 34, 16)), "0C 00 00 00 00 00 00 00 00 88 13 00 00 00 00 00");

  // A board whose second packed value passes 16 bits (code 25): the cell
  // holds the board and its first value, (60 + 100 * 80) / 5 = 1612.
  c.scrivi("Prova_linea.txt", righe_crlf({"[generale]", "lunghezza percorso,    10000", "[cartelli]",
                                          "indicatori_vmax, 600, 80, 1700, 0, 0, 60, 0, 0, 0", "[fine]"}));
  EXPECT_EQ(esegui_qui({"--forza", "--senza-planimetria", c.percorso(), "Prova", "t1"}).stato, 1);
  EXPECT_EQ(esadecimale(byte(c.leggi("Prova_t1.dat"), 13 * 15, 9)), "06 4C 06 00 00 00 00 00 00");

  // A last speed whose fifth is out of range (code 25 at its own line): the
  // cells below its position still take the speed before it, 60 km/h up to
  // cell round(5700 / 50) - 1 = 113; the fill after it fails.
  c.scrivi("Prova_linea.txt", linea_minima);
  c.scrivi("Prova_t1-.txt",
           righe_crlf({"[generale]", "velocita, 0, 80", "velocita, 3000, 60", "velocita, 5700, -10", "[fine]"}));
  const esecuzione e = esegui_qui({"--forza", "--senza-planimetria", c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.diagnostica.rfind(c.file("Prova_t1-.txt") + ":4: errore 25: ", 0), 0u) << e.diagnostica;
  EXPECT_NE(e.diagnostica.find("\nvelocita, 5700, -10\n" + std::string(16, ' ') + "^\n"), std::string::npos)
      << e.diagnostica;
  const std::string dat = c.leggi("Prova_t1.dat");
  const auto vmax = [&dat](std::size_t cella) {
    return static_cast<int>(static_cast<unsigned char>(dat.at(cella * 15 + 12)));
  };
  EXPECT_EQ(vmax(59), 16);
  EXPECT_EQ(vmax(60), 12);
  EXPECT_EQ(vmax(113), 12);
  EXPECT_EQ(vmax(114), 0);
}

// Every tool that writes makes the folder it is told to write into, parents
// and all; a folder that cannot be made is one line and status 2.
TEST(CompilaScenario, EveryToolMakesTheFolderItWritesInto) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_minima);
  c.scrivi("Prova_t1-.txt", treno_minimo);
  const esecuzione e = esegui({"--uscita", c.file("binari/nuovi"), c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 0) << e.diagnostica;
  EXPECT_TRUE(solo_oltre_fine_linea(e.diagnostica)) << e.diagnostica;
  EXPECT_TRUE(c.esiste("binari/nuovi/Prova_t1.dat"));
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"Prova_linea.txt", "Prova_t1-.txt", "binari"}));

  const test::esito_processo decompilato =
      test::esegui(OD_DECOMPILA, {"--uscita", c.file("testi/di/nuovo"), c.file("binari/nuovi"), "Prova", "t1"});
  EXPECT_EQ(decompilato.stato, 0) << decompilato.errori;
  EXPECT_TRUE(c.esiste("testi/di/nuovo/Prova_t1-.txt"));
  EXPECT_TRUE(c.esiste("testi/di/nuovo/Prova_linea.txt"));

  const test::esito_processo disegno =
      test::esegui(OD_MOSTRA, {"--svg", c.file("disegni/linea/prova.svg"), c.file("binari/nuovi"), "Prova", "t1"});
  EXPECT_EQ(disegno.stato, 0) << disegno.errori;
  EXPECT_TRUE(c.esiste("disegni/linea/prova.svg"));

  // A file where the folder should be (compila_scenario's own case is with
  // its other file errors).
  const std::string sotto_un_file = c.file("Prova_t1-.txt") + "/testi";
  const test::esito_processo non_decompilato =
      test::esegui(OD_DECOMPILA, {"--uscita", sotto_un_file, c.file("binari/nuovi"), "Prova", "t1"});
  EXPECT_EQ(non_decompilato.stato, 2);
  EXPECT_EQ(
      non_decompilato.errori.rfind("decompila_scenario: " + sotto_un_file + ": la cartella non si puo' creare: ", 0),
      0u)
      << non_decompilato.errori;
  EXPECT_EQ(c.leggi("Prova_t1-.txt"), treno_minimo);

  // A build that writes nothing leaves no new folder behind.
  const esecuzione senza_linea = esegui({"--uscita", c.file("a/b/c"), c.percorso(), "Manca", "t1"});
  EXPECT_EQ(senza_linea.stato, 1) << senza_linea.diagnostica;
  EXPECT_FALSE(c.esiste("a"));
}

TEST(CompilaScenario, WalkWarningsArePrintedAndTheFilesWritten) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_minima);
  // Signals in cells 95, 94 and 93 leave no room before the start in cell 100.
  c.scrivi("Prova_t1-.txt", righe_crlf({"[generale]", "segnale,   4600,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "segnale,   4650,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "segnale,   4700,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "rallentamento,   4950,   120,  500, 0,  0,  0", "[fine]"}));
  const esecuzione e = esegui_qui({c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 0);
  // The warning points at the slowdown that asked for the marker.
  EXPECT_EQ(e.diagnostica, c.file("Prova_t1-.txt") +
                               ":5:18: avviso: non c'e' posto per un abbattimento prima dell'inizio di un "
                               "rallentamento (codice 12, posizione 5000 m, cella 100) [abbattimento-senza-posto]\n"
                               "rallentamento,   4950,   120,  500, 0,  0,  0\n"
                               "                 ^\n");
  EXPECT_EQ(ultima_riga(e.uscita), "esito: costruito, 1 avviso");
  EXPECT_TRUE(c.esiste("Prova_t1.dat"));
}

TEST(CompilaScenario, TheFinalChecksStopTheBuildWithStatus3) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_minima);
  // A reduction in cell 1 takes the slot of the mark 5121.
  c.scrivi("Prova_t1-.txt", righe_crlf({"[generale]", "abbattimento,   50,   100", "[fine]"}));
  const esecuzione e = esegui_qui({c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 3);
  // Told like every other code: the record that took the slot, and the fix.
  EXPECT_EQ(e.diagnostica, c.file("Prova_t1-.txt") +
                               ":2: errore 1250: il primo valore della cella 1 o il contrassegno della voce 85 era "
                               "gia' occupato: il primo valore della cella 1 porta un contrassegno del simulatore, e "
                               "questo record vi mette un oggetto: spostalo oltre i primi 75 m della linea\n"
                               "abbattimento,   50,   100\n"
                               "                ^\n");
  EXPECT_EQ(ultima_riga(e.uscita), "esito: errore 1250, 0 avvisi");
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"Prova_linea.txt", "Prova_t1-.txt"}));
}

TEST(CompilaScenario, FileErrorsAndBadUsageExitWith2) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_minima);
  c.scrivi("Prova_t1-.txt", treno_minimo);
  // An output folder that cannot be made: a file stands where it would go.
  const std::string sotto_un_file = c.file("Prova_t1-.txt") + "/binari";
  esecuzione e = esegui_qui({"--uscita=" + sotto_un_file, c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 2);
  EXPECT_EQ(e.diagnostica.rfind("compila_scenario: " + sotto_un_file + ": la cartella non si puo' creare: ", 0), 0u)
      << e.diagnostica;
  EXPECT_EQ(std::count(e.diagnostica.begin(), e.diagnostica.end(), '\n'), 1);

  for (const std::vector<std::string>& sbagliati : {std::vector<std::string>{},
                                                    {c.percorso(), "Prova"},
                                                    {c.percorso(), "Prova", "t1", "altro"},
                                                    {"--planimetria", c.percorso(), "Prova", "t1"},
                                                    {c.percorso(), "Prova", "t1", "--uscita"},
                                                    {c.percorso(), "../Prova", "t1"},
                                                    {c.percorso(), "Prova", "a/t1"},
                                                    {c.percorso(), "..\\Prova", "t1"},
                                                    {c.percorso(), "", "t1"}}) {
    e = esegui_qui(sbagliati);
    EXPECT_EQ(e.stato, 2) << e.diagnostica;
    EXPECT_EQ(e.uscita, "");
    EXPECT_NE(e.diagnostica.find("Uso: compila_scenario "), std::string::npos);
  }
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"Prova_linea.txt", "Prova_t1-.txt"}));
}

TEST(CompilaScenario, HelpGoesToStandardOutput) {
  const esecuzione e = esegui({"--help"});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.diagnostica, "");
  EXPECT_EQ(e.uscita.rfind("Uso: compila_scenario ", 0), 0u);
  EXPECT_NE(e.uscita.find("Stato di uscita"), std::string::npos);
  EXPECT_NE(e.uscita.find("--forza"), std::string::npos);
}

}  // namespace
}  // namespace od

namespace od {
namespace {

// A text as a JSON string, quotes included.
std::string stringa_json(const std::string& testo) { return nlohmann::json(testo).dump(); }

TEST(CompilaScenario, JsonDiceEsitoCodiciAvvisiEFileScritti) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_difettosa);
  c.scrivi("Prova_t1-.txt", treno_minimo);
  esecuzione e = esegui_qui({"--json", c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 1);
  ASSERT_FALSE(e.uscita.empty());
  EXPECT_EQ(e.uscita.front(), '{');
  EXPECT_EQ(e.uscita.substr(e.uscita.size() - 2), "}\n");
  EXPECT_EQ(std::count(e.uscita.begin(), e.uscita.end(), '\n'), 1) << "one object, one line";
  EXPECT_NE(e.uscita.find("\"stato_uscita\":1,\"codice_errore\":103,"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("\"errore_lettura\":{\"codice\":103,"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("\"linea\":5,\"colonna\":1,\"testo\":\"curvad7,  1500,  300\"}"), std::string::npos)
      << e.uscita;
  EXPECT_NE(e.uscita.find("\"file_scritti\":[]"), std::string::npos) << e.uscita;

  c.scrivi("Prova_linea.txt", linea_minima);
  e = esegui_qui({"--json", "--senza-planimetria", c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 0);
  EXPECT_NE(e.uscita.find("\"errore_lettura\":null,\"avvisi\":[{\"nome\":\"oltre-fine-linea\","), std::string::npos)
      << e.uscita;
  EXPECT_NE(e.uscita.find("}}],\"errore_finale\":null,\"errore_file\":null,"
                          "\"file_scritti\":[" +
                          stringa_json(c.file("Prova_t1.sim")) + "," + stringa_json(c.file("Prova_t1.dat")) + "]}"),
            std::string::npos)
      << e.uscita;
}

TEST(CompilaScenario, UnAvvisoDellaRegolaAIndicaIlSegnale) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_minima);
  // The warning of the slowdown at 6000 m is in cell 97; the signal in cell 90
  // has both cells before it taken by other signals' neighbours.
  c.scrivi("Prova_t1-.txt", righe_crlf({"[generale]", "segnale,   4400,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "segnale,   4450,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "segnale,   4500,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "rallentamento,   6000,   120,  500, 0,  0,  0", "[fine]"}));
  const esecuzione e = esegui_qui({c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 0);
  EXPECT_NE(e.diagnostica.find(c.file("Prova_t1-.txt") + ":4:12: avviso: un segnale "), std::string::npos)
      << e.diagnostica;
  EXPECT_NE(e.diagnostica.find("(codice 11, posizione 4550 m, cella 91) [abbattimento-senza-posto]\nsegnale,   4500,"),
            std::string::npos)
      << e.diagnostica;
}

}  // namespace
}  // namespace od

namespace od {
namespace {

// Two slips: a speed of 83 km/h (stored as 85) and a key misspelt.
const std::string treno_con_avvisi = righe_crlf(
    {"[generale]", "velocita,       0,    83", "aderenza,       0,    100", "stazoine, 500, 26, 200", "[fine]"});

TEST(CompilaScenario, GliAvvisiSiTaccionoPerNomeOFannoDaErrori) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_minima);
  c.scrivi("Prova_t1-.txt", treno_con_avvisi);
  const std::string file = c.file("Prova_t1-.txt");

  esecuzione e = esegui_qui({c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.diagnostica, file +
                               ":2:23: avviso: la velocita' 83 km/h e' registrata come 85 km/h (passi di 5 km/h) "
                               "[velocita-arrotondata]\n"
                               "velocita,       0,    83\n"
                               "                      ^\n" +
                               file +
                               ":4:1: avviso: 'stazoine' non e' una chiave: la riga e' saltata: forse "
                               "'stazione'? [chiave-sconosciuta]\n"
                               "stazoine, 500, 26, 200\n"
                               "^\n");
  EXPECT_EQ(ultima_riga(e.uscita), "esito: costruito, 2 avvisi");
  const std::string dat = c.leggi("Prova_t1.dat"), sim = c.leggi("Prova_t1.sim"), linea = c.leggi("Prova_linea.dat");

  // Silenced, they change nothing that is written.
  e = esegui_qui(
      {"--senza-avviso", "velocita-arrotondata", "--senza-avviso=chiave-sconosciuta", c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.diagnostica, "");
  EXPECT_EQ(ultima_riga(e.uscita), "esito: costruito, 0 avvisi");
  EXPECT_TRUE(c.leggi("Prova_t1.dat") == dat && c.leggi("Prova_t1.sim") == sim && c.leggi("Prova_linea.dat") == linea);

  // As errors: status 1 and nothing written, unless the rest are silenced.
  const cartella_temporanea uscita;
  e = esegui_qui({"--avvisi-errori", "--uscita", uscita.percorso(), c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(ultima_riga(e.uscita), "esito: non costruito, 2 avvisi (--avvisi-errori)");
  EXPECT_EQ(uscita.elenco(), std::vector<std::string>{});
  e = esegui_qui({"--avvisi-errori", "--senza-avviso", "chiave-sconosciuta", "--senza-avviso", "velocita-arrotondata",
                  "--uscita", uscita.percorso(), c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(uscita.elenco().size(), 3u);

  e = esegui_qui({"--senza-avviso", "velocita-sbagliata", c.percorso(), "Prova", "t1"});
  EXPECT_EQ(e.stato, 2);
  EXPECT_NE(e.diagnostica.find("avviso sconosciuto \"velocita-sbagliata\""), std::string::npos) << e.diagnostica;

  // In JSON, an entry per warning with its place.
  e = esegui_qui({"--json", "--senza-avviso", "velocita-arrotondata", c.percorso(), "Prova", "t1"});
  EXPECT_NE(e.uscita.find("\"avvisi\":[{\"nome\":\"chiave-sconosciuta\",\"messaggio\":\"'stazoine' non e' una "
                          "chiave: la riga e' saltata: forse 'stazione'?\",\"luogo\":{\"file\":" +
                          stringa_json(file) + ",\"linea\":4,\"colonna\":1,\"testo\":\"stazoine, 500, 26, 200\"}}]"),
            std::string::npos)
      << e.uscita;
}

// The scenario's 8-bit text is read as Latin-1 in the JSON, while a path
// that is UTF-8 already (a folder named on the command line) stays as it is.
TEST(CompilaScenario, IlJsonEUtf8) {
  const cartella_temporanea c;
  const std::string citta = c.file("citt\xC3\xA0");
  std::filesystem::create_directory(citta);
  std::ofstream(citta + "/Prova_linea.txt", std::ios::binary) << linea_minima;
  std::ofstream(citta + "/Prova_t1-.txt", std::ios::binary)
      << righe_crlf({"[generale]", "aderenza,       0,    100", "stazi\xF3ne, 500, 26, 200", "[fine]"});
  const esecuzione e = esegui_qui({"--json", "--senza-planimetria", citta, "Prova", "t1"});
  EXPECT_EQ(e.stato, 0) << e.diagnostica;
  const nlohmann::json j = nlohmann::json::parse(e.uscita);  // throws on a byte that is not UTF-8
  ASSERT_EQ(j["avvisi"].size(), 1u) << e.uscita;
  EXPECT_EQ(j["avvisi"][0]["luogo"]["testo"], "stazi\xC3\xB3ne, 500, 26, 200");
  EXPECT_EQ(j["avvisi"][0]["luogo"]["file"], citta + "/Prova_t1-.txt");
  EXPECT_EQ(j["file_scritti"], nlohmann::json({citta + "/Prova_t1.sim", citta + "/Prova_t1.dat"}));
}

TEST(CompilaScenario, LUltimaRigaHaUnaFormaSola) {
  const cartella_temporanea c;
  c.scrivi("Prova_linea.txt", linea_minima);
  c.scrivi("Prova_t1-.txt",
           righe_crlf({"[generale]", "velocita, 0, 83",
                       "stazione, 3000, 22, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ALTA",
                       "stazione, 1000, 22, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, BASSA", "[fine]"}));
  EXPECT_EQ(ultima_riga(esegui_qui({c.percorso(), "Prova", "t1"}).uscita), "esito: errore 22 a 1000 m, 1 avviso");
  EXPECT_EQ(ultima_riga(esegui_qui({"--forza", c.percorso(), "Prova", "t1"}).uscita),
            "esito: costruito con errore 22 a 1000 m (--forza), 1 avviso");
}

}  // namespace
}  // namespace od
