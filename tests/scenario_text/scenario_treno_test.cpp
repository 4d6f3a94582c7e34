// The carried train against the rules its station and signal rows keep, and
// spoilt copies of them to show that the rules catch a row that breaks one.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "scenario_regole.h"

namespace od {
namespace {

using test::cita;
using test::righe;
using test::sezione;

struct treno_scritto {
  righe file = test::scrivi_e_rileggi().treno.linee;
  righe stazioni = sezione(file, "[stazioni]");
  righe segnali = sezione(file, "[segnali]");
};

TEST(ScenarioTreno, CarriedRowsKeepEveryRule) {
  const treno_scritto t;
  EXPECT_EQ(test::regole_stazioni(t.stazioni), test::violazioni{});
  EXPECT_EQ(test::regole_segnali(t.segnali, t.stazioni), test::violazioni{});

  // The areas the reader will work out: the one with opzione_c reaches 50 m
  // further, and the first station reaches back before the line.
  const std::vector<test::area_stazione> aree = test::aree_stazioni(t.stazioni);
  ASSERT_EQ(aree.size(), 18u);
  EXPECT_EQ(aree[0].inizio, -300);
  EXPECT_EQ(aree[0].fine, 300);
  EXPECT_EQ(aree[3].inizio, 12800);
  EXPECT_EQ(aree[3].fine, 13150);
}

TEST(ScenarioTreno, StationRulesCatchASpoiltRow) {
  const treno_scritto t;
  righe r = t.stazioni;
  // The second station moved up against the first.
  r[1] = std::regex_replace(r[1], std::regex(R"(^stazione, +\d+,)"), "stazione,     400,");
  const test::violazioni v = test::regole_stazioni(r);
  EXPECT_TRUE(cita(v, "meno di 350 m"));
  EXPECT_TRUE(cita(v, "progressiva"));

  r = t.stazioni;
  r[1] = std::regex_replace(r[1], std::regex(",   0, 0, 0, "), ",  10, 5, 0, ");
  EXPECT_TRUE(cita(test::regole_stazioni(r), "orario"));

  r = t.stazioni;
  r[2] = std::regex_replace(r[2], std::regex(", 28,"), ",  2,");
  EXPECT_TRUE(cita(test::regole_stazioni(r), "capolinea"));

  r = t.stazioni;
  r[2] = std::regex_replace(r[2], std::regex("FONTEBRISA"), "Fontebrisa");
  EXPECT_TRUE(cita(test::regole_stazioni(r), "colonne allineate"));

  // A column out of line.
  r = t.stazioni;
  r[4] = std::regex_replace(r[4], std::regex(R"(^stazione, )"), "stazione,");
  EXPECT_TRUE(cita(test::regole_stazioni(r), "colonne allineate"));
}

TEST(ScenarioTreno, SignalRulesCatchASpoiltRow) {
  const treno_scritto t;
  const auto regole = [&](const righe& r) { return test::regole_segnali(r, t.stazioni); };
  righe r = t.segnali;
  r.erase(r.begin());
  const test::violazioni senza_primo = regole(r);
  EXPECT_TRUE(cita(senza_primo, "coppie di segnali"));
  EXPECT_TRUE(cita(senza_primo, "isolato"));

  r = t.segnali;
  r[0] = std::regex_replace(r[0], std::regex("6650"), "6050");
  EXPECT_TRUE(cita(regole(r), "fra 1000 e 1300 m"));

  r = t.segnali;
  r[0] = std::regex_replace(r[0], std::regex(", 0$"), ", 220");
  EXPECT_TRUE(cita(regole(r), "tempo"));

  // The home signal of the first pair moved inside the station it protects.
  righe stazioni = t.stazioni;
  stazioni[1] = std::regex_replace(stazioni[1], std::regex(R"(^stazione, +\d+,)"), "stazione,    7900,");
  EXPECT_TRUE(cita(test::regole_segnali(t.segnali, stazioni), "davanti a una stazione"));
}

}  // namespace
}  // namespace od
