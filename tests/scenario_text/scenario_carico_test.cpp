#include "scenario_text/scenario_carico.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scenario_regole.h"
#include "scenario_text/nomi_file.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

using test::righe;
using test::scenario_scritto;
using test::sezione;

// The header lines of a file, in order, with the number of rows under each.
std::vector<std::pair<std::string, std::size_t>> intestazioni(const righe& file) {
  std::vector<std::pair<std::string, std::size_t>> h;
  for (const std::string& r : file) {
    if (r.rfind('[', 0) == 0) {
      h.emplace_back(r, 0);
    } else if (!h.empty()) {
      ++h.back().second;
    }
  }
  return h;
}

bool testo_semplice(const std::string& testo) {
  return std::all_of(testo.begin(), testo.end(), [](char c) { return c == '\r' || c == '\n' || (c >= 32 && c < 127); });
}

TEST(ScenarioCarico, WritesBothFilesWholeWithCrLfAndWithoutTheSentinel) {
  const test::cartella_temporanea cartella;
  // A longer file of the same name is replaced, not overwritten in place.
  cartella.scrivi("Orsella_Drumvane_linea.txt", std::string(100000, 'x'));
  dati_linea(cartella.percorso(), "Orsella_Drumvane");
  dati_treno(cartella.percorso(), "Orsella_Drumvane", "xr40318");
  EXPECT_EQ(cartella.elenco(), (righe{"Orsella_Drumvane_linea.txt", "Orsella_Drumvane_xr40318-.txt"}));

  const scenario_scritto s = test::scrivi_e_rileggi();
  for (const auto* testo : {&s.testo_linea, &s.testo_treno}) {
    EXPECT_TRUE(testo_semplice(*testo));
    EXPECT_EQ(testo->find(std::string(fine_lista)), std::string::npos);
    EXPECT_TRUE(testo->ends_with("[fine]\r\n"));
  }
  EXPECT_EQ(s.testo_linea, cartella.leggi("Orsella_Drumvane_linea.txt"));
  EXPECT_EQ(s.testo_linea, testo_righe(righe_linea()));
  EXPECT_EQ(s.testo_treno, testo_righe(righe_treno()));
  EXPECT_EQ(s.linea.difetti, test::violazioni{});
  EXPECT_EQ(s.treno.difetti, test::violazioni{});
  EXPECT_EQ(s.linea.linee.size(), 309u);
  EXPECT_EQ(s.treno.linee.size(), 65u);
  for (const righe* file : {&s.linea.linee, &s.treno.linee}) {
    EXPECT_EQ(std::count(file->begin(), file->end(), std::string()), 0);
  }
}

TEST(ScenarioCarico, SectionsComeInOrderWithTheirRowCounts) {
  const scenario_scritto s = test::scrivi_e_rileggi();
  using h = std::pair<std::string, std::size_t>;
  using intestate = std::vector<h>;
  EXPECT_EQ(s.linea.linee.front(), "[generale]");
  EXPECT_EQ(s.treno.linee.front(), "[generale]");
  EXPECT_EQ(intestazioni(s.linea.linee),
            (intestate{h{"[generale]", 8}, h{"[curve]", 162}, h{"[pendenze]", 40}, h{"[montagne]", 75},
                       h{"[cartelli]", 1}, h{"[indicazioni]", 16}, h{"[fine]", 0}}));
  EXPECT_EQ(intestazioni(s.treno.linee),
            (intestate{h{"[generale]", 4}, h{"[aderenze]", 7}, h{"[vel_limite]", 1}, h{"[stazioni]", 18},
                       h{"[rallentamenti]", 4}, h{"[segnali]", 23}, h{"[codici]", 0}, h{"[fine]", 0}}));
  // Every body row of the line file starts with its section's key.
  const std::vector<std::pair<std::string, std::string>> chiavi{{"[curve]", "curva"},
                                                                {"[montagne]", "montagna,"},
                                                                {"[cartelli]", "indicatori_vmax,"},
                                                                {"[indicazioni]", "cartello_indicatore,"}};
  for (const auto& [intestazione, chiave] : chiavi) {
    for (const std::string& r : sezione(s.linea.linee, intestazione)) EXPECT_EQ(r.rfind(chiave, 0), 0u) << r;
  }
  for (const auto& [intestazione, chiave] :
       std::vector<std::pair<std::string, std::string>>{{"[stazioni]", "stazione,"}, {"[segnali]", "segnale,"}}) {
    for (const std::string& r : sezione(s.treno.linee, intestazione)) EXPECT_EQ(r.rfind(chiave, 0), 0u) << r;
  }
}

TEST(ScenarioCarico, FixedRowsStandExactlyAsCarried) {
  const scenario_scritto s = test::scrivi_e_rileggi();
  EXPECT_EQ(sezione(s.linea.linee, "[generale]"),
            (righe{"lunghezza percorso,    96000", "progressiva chilometrica uno,    8450,    3600,    0",
                   "progressiva chilometrica due,    81200,    95900,    1",
                   "progressiva chilometrica tre,    0,    0,    0", "sfondo uno,    88000", "sfondo due,    1",
                   "sfondo tre,    16900", "ripetizione segnali 4 codici,    0    ,0"}));
  EXPECT_EQ(sezione(s.linea.linee, "[cartelli]"), (righe{"indicatori_vmax,  600,  80,  80,  80,  0,  ,  ,  ,  0"}));
  EXPECT_EQ(s.linea.linee.back(), "[fine]");

  EXPECT_EQ(sezione(s.treno.linee, "[generale]"),
            (righe{"numero vetture,    4", "percentuale massa frenata,    120", "sabbia,    300",
                   "orologio,    10              2             30 "}));
  EXPECT_EQ(sezione(s.treno.linee, "[aderenze]"),
            (righe{"aderenza,   0,    100", "aderenza,    8600,    90", "aderenza,   15400,    80",
                   "aderenza,   20400,    70", "aderenza,   71800,    80", "aderenza,   89000,    90",
                   "aderenza,   93500,   100"}));
  EXPECT_EQ(sezione(s.treno.linee, "[vel_limite]"), (righe{"velocita,       0,    80"}));
  EXPECT_EQ(
      sezione(s.treno.linee, "[rallentamenti]"),
      (righe{"rallentamento,    8650,    30,  150, 0,  1,  0", "rallentamento,   29050,    50,  500, 0,  0,  0",
             "rallentamento,   69200,    30,  300, 0,  1,  0", "rallentamento,   89950,    20,  150, 1,  1,  0"}));
  EXPECT_EQ(s.treno.linee.back(), "[fine]");
}

}  // namespace
}  // namespace od
