// The running-time table from the description files (compila_scenario) and
// from the binary files of the same scenario (mostra_scenario), and the two
// warnings as each tool tells them.
#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "support/scenario_incorporato.h"
#include "tools/compila/comando.h"
#include "tools/scenario_prova.h"

namespace od {
namespace {

using test::cartella_temporanea;

test::esecuzione compila_qui(const std::vector<std::string>& argomenti) {
  return test::in_processo(compila_scenario, argomenti);
}

std::string senza_ultima_riga(const std::string& testo) {
  const std::size_t a_capo = testo.rfind('\n', testo.size() - 2);
  return a_capo == std::string::npos ? "" : testo.substr(0, a_capo + 1);
}

TEST(OrarioStrumenti, TheSameTableFromDescriptionFilesAndFromBinaries) {
  const cartella_temporanea c;
  ASSERT_EQ(test::costruisci_incorporato(c.percorso()).esito, esito_build::completato);
  const std::vector<std::string> treno{"--accelerazione", "0.4", "--lunghezza-vettura", "25"};
  std::vector<std::string> argomenti = treno;
  argomenti.insert(argomenti.end(), {"--orario", c.percorso(), "Orsella_Drumvane", "xr40318"});
  const test::esecuzione da_testo = compila_qui(argomenti);
  ASSERT_EQ(da_testo.stato, 0) << da_testo.diagnostica;
  EXPECT_EQ(da_testo.diagnostica, "");
  const test::esecuzione da_binari = test::mostra(argomenti);
  ASSERT_EQ(da_binari.stato, 0) << da_binari.diagnostica;
  EXPECT_EQ(senza_ultima_riga(da_testo.uscita), da_binari.uscita);
  EXPECT_NE(da_binari.uscita.find("accelerazione 0.4 m/s2"), std::string::npos) << da_binari.uscita;
  EXPECT_NE(da_binari.uscita.find("  MISSALDO         82800 m       13.100  11:2"), std::string::npos)
      << da_binari.uscita;

  argomenti.insert(argomenti.begin(), "--json");
  const nlohmann::json j_testo = nlohmann::json::parse(compila_qui(argomenti).uscita)["orario"];
  const nlohmann::json j_binari = nlohmann::json::parse(test::mostra(argomenti).uscita)["orario"];
  EXPECT_EQ(j_testo, j_binari);
  ASSERT_EQ(j_binari["stazioni"].size(), 18u);
  const nlohmann::json& pravesso = j_binari["stazioni"][5];
  EXPECT_EQ(pravesso["progressiva"], 31800);
  EXPECT_EQ(pravesso["orario"], 10 * 3600 + 31 * 60);
  EXPECT_EQ(pravesso["margine"], pravesso["orario"].get<int>() - pravesso["partenza"].get<int>());
  EXPECT_TRUE(j_binari["stazioni"][1]["orario"].is_null());
  EXPECT_TRUE(j_binari["stazioni"][1]["margine"].is_null());
  EXPECT_TRUE(j_binari["stazioni"][0]["arrivo"].is_null());
  EXPECT_EQ(j_binari["tratte"].size(), 4u);
}

TEST(OrarioStrumenti, WarningsPointAtTheStationsLine) {
  const cartella_temporanea c;
  std::string treno = test::treno_prova_testo();
  // Castelgriso at 10.08: 13 km from Orsella in five minutes.
  treno.replace(treno.find("60,  10,20, 0, CASTELGRISO"), 26, "60,  10, 8, 0, CASTELGRISO");
  test::costruisci(c, test::linea_prova(), treno);
  const std::vector<std::string> nomi{c.percorso(), "Prova", "t1"};
  const test::esecuzione e = compila_qui(nomi);
  EXPECT_EQ(e.stato, 0) << "a warning never stops the build";
  const std::string file = c.file("Prova_t1-.txt");
  EXPECT_NE(e.diagnostica.find(file + ":14:13: avviso: orario di CASTELGRISO impossibile: 10:08:00 previste"),
            std::string::npos)
      << e.diagnostica;
  EXPECT_NE(e.diagnostica.find("[orario-impossibile]\nstazione,   12950,"), std::string::npos) << e.diagnostica;
  // Silenced by name, or a failure with the others (the scenario's one other
  // warning silenced).
  std::vector<std::string> argomenti_taciuti{"--senza-avviso", "orario-impossibile"};
  argomenti_taciuti.insert(argomenti_taciuti.end(), nomi.begin(), nomi.end());
  EXPECT_EQ(compila_qui(argomenti_taciuti).diagnostica.find("orario-impossibile"), std::string::npos);
  std::vector<std::string> argomenti_errori{"--avvisi-errori", "--senza-avviso", "tempo-alzato"};
  argomenti_errori.insert(argomenti_errori.end(), nomi.begin(), nomi.end());
  EXPECT_EQ(compila_qui(argomenti_errori).stato, 1);
  EXPECT_NE(e.diagnostica.find("(tratta da ORSELLA: tempo minimo "), std::string::npos) << e.diagnostica;

  std::vector<std::string> argomenti{"--orario", "--margine-minimo", "500"};
  argomenti.insert(argomenti.end(), nomi.begin(), nomi.end());
  const test::esecuzione m = test::mostra(argomenti);
  EXPECT_EQ(m.stato, 0);
  EXPECT_NE(m.diagnostica.find(c.file("Prova_t1.sim") + ": avviso: orario di CASTELGRISO impossibile"),
            std::string::npos)
      << m.diagnostica;
  EXPECT_NE(m.diagnostica.find(": avviso: tratta da CASTELGRISO a DRUMVANE stretta: margine "), std::string::npos)
      << m.diagnostica;
  EXPECT_NE(m.diagnostica.find("sotto il 500 % [orario-stretto]"), std::string::npos) << m.diagnostica;

  const test::esecuzione sbagliata = compila_qui({"--frenatura", "0", c.percorso(), "Prova", "t1"});
  EXPECT_EQ(sbagliata.stato, 2);
  EXPECT_NE(sbagliata.diagnostica.find("--frenatura: vuole un numero maggiore di 0 e al massimo 5, non 0"),
            std::string::npos)
      << sbagliata.diagnostica;
}

// The proposal on the carried scenario written into a copy of its train
// file: only the stations' time fields change, the times keep the stations'
// order, and the copy builds with no time that cannot be kept.
TEST(OrarioStrumenti, TheProposedTimetableRebuildsWithoutImpossibleTimes) {
  const cartella_temporanea c;
  ASSERT_EQ(test::costruisci_incorporato(c.percorso()).esito, esito_build::completato);
  const std::string treno = "Orsella_Drumvane_xr40318-.txt";
  const std::string copia = c.file("proposta/" + treno);
  const test::esecuzione e = compila_qui(
      {"--proponi-orario", "5", "--scrivi-orario", copia, "--json", c.percorso(), "Orsella_Drumvane", "xr40318"});
  ASSERT_EQ(e.stato, 0) << e.diagnostica;
  const nlohmann::json j = nlohmann::json::parse(e.uscita);
  EXPECT_EQ(j["orario_scritto"], copia);
  int32_t prima = 0;
  for (const nlohmann::json& s : j["proposta"]["stazioni"]) {
    const int32_t ora = s["partenza"].is_null() ? s["arrivo"].get<int32_t>() : s["partenza"].get<int32_t>();
    EXPECT_GT(ora, prima) << s["nome"];
    EXPECT_EQ(ora % 30, 0) << s["nome"];
    prima = ora;
  }
  const std::vector<std::string> a = test::righe_di(c.leggi(treno)), b = test::righe_di(c.leggi("proposta/" + treno));
  ASSERT_EQ(a.size(), b.size());
  int cambiate = 0;
  for (std::size_t n = 0; n < a.size(); ++n) {
    if (a[n] == b[n]) continue;
    ++cambiate;
    EXPECT_EQ(b[n].substr(0, 9), "stazione,") << b[n];
    EXPECT_EQ(a[n].substr(a[n].rfind(',')), b[n].substr(b[n].rfind(','))) << "the name stays";
  }
  EXPECT_EQ(cambiate, 4) << "the three timed stops and the destination";
  std::filesystem::copy_file(c.file("Orsella_Drumvane_linea.txt"), c.file("proposta/Orsella_Drumvane_linea.txt"));
  const test::esecuzione ricostruito = compila_qui({c.file("proposta"), "Orsella_Drumvane", "xr40318"});
  EXPECT_EQ(ricostruito.stato, 0);
  EXPECT_EQ(ricostruito.diagnostica.find("orario-impossibile"), std::string::npos) << ricostruito.diagnostica;
  EXPECT_EQ(ricostruito.diagnostica.find("orario-stretto"), std::string::npos) << ricostruito.diagnostica;
}

// Only a train that could exist: a rate of 9e307 m/s2 once printed times of
// millions of hours, with status 0.
TEST(OrarioStrumenti, SoloValoriFisici) {
  const cartella_temporanea c;
  for (const std::vector<std::string>& opzione : {std::vector<std::string>{"--accelerazione", "9e307"},
                                                  {"--accelerazione", "0"},
                                                  {"--frenatura", "5.1"},
                                                  {"--velocita-massima", "1276"},
                                                  {"--lunghezza-vettura", "101"},
                                                  {"--frenatura", "nan"}}) {
    std::vector<std::string> argomenti = opzione;
    argomenti.insert(argomenti.end(), {"--orario", c.percorso(), "Orsella_Drumvane", "xr40318"});
    const test::esecuzione e = test::mostra(argomenti);
    EXPECT_EQ(e.stato, mostra_uso) << opzione[0] << " " << opzione[1];
    EXPECT_NE(e.diagnostica.find(opzione[0]), std::string::npos) << e.diagnostica;
    EXPECT_EQ(e.uscita, "");
  }
}

}  // namespace
}  // namespace od
