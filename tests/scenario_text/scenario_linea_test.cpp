// The carried line against the rules its rows keep, and spoilt copies of it
// to show that each family of rules catches a row that breaks it.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "scenario_regole.h"

namespace od {
namespace {

using test::cita;
using test::righe;
using test::sezione;

struct linea_scritta {
  righe file = test::scrivi_e_rileggi().linea.linee;
  righe curve = sezione(file, "[curve]");
  righe pendenze = sezione(file, "[pendenze]");
  righe montagne = sezione(file, "[montagne]");
  righe indicazioni = sezione(file, "[indicazioni]");
};

std::size_t prima_con(const righe& r, const std::string& inizio) {
  const auto it = std::find_if(r.begin(), r.end(), [&](const std::string& x) { return x.rfind(inizio, 0) == 0; });
  EXPECT_NE(it, r.end()) << inizio;
  return static_cast<std::size_t>(it - r.begin());
}

TEST(ScenarioLinea, CarriedRowsKeepEveryRule) {
  const linea_scritta l;
  EXPECT_EQ(test::regole_curve(l.curve), test::violazioni{});
  EXPECT_EQ(test::regole_pendenze(l.pendenze), test::violazioni{});
  EXPECT_EQ(test::regole_montagne(l.montagne), test::violazioni{});
  EXPECT_EQ(test::regole_indicazioni(l.indicazioni, l.curve), test::violazioni{});
}

TEST(ScenarioLinea, CurveRulesCatchASpoiltRow) {
  const linea_scritta l;
  righe r = l.curve;
  std::swap(r[40], r[41]);
  EXPECT_TRUE(cita(test::regole_curve(r), "inizia prima"));

  r = l.curve;
  const std::size_t i = prima_con(r, "curvas5,");
  r[i].replace(0, 7, "curvas6");
  EXPECT_TRUE(cita(test::regole_curve(r), "curve curvas5"));

  r = l.curve;
  r[prima_con(r, "curvad5,")] = "curvad7,  1300 , 250 ";
  EXPECT_TRUE(cita(test::regole_curve(r), "non e' una riga di curva"));

  // The same curve in the other spacing.
  r = l.curve;
  const std::size_t b = prima_con(r, "curvad6,");
  r[b] = std::regex_replace(r[b], std::regex(R"(^(\w+),  (\d+) , (\d+) $)"), "$1,  $2,  $3");
  EXPECT_TRUE(cita(test::regole_curve(r), "spaziatura"));

  // A fifth long curve.
  r = l.curve;
  r.back() = "curvad5,  95250 , 1000 ";
  const test::violazioni v = test::regole_curve(r);
  EXPECT_TRUE(cita(v, "oltre 950 m"));
  EXPECT_TRUE(cita(v, "95650"));
}

TEST(ScenarioLinea, GradientRulesCatchASpoiltRow) {
  const linea_scritta l;
  righe r = l.pendenze;
  std::replace(r.begin(), r.end(), std::string("pendenza,  8250 , 0 "), std::string("pendenza,  8250 ,-2 "));
  EXPECT_TRUE(cita(test::regole_pendenze(r), "discesa prima della galleria di valico"));

  r = l.pendenze;
  std::swap(r[5], r[6]);
  EXPECT_TRUE(cita(test::regole_pendenze(r), "non crescente"));

  r = l.pendenze;
  r.insert(r.begin() + static_cast<long>(prima_con(r, "pendenza,  30450 ,")), "pendenza,  30000 , 0 ");
  EXPECT_TRUE(cita(test::regole_pendenze(r), "tra 29600 e 30450"));

  r = l.pendenze;
  r.erase(r.begin());
  EXPECT_TRUE(cita(test::regole_pendenze(r), "commento"));
}

TEST(ScenarioLinea, MountainRulesCatchASpoiltRow) {
  const linea_scritta l;
  righe r = l.montagne;
  r.front() = "montagna,  800 , 2050 , 11 ";
  EXPECT_TRUE(cita(test::regole_montagne(r), "codice 12"));

  r = l.montagne;
  std::swap(r[10], r[11]);
  EXPECT_TRUE(cita(test::regole_montagne(r), "sovrappone"));

  r = l.montagne;
  r.back() = std::regex_replace(r.back(), std::regex(R"(93450)"), "93500");
  EXPECT_TRUE(cita(test::regole_montagne(r), "93450"));
}

TEST(ScenarioLinea, SignRulesCatchASpoiltRow) {
  const linea_scritta l;
  const auto regole = [&](const righe& r) { return test::regole_indicazioni(r, l.curve); };
  righe r = l.indicazioni;
  // A helical tunnel moved out of its loop (kept in order).
  const std::size_t e = prima_con(r, "cartello_indicatore,  20150,");
  r[e] = std::regex_replace(r[e], std::regex("20150"), "19950");
  EXPECT_TRUE(cita(regole(r), "anello elicoidale"));

  r = l.indicazioni;
  const std::size_t v = prima_con(r, "cartello_indicatore,  29600,");
  r[v] = std::regex_replace(r[v], std::regex(R"(\(\s*\d+ m\.\s*\))"), "(  4400 m.  )");
  EXPECT_TRUE(cita(regole(r), "34000"));

  r = l.indicazioni;
  for (std::string& x : r) x = std::regex_replace(x, std::regex(R"(\(Viadotto\))"), "( Viadotto )");
  EXPECT_TRUE(cita(regole(r), "viadotti"));

  r = l.indicazioni;
  r[0].insert(r[0].size() - 1, ",");
  EXPECT_TRUE(cita(regole(r), "gruppi tra parentesi"));
}

}  // namespace
}  // namespace od
