// The sheet and the order built from a scenario's model: against the carried
// documents for the carried scenario, and on models made to grow the tables,
// cut the names and leave the order empty.
#include "documents/documenti_scenario.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "documento_scritto.h"
#include "documents/abbreviazioni.h"
#include "documents/documenti.h"
#include "documents/testo_documenti.h"
#include "support/scenario_incorporato.h"

namespace od {
namespace {

std::vector<std::string> righe_di(const lista_righe& l) { return prova::righe_lette(testo_righe(l)); }

// Compares line by line; `attese` holds, by 1-based line, what the built
// document has where it rightly differs from the carried one.
void confronta(const std::vector<std::string>& costruite, const std::vector<std::string>& carico,
               const std::map<std::size_t, std::string>& attese) {
  ASSERT_EQ(costruite.size(), carico.size());
  for (std::size_t n = 1; n <= carico.size(); ++n) {
    const auto a = attese.find(n);
    EXPECT_EQ(costruite[n - 1], a == attese.end() ? carico[n - 1] : a->second) << "riga " << n;
    if (a != attese.end()) {
      EXPECT_NE(a->second, carico[n - 1]) << "riga " << n << " non differisce";
    }
  }
}

double ora(int h, int m, int s = 0) { return (h * 60 + m) * 60 + s; }

TEST(DocumentiScenario, CarriedScenarioGivesTheCarriedDocuments) {
  esito_lettura letto;
  const scenario s = test::scenario_incorporato(&letto);
  ASSERT_EQ(letto.codice, 0);
  // The hand-written passing times of the carried sheet, station by station.
  tempi_stazioni tempi(18);
  const std::map<std::size_t, double> transiti{
      {1, ora(10, 11)},      {2, ora(10, 13)},  {3, ora(10, 16)},     {4, ora(10, 21)},  {6, ora(10, 41)},
      {8, ora(10, 53, 30)},  {9, ora(10, 57)},  {10, ora(11, 7, 30)}, {12, ora(11, 19)}, {13, ora(11, 20, 30)},
      {14, ora(11, 21, 30)}, {15, ora(11, 22)}, {16, ora(11, 27)}};
  for (const auto& [i, t] : transiti) tempi[i] = t;
  avvisi_documenti avvisi;
  const testata_documenti scheda{"40326", "V140 C", "REGIONALE", 280, 70};
  confronta(righe_di(righe_scheda_scenario(s, scheda, tempi, avvisi)), righe_di(righe_scheda()),
            {{24, " |     |     |  54.250  |     | P.M. 54.250                |       10.53+      |     |"}});
  const testata_documenti ordine{"40318", "", "", {}, {}};
  confronta(righe_di(righe_rallentamenti_scenario(s, ordine, avvisi)), righe_di(righe_rallentamenti()),
            {{14, " | 1 | Valdrezza - Fontebrisa     |     8      |    30    |   150   |   ---      |"}});
  EXPECT_TRUE(avvisi.empty());
}

// A line of `n` stations 2 km apart, every one with a timed stop, and `m`
// slowdowns 1 km after the stations; the speed limit drops to 60 km/h from
// the fourth station on.
scenario linea_prova(int n, int m, const std::string& nome_lungo = "") {
  scenario s;
  s.binario.resize(static_cast<std::size_t>(n) * 40 + 200);
  for (int i = 0; i < n; ++i) {
    voce& v = s.tabella[static_cast<std::size_t>(i + 1)];
    v.posizione = 2000 * i;
    v.area_inizio = v.posizione - 200;
    v.area_fine = v.posizione + 200;
    v.nome = i == 1 && !nome_lungo.empty() ? nome_lungo : "STAZIONE " + std::to_string(i + 1);
    v.orario = static_cast<int32_t>(ora(8, 2 * i));
    v.sosta = 30;
  }
  for (int k = 0; k < m; ++k) {
    const std::size_t inizio = static_cast<std::size_t>(2000 * k + 1000) / 50 + 1;
    s.binario[inizio] = cella{oggetto::inizio_rallentamento, 30, 0, 0};
    s.binario[inizio + 2] = cella{oggetto::fine_rallentamento, 30, 0, 0};
  }
  for (std::size_t c = 0; c < s.binario.size(); ++c) s.binario[c].vmax = c < 120 ? 16 : 12;
  return s;
}

TEST(DocumentiScenario, TablesGrowWithStationsAndSlowdowns) {
  avvisi_documenti avvisi;
  const scenario s = linea_prova(25, 12);
  const std::vector<std::string> scheda = righe_di(righe_scheda_scenario(s, {}, {}, avvisi));
  // No change of progressive: no separator; the drop to 60 km/h, at the
  // fourth station, listed under the table (an empty line, a title, a line).
  ASSERT_EQ(scheda.size(), 38U + 25 - 18 - 2 + 3);
  EXPECT_EQ(scheda[14], " |  80 |     |   0.000  |     | STAZIONE 1                 |             08.00 |     |");
  EXPECT_EQ(scheda[15], " |     |     |   2.000  |     | STAZIONE 2                 | 08.01+      08.02 |     |");
  EXPECT_EQ(scheda[17].substr(0, 7), " |  60 ");  // 6000 m: cell 120 on
  EXPECT_EQ(scheda[18].substr(0, 7), " |     ");
  EXPECT_EQ(scheda[38], " |     |     |  48.000  |     | STAZIONE 25                | 08.48             |     |");
  EXPECT_EQ(scheda[42], "  km 6.000 fra STAZIONE 3 e STAZIONE 4: 60 km/h (prima 80)");
  // A blank form: no number, category, classification or mass.
  EXPECT_EQ(scheda[2], " |   TRENO n.        |                   da: STAZIONE 1               |              |");
  EXPECT_EQ(scheda[7], " |                   |              |                   |");

  const std::vector<std::string> ordine = righe_di(righe_rallentamenti_scenario(s, {}, avvisi));
  ASSERT_EQ(ordine.size(), 12U + 2 * 12 + 1 + 1 + 7);
  EXPECT_EQ(ordine[4], "  Linea  Stazione 1 - Stazione 25");
  EXPECT_EQ(ordine[6], "  Si ordina al macchinista del treno ...... di effettuare i seguenti rallentamenti");
  EXPECT_EQ(ordine[35], " | 12| Stazione 12 - Stazione 13  |     23     |    30    |   100   |   ---      |");
  EXPECT_EQ(ordine[36], ordine[12]);  // one empty row stays below the last
  EXPECT_TRUE(avvisi.empty());
}

TEST(DocumentiScenario, LongNamesAreShortenedThenCutWithAWarningAndNoSlowdownIsSaid) {
  avvisi_documenti avvisi;
  const std::string lungo = "SANTA MARIA DELLA VALLE DI SOTTO";  // 32 characters, 29 as "S. MARIA ..."
  const scenario s = linea_prova(3, 0, lungo);
  const std::vector<std::string> scheda = righe_di(righe_scheda_scenario(s, {}, {}, avvisi));
  EXPECT_EQ(prova::celle(scheda[15])[4], " S. MARIA DELLA VALLE DI SOT");
  ASSERT_EQ(avvisi.size(), 1U);
  EXPECT_EQ(avvisi[0], "scheda treno: il nome della stazione 2: \"" + lungo +
                           "\" non sta in 27 caratteri, scritto \"S. MARIA DELLA VALLE DI SOT\"");
  // Shortened as timetables do, a name that then fits is no warning.
  avvisi.clear();
  const scenario ponte = linea_prova(3, 0, "PONTE DI SAN MARTINO SUPERIORE");  // 30 characters
  EXPECT_EQ(prova::celle(righe_di(righe_scheda_scenario(ponte, {}, {}, avvisi))[15])[4],
            " P.TE DI S. MARTINO SUP.    ");
  EXPECT_EQ(abbrevia("Stazione di Ponte Vecchio", 20), "Staz. di P.te Vecchio");
  EXPECT_EQ(abbrevia("Sant'Elia", 5), "Sant'Elia");
  EXPECT_TRUE(avvisi.empty());
  const std::vector<std::string> ordine = righe_di(righe_rallentamenti_scenario(s, {"7", "", "", {}, {}}, avvisi));
  ASSERT_EQ(ordine.size(), 41U);
  EXPECT_EQ(ordine[13], " |   | Nessun rallentamento       |            |          |         |            |");
  EXPECT_EQ(ordine[6], "  Si ordina al macchinista del treno 7 di effettuare i seguenti rallentamenti");
}

// What a driver needs from the sheet: the limit that holds from each station
// on and every change between two stations with its kilometre, the margin of
// each timed station in Rec, a time that cannot be kept marked and said, and
// a word to the author for a time the sheet shows rounded.
TEST(DocumentiScenario, ASheetADriverCanTrust) {
  scenario s = linea_prova(3, 0);
  for (std::size_t c = 60; c < 70; ++c) s.binario[c].vmax = 18;  // 90 km/h from 3000 to 3500 m
  s.tabella[2].orario = static_cast<int32_t>(ora(8, 2, 20));     // a stop at 08:02:20, after 30 s
  avvisi_documenti avvisi;
  const margini_stazioni margini{std::nullopt, 270.0, -68.0};
  const std::vector<std::string> scheda = righe_di(righe_scheda_scenario(s, {}, {}, margini, avvisi));
  EXPECT_EQ(scheda[15], " |     |     |   2.000  |     | STAZIONE 2                 | 08.02       08.02+|  4+ |");
  EXPECT_EQ(scheda[16], " |  80 |     |   4.000  |     | STAZIONE 3                 | 08.04             |  -2*|");
  const std::vector<std::string> note(scheda.begin() + 18, scheda.end() - 3);
  const std::string rec = "Rec: minuti di margine sull'orario rispetto alla marcia piu' veloce ('+': mezzo minuto)";
  const std::string impossibile =
      "* STAZIONE 3: orario 08:04:00 impossibile, il treno non vi arriva prima delle 08:05:08 (68 s dopo)";
  EXPECT_EQ(note,
            (std::vector<std::string>{"", "Velocita' limite: cambi fra le stazioni, dal km indicato in poi",
                                      "  km 3.000 fra STAZIONE 2 e STAZIONE 3: 90 km/h (prima 80)",
                                      "  km 3.500 fra STAZIONE 2 e STAZIONE 3: 80 km/h (prima 90)", rec, impossibile}));
  EXPECT_EQ(orari_non_al_mezzo_minuto(s),
            (avvisi_documenti{"scheda treno: l'arrivo a STAZIONE 2 (orario meno sosta), 08:01:50, ha secondi diversi "
                              "da 0 e 30: la scheda mostra i mezzi minuti e scrive 08.02",
                              "scheda treno: la partenza da STAZIONE 2, 08:02:20, ha secondi diversi da 0 e 30: la "
                              "scheda mostra i mezzi minuti e scrive 08.02+"}));
  EXPECT_TRUE(avvisi.empty());
}

TEST(DocumentiScenario, SlowdownInsideAStationAndBeyondTheLastOne) {
  scenario s = linea_prova(2, 0);
  s.tabella[1].nome = "ALBA";
  s.binario[100 / 50 + 1] = cella{oggetto::inizio_rallentamento, 20, 0, 1};  // inside station 1's area
  s.binario[100 / 50 + 5] = cella{oggetto::fine_rallentamento, 20, 0, 1};
  s.binario[3000 / 50 + 1] = cella{oggetto::inizio_rallentamento, 40, 0, 0};  // no end on the track
  avvisi_documenti avvisi;
  const std::vector<std::string> ordine = righe_di(righe_rallentamenti_scenario(s, {}, avvisi));
  EXPECT_EQ(ordine[13], " | 1 | nella stazione di Alba     |     0      |    20    |   200   |   A        |");
  EXPECT_EQ(ordine[15], " | 2 | Stazione 2                 |     3      |    40    |         |   ---      |");
}

TEST(DocumentiScenario, HowValuesAreWritten) {
  EXPECT_EQ(ora_documento(ora(10, 53, 30)), "10.53+");
  EXPECT_EQ(ora_documento(ora(10, 53, 14)), "10.53");
  EXPECT_EQ(ora_documento(ora(10, 53, 15)), "10.53");  // a tie goes to the even half minute
  EXPECT_EQ(ora_documento(ora(10, 53, 45)), "10.54");
  EXPECT_EQ(ora_documento(ora(23, 59, 50)), "00.00");
  EXPECT_EQ(chilometri(13650), "13.650");
  EXPECT_EQ(chilometri(0), "0.000");
  EXPECT_EQ(chilometri(-350), "-0.350");
  EXPECT_EQ(come_nome_proprio("BORGO TEVANO"), "Borgo Tevano");
  EXPECT_EQ(come_nome_proprio("PONTE DI ARVELLO"), "Ponte di Arvello");
  EXPECT_EQ(come_nome_proprio("DI SOPRA"), "Di Sopra");
  EXPECT_EQ(come_nome_proprio("SANT'ELIA-MONTE"), "Sant'Elia-Monte");
  EXPECT_EQ(come_nome_proprio("P.M. 54.250"), "P.M. 54.250");
}

}  // namespace
}  // namespace od
