#include "tools/mostra/comando.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "tools/scenario_prova.h"

namespace od {
namespace {

using test::cartella_temporanea;
using test::mostra;
using test::righe_di;

class MostraScenario : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(test::costruisci(c_)); }
  std::vector<std::string> argomenti(std::vector<std::string> opzioni) const {
    opzioni.insert(opzioni.end(), {c_.percorso(), test::percorso_prova, test::treno_prova});
    return opzioni;
  }
  cartella_temporanea c_;
};

TEST_F(MostraScenario, TheSummaryNamesEveryKindOfItem) {
  const test::esecuzione e = mostra(argomenti({}));
  EXPECT_EQ(e.stato, mostra_ok) << e.diagnostica;
  EXPECT_EQ(e.diagnostica, "");
  for (const char* atteso :
       {"20000 m (binario 27000 m, celle 0-540)", "Stazioni (3)", "CASTELGRISO", "12800 ..  13150 m", "10:20:00",
        "Segnali (4)", "Rallentamenti (2)", "7450 m", "Indicatori di velocita' (1)", "80/80/80 km/h",
        "(  Galleria  )(  Sgrevonda  )(  620 m.  )", "Abbattimenti (8)", "-7 per mille", "tipo 2, 6 segni",
        "610 (voce 85), 5121 (cella 1)"}) {
    EXPECT_NE(e.uscita.find(atteso), std::string::npos) << atteso << "\n" << e.uscita;
  }
}

TEST_F(MostraScenario, CellsComeOnePerLineWithNamedFields) {
  test::esecuzione e = mostra(argomenti({"--celle", "241-243"}));
  EXPECT_EQ(e.stato, mostra_ok) << e.diagnostica;
  const std::vector<std::string> righe = righe_di(e.uscita);
  ASSERT_EQ(righe.size(), 3u) << e.uscita;
  EXPECT_EQ(righe[2],
            "cella 243 da 12150 m: oggetto=1 (segnale) valore1=42 valore2=11 valore3=30 valore4=28 attesa=230 "
            "preavviso=0 montagna=0 vmax=12 pendenza=100 aderenza=90");
  // The signal's first approach mark: 30 x 2 + 10 x 2 + 1.
  EXPECT_EQ(righe[0].rfind("cella 241 da 12050 m: oggetto=0 (vuota) ", 0), 0u) << righe[0];
  EXPECT_NE(righe[0].find(" preavviso=81 "), std::string::npos) << righe[0];

  e = mostra(argomenti({"--celle", "540"}));
  EXPECT_EQ(e.stato, mostra_ok);
  EXPECT_EQ(righe_di(e.uscita).size(), 1u);

  for (const char* sbagliato : {"243-241", "0-541", "abc", "1-2-3", "-3"}) {
    e = mostra(argomenti({std::string("--celle=") + sbagliato}));
    EXPECT_EQ(e.stato, mostra_uso) << sbagliato;
    EXPECT_EQ(e.uscita, "") << sbagliato;
    EXPECT_NE(e.diagnostica.find("intervallo di celle"), std::string::npos) << e.diagnostica;
  }
}

TEST_F(MostraScenario, JsonParsesBackWithEveryPart) {
  const test::esecuzione e = mostra(argomenti({"--json", "--celle", "243-243"}));
  EXPECT_EQ(e.stato, mostra_ok) << e.diagnostica;
  const nlohmann::json j = nlohmann::json::parse(e.uscita);
  EXPECT_EQ(j["percorso"], "Prova");
  EXPECT_TRUE(j["danni"].empty());
  EXPECT_EQ(j["linea"]["ultima_cella"], 540);
  EXPECT_EQ(j["linea"]["planimetria"]["righe"], 27001);
  EXPECT_EQ(j["generale"]["segno_tabella"], 610);
  EXPECT_EQ(j["generale"]["orologio"], nlohmann::json({10, 2, 30}));
  ASSERT_EQ(j["stazioni"].size(), 3u);
  EXPECT_EQ(j["stazioni"][1]["nome"], "CASTELGRISO");
  EXPECT_EQ(j["stazioni"][1]["area_fine"], 13150);
  EXPECT_EQ(j["stazioni"][1]["cella_fermata"], 262);
  ASSERT_EQ(j["segnali"].size(), 4u);
  EXPECT_EQ(j["segnali"][2]["destra"], nlohmann::json({2, 1, 0}));
  EXPECT_EQ(j["rallentamenti"]["elenco"][0]["avviso"], 7450);
  EXPECT_EQ(j["rallentamenti"]["elenco"][0]["celle_preavviso"].size(), 4u);
  EXPECT_EQ(j["indicatori"][0]["destra"], nlohmann::json({60, 0, 0}));
  EXPECT_EQ(j["cartelli"][0]["testo"], "(  Galleria  )(  Sgrevonda  )(  620 m.  )");
  EXPECT_EQ(j["abbattimenti"].size(), 8u);
  EXPECT_EQ(j["pendenze"][1]["per_mille"], -7);
  EXPECT_EQ(j["velocita"][1]["km_h"], 60);
  EXPECT_EQ(j["tabella"].size(), 87u);
  ASSERT_EQ(j["celle"].size(), 1u);
  EXPECT_EQ(j["celle"][0]["nome_oggetto"], "segnale");
  EXPECT_EQ(j["celle"][0]["attesa"], 230);
}

TEST_F(MostraScenario, DamageGoesToStandardErrorAndIntoTheJson) {
  std::string dat = c_.leggi(test::nomi_prova().binario);
  dat[15 * 300] = 9;  // an item code the build never writes
  dat[16] = 0;        // the mark 5121 becomes 5120
  c_.scrivi(test::nomi_prova().binario, dat);
  test::esecuzione e = mostra(argomenti({}));
  EXPECT_EQ(e.stato, mostra_danni);
  const std::string file = c_.file(test::nomi_prova().binario);
  EXPECT_EQ(e.diagnostica, file + ": byte 16: il segno della cella 1 vale 5120 invece di 5121\n" + file +
                               ": byte 4500: cella 300: codice di oggetto 9 sconosciuto\n");
  EXPECT_NE(e.uscita.find("CASTELGRISO"), std::string::npos) << "the summary still comes";

  e = mostra(argomenti({"--json"}));
  EXPECT_EQ(e.stato, mostra_danni);
  const nlohmann::json j = nlohmann::json::parse(e.uscita);
  ASSERT_EQ(j["danni"].size(), 2u);
  EXPECT_EQ(j["danni"][1]["byte"], 4500);
  EXPECT_EQ(j["danni"][1]["file"], "Prova_t1.dat");

  dat.resize(dat.size() - 1);
  c_.scrivi(test::nomi_prova().binario, dat);
  e = mostra(argomenti({}));
  EXPECT_EQ(e.stato, mostra_danni);
  EXPECT_EQ(e.diagnostica, file +
                               ": byte 8100: il file ha 8114 byte, non un multiplo di 15: l'ultima cella ha solo "
                               "14 byte\n");
  EXPECT_NE(e.uscita.find("Nessun riepilogo"), std::string::npos) << e.uscita;
}

TEST_F(MostraScenario, ComparisonListsWhatMovedByPosition) {
  std::string treno = test::treno_prova_testo();
  auto sostituisci = [&treno](const std::string& da, const std::string& a) {
    const std::size_t p = treno.find(da);
    ASSERT_NE(p, std::string::npos) << da;
    treno.replace(p, da.size(), a);
  };
  sostituisci("stazione,   12950, 22", "stazione,   13000, 22");
  sostituisci("segnale,   12100,", "segnale,   12200,");
  const cartella_temporanea altra;
  ASSERT_NO_FATAL_FAILURE(test::costruisci(altra, test::linea_prova(), treno));

  test::esecuzione e = mostra(argomenti({"--confronta", altra.percorso()}));
  EXPECT_EQ(e.stato, mostra_differenze) << e.diagnostica;
  const std::vector<std::string> righe = righe_di(e.uscita);
  auto riga_con = [&](const std::string& testo) {
    return std::find_if(righe.begin(), righe.end(),
                        [&](const std::string& r) { return r.find(testo) != std::string::npos; });
  };
  const auto stazione = riga_con("stazione 2 CASTELGRISO: spostata da 12950 m a 13000 m");
  ASSERT_NE(stazione, righe.end()) << e.uscita;
  EXPECT_NE(stazione->find("12950 m  stazione"), std::string::npos) << *stazione;
  EXPECT_NE(stazione->find("area_inizio 12800 -> 12850"), std::string::npos) << *stazione;
  const auto segnale = riga_con("cella 243: oggetto 1 (segnale) -> 0 (vuota)");
  ASSERT_NE(segnale, righe.end()) << e.uscita;
  EXPECT_NE(segnale->find("12150 m  cella 243"), std::string::npos) << *segnale;
  ASSERT_NE(riga_con("cella 245: oggetto 0 (vuota) -> 1 (segnale)"), righe.end()) << e.uscita;
  ASSERT_NE(riga_con("cella 262: oggetto 10 (fermata) -> 0 (vuota)"), righe.end()) << e.uscita;
  EXPECT_LT(segnale, riga_con("cella 245:"));
  EXPECT_LT(riga_con("cella 245:"), riga_con("cella 262:")) << "in order along the line";

  e = mostra(argomenti({"--json", "--confronta", altra.percorso()}));
  EXPECT_EQ(e.stato, mostra_differenze);
  const nlohmann::json j = nlohmann::json::parse(e.uscita);
  ASSERT_FALSE(j["differenze"].empty());
  int32_t precedente = -1;
  for (const auto& d : j["differenze"]) {
    if (d["posizione"].is_null()) continue;
    EXPECT_GE(d["posizione"].get<int32_t>(), precedente);
    precedente = d["posizione"].get<int32_t>();
  }

  e = mostra(argomenti({"--confronta", c_.percorso()}));
  EXPECT_EQ(e.stato, mostra_ok);
  EXPECT_EQ(e.uscita.rfind("Nessuna differenza", 0), 0u) << e.uscita;
}

TEST_F(MostraScenario, NeighbouringCellsWithTheSameChangeAreOneEntry) {
  std::string linea = test::linea_prova();
  linea.replace(linea.find("pendenza,  5000 , -7"), 20, "pendenza,  5000 , -8");
  const cartella_temporanea altra;
  ASSERT_NO_FATAL_FAILURE(test::costruisci(altra, linea));
  const test::esecuzione e = mostra(argomenti({"--confronta", altra.percorso()}));
  EXPECT_EQ(e.stato, mostra_differenze);
  EXPECT_NE(e.uscita.find("5000 m  celle 100-239: pendenza 93 -> 92\n"), std::string::npos) << e.uscita;
}

TEST_F(MostraScenario, BadUsageAndMissingFilesAreClearErrors) {
  test::esecuzione e = mostra({"--help"});
  EXPECT_EQ(e.stato, mostra_ok);
  EXPECT_NE(e.uscita.find("Uso:"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("Stato di uscita"), std::string::npos);

  e = mostra({c_.percorso(), "Prova"});
  EXPECT_EQ(e.stato, mostra_uso);
  EXPECT_NE(e.diagnostica.find("mostra_scenario: "), std::string::npos) << e.diagnostica;

  e = mostra({c_.percorso(), "../Prova", "t1"});
  EXPECT_EQ(e.stato, mostra_uso);
  EXPECT_NE(e.diagnostica.find("PERCORSO contiene \"/\""), std::string::npos) << e.diagnostica;

  e = mostra({c_.percorso(), "Prova", "t2"});
  EXPECT_EQ(e.stato, mostra_uso);
  EXPECT_EQ(e.diagnostica, "mostra_scenario: " + c_.file("Prova_t2.sim") + ": file mancante\n");

  // A picture whose folder cannot be made: a file stands where it would go.
  e = mostra(argomenti({"--svg", c_.file("Prova_t1.sim/linea.svg")}));
  EXPECT_EQ(e.stato, mostra_uso);
  EXPECT_EQ(
      e.diagnostica.rfind("mostra_scenario: " + c_.file("Prova_t1.sim") + ": la cartella non si puo' creare: ", 0), 0u)
      << e.diagnostica;
}

}  // namespace
}  // namespace od
