#include "elementi/elementi.h"

#include <gtest/gtest.h>

#include "rilettura/lettura_binari.h"
#include "tools/scenario_prova.h"

namespace od {
namespace {

using test::cartella_temporanea;

// The test scenario read back from its files, as the tool sees it.
elementi_linea elementi_prova() {
  const cartella_temporanea c;
  test::costruisci(c);
  const scenario_letto l = leggi_scenario(c.percorso(), test::percorso_prova, test::treno_prova);
  EXPECT_TRUE(l.danni.empty());
  return estrai_elementi(l.stato);
}

TEST(ElementiLinea, StationsSignalsAndSlowdownsComeBackAsTheAuthorWroteThem) {
  const elementi_linea e = elementi_prova();
  EXPECT_EQ(e.generale.lunghezza_linea, 20000);
  EXPECT_EQ(e.generale.orologio, (std::array<int16_t, 3>{10, 2, 30}));
  EXPECT_EQ(e.generale.vetture, 4);
  EXPECT_EQ(e.generale.segno_tabella, 610);
  EXPECT_EQ(e.generale.segno_binario, 5121);

  ASSERT_EQ(e.stazioni.size(), 3u);
  const stazione_letta& castelgriso = e.stazioni[1];
  EXPECT_EQ(castelgriso.numero, 2);
  EXPECT_EQ(castelgriso.dati.nome, "CASTELGRISO");
  EXPECT_EQ(castelgriso.dati.posizione, 12950);
  EXPECT_EQ(castelgriso.dati.area_inizio, 12800);
  EXPECT_EQ(castelgriso.dati.area_fine, 13150);
  EXPECT_EQ(castelgriso.dati.orario, (10 * 60 + 20) * 60);
  EXPECT_EQ(castelgriso.cella_fermata, 262);  // round(13150 / 50 - 1)
  EXPECT_EQ(e.stazioni[0].cella_fermata, 5);

  ASSERT_EQ(e.segnali.size(), 4u);
  const segnale_letto& s = e.segnali[2];
  EXPECT_EQ(s.posizione, 12100);
  EXPECT_EQ(s.cella, 243);
  EXPECT_EQ(s.sx, 2);
  EXPECT_EQ(s.sinistra, (std::array<int, 3>{4, 1, 3}));
  EXPECT_EQ(s.rapp, 2);
  EXPECT_EQ(s.dx, 2);
  EXPECT_EQ(s.destra, (std::array<int, 3>{2, 1, 0}));
  EXPECT_EQ(s.attesa, 230);
  EXPECT_EQ(e.segnali[1].sx, 1);
  EXPECT_EQ(e.segnali[3].attesa, 101) << "a held time of 50 s is stored as 101";

  ASSERT_EQ(e.rallentamenti.size(), 2u);
  const rallentamento_letto& r = e.rallentamenti[0];
  EXPECT_EQ(r.cella_inizio, 174);
  EXPECT_EQ(r.cella_fine, 177);
  EXPECT_EQ(r.cella_avviso, 150);
  EXPECT_EQ(r.celle_preavviso, (std::vector<int32_t>{149, 148, 147, 146}));
  EXPECT_EQ(r.velocita, 30);
  EXPECT_EQ(e.rallentamenti[1].treno_intero, 1);
  EXPECT_TRUE(e.rallentamenti[1].celle_preavviso.empty());
  EXPECT_TRUE(e.isolate.empty());
}

TEST(ElementiLinea, BoardsSignsReductionsAndRunsComeBackUnpacked) {
  const elementi_linea e = elementi_prova();
  ASSERT_EQ(e.indicatori.size(), 1u);
  EXPECT_EQ(e.indicatori[0].posizione, 600);
  EXPECT_EQ(e.indicatori[0].sinistra, (std::array<int, 3>{80, 80, 80}));
  EXPECT_EQ(e.indicatori[0].destra, (std::array<int, 3>{60, 0, 0}));
  EXPECT_EQ(e.indicatori[0].strisce_sinistra, 0);
  EXPECT_EQ(e.indicatori[0].strisce_destra, 2);

  ASSERT_EQ(e.cartelli.size(), 1u);
  EXPECT_EQ(e.cartelli[0].posizione, 2500);
  EXPECT_EQ(e.cartelli[0].voce, 80);
  EXPECT_EQ(e.cartelli[0].testo, "(  Galleria  )(  Sgrevonda  )(  620 m.  )");

  // The walk's markers: three before each start, one through the 500 m
  // slowdown, one before the signal after its end.
  std::vector<int32_t> celle;
  for (const abbattimento_letto& a : e.abbattimenti) {
    EXPECT_EQ(a.valore, 180);
    celle.push_back(a.cella);
  }
  EXPECT_EQ(celle, (std::vector<int32_t>{156, 163, 169, 283, 290, 296, 309, 318}));

  ASSERT_EQ(e.pendenze.size(), 3u);
  EXPECT_EQ(e.pendenze[1].da, 100);
  EXPECT_EQ(e.pendenze[1].valore, 93);  // -7 per mille
  EXPECT_EQ(e.pendenze.back().a, 537) << "the last three cells are never filled";
  ASSERT_EQ(e.velocita.size(), 2u);
  EXPECT_EQ(e.velocita[1].da, 200);
  EXPECT_EQ(e.velocita[1].valore, 12);  // 60 km/h
  ASSERT_EQ(e.montagne.size(), 2u);
  EXPECT_EQ(e.montagne[0].da, 16);
  EXPECT_EQ(e.montagne[0].a, 40);
  EXPECT_EQ(e.montagne[0].valore, 2);
  EXPECT_EQ(e.montagne[0].segni, 6);
}

TEST(ElementiLinea, SlowdownPartsWithoutAStartAreKeptApart) {
  scenario s;
  crea_binario(s, 5000);
  s.binario[60].oggetto = oggetto::avviso_rallentamento;
  s.binario[60].valore1 = 40;
  s.binario[90].oggetto = oggetto::fine_rallentamento;
  const elementi_linea e = estrai_elementi(s);
  EXPECT_TRUE(e.rallentamenti.empty());
  ASSERT_EQ(e.isolate.size(), 2u);
  EXPECT_EQ(e.isolate[0].cella, 60);
  EXPECT_EQ(e.isolate[0].valore1, 40);
  EXPECT_EQ(e.isolate[1].oggetto, oggetto::fine_rallentamento);
}

}  // namespace
}  // namespace od
