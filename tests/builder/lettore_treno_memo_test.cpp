// Signals and slowdowns on the track, read from the train file and placed by
// memo_segnale and memo_rallentamento.
#include "builder/lettore_treno_prova.h"
#include "builder/memo_treno.h"

namespace od {
namespace {

using prova_segnali = prova_lettore_treno;
using prova_rallentamenti = prova_lettore_treno;

TEST_F(prova_segnali, SegnaleA12100) {
  leggi_generale({"segnale,   12100,   2, 4, 1,  0, 0,    0,  0,0,0, 220"});
  EXPECT_EQ(letto.codice, 0);
  const cella& s = c(243);
  EXPECT_EQ(s.oggetto, oggetto::segnale);
  EXPECT_EQ(s.valore1, 40);
  EXPECT_EQ(s.valore2, 10);
  EXPECT_EQ(s.valore3, 0);
  EXPECT_EQ(s.valore4, 6);  // 10 x rapp + 3 x sx + dx
  EXPECT_EQ(s.attesa, 220);
  EXPECT_EQ(c(241).preavviso, 61);
  EXPECT_EQ(c(239).preavviso, 62);
  EXPECT_EQ(c(237).preavviso, 63);
  EXPECT_EQ(c(235).preavviso, 64);
  for (int32_t i : {233, 236, 238, 240, 242, 243}) EXPECT_EQ(c(i).preavviso, 0) << "cella " << i;
}

TEST_F(prova_segnali, LatoDestroTempoECodiceSinistro) {
  leggi_generale({"segnale,   84000,   2, 4, 1,  0, 0,    2,  2,1,0, 220",
                  "segnale, 12100, 2, 4, 1, 0, 0, 0, 0,0,0, 50", "segnale, 20000, 1, 4, 1, 0, 3, 0, 0,0,0, 220"});
  EXPECT_EQ(letto.codice, 0);
  const cella& destro = c(1681);
  EXPECT_EQ(destro.valore1, 42);
  EXPECT_EQ(destro.valore2, 11);
  EXPECT_EQ(destro.valore4, 8);
  EXPECT_EQ(c(1679).preavviso, 81);
  EXPECT_EQ(c(1673).preavviso, 84);

  EXPECT_EQ(c(243).attesa, 101);  // a held time of 1 to 100 s counts as 101

  const cella& sinistro_1 = c(401);
  EXPECT_EQ(sinistro_1.attesa, 0);  // only a left code 2 holds the train
  EXPECT_EQ(sinistro_1.valore4, 33);
  EXPECT_EQ(c(399).preavviso, 31);
  EXPECT_EQ(c(393).preavviso, 34);
}

TEST_F(prova_segnali, TempoCorrettoAncheNelRecordDelChiamante) {
  dati_segnale s{.posizione = 12100, .sx = 1, .tempo = 1};
  EXPECT_EQ(numero(memo_segnale(stato, s)), 0);
  EXPECT_EQ(s.tempo, 101);
  dati_segnale lungo{.posizione = 22100, .sx = 2, .tempo = 300};
  EXPECT_EQ(numero(memo_segnale(stato, lungo)), 0);
  EXPECT_EQ(lungo.tempo, 300);
  EXPECT_EQ(c(443).attesa, 300 - 256);  // the byte keeps the low 8 bits
}

TEST_F(prova_segnali, CelleOccupateELibere) {
  stato.binario[243].oggetto = oggetto::segno_montagna;
  stato.binario[300].oggetto = oggetto::avviso_rallentamento;
  stato.binario[300].valore1 = 30;
  letto.codice = 0;
  dati_segnale sul_segno{.posizione = 12100, .sx = 2, .tempo = 220};
  EXPECT_EQ(numero(memo_segnale(stato, sul_segno)), 0);
  EXPECT_EQ(c(243).oggetto, oggetto::segnale);

  // An approach mark may stand on a slowdown's warning, which stays.
  dati_segnale sopra_avviso{.posizione = 15050, .sx = 2, .tempo = 220};
  EXPECT_EQ(numero(memo_segnale(stato, sopra_avviso)), 0);
  EXPECT_EQ(c(300).oggetto, oggetto::avviso_rallentamento);
  EXPECT_EQ(c(300).valore1, 30);
  EXPECT_EQ(c(300).preavviso, 61);

  const cella prima = c(243);
  dati_segnale doppio{.posizione = 12100, .sx = 1, .dx = 1, .tempo = 0};
  EXPECT_EQ(numero(memo_segnale(stato, doppio)), 16);
  EXPECT_EQ(c(243), prima);
  EXPECT_EQ(c(241).preavviso, 61);
}

TEST_F(prova_segnali, SegnaleTroppoVicinoAllInizio) {
  // At 350 the farthest mark lands on cell 0; at 300 it would fall before it.
  leggi_generale({"segnale, 350, 1, 0,0,0, 0, 0, 0,0,0, 0"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(c(8).oggetto, oggetto::segnale);
  EXPECT_EQ(c(0).preavviso, 34);

  leggi_generale({"velocita, 0, 80", "segnale, 300, 1, 0,0,0, 0, 0, 0,0,0, 0", "numero vetture, 4"});
  EXPECT_EQ(letto.codice, 15);
  EXPECT_EQ(letto.posizione, 300);
  EXPECT_EQ(c(7).oggetto, oggetto::vuoto);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 0);
  EXPECT_EQ(c(ultima - 3).vmax, 16);  // code 15 still fills the track
}

TEST_F(prova_rallentamenti, RallentamentoA8650) {
  leggi_generale({"rallentamento,   8650,    30,  150, 1,  1,  0"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(c(174).oggetto, oggetto::inizio_rallentamento);
  EXPECT_EQ(c(177).oggetto, oggetto::fine_rallentamento);
  EXPECT_EQ(c(150).oggetto, oggetto::avviso_rallentamento);
  for (int32_t i : {174, 177, 150}) {
    EXPECT_EQ(c(i).valore1, 30) << "cella " << i;
    EXPECT_EQ(c(i).valore2, 0) << "cella " << i;
  }
  EXPECT_EQ(c(174).valore3, 1);
  EXPECT_EQ(c(177).valore3, 1);
  EXPECT_EQ(c(150).valore3, 0);
  for (int32_t k = 0; k < 4; ++k) {
    EXPECT_EQ(c(149 - k).oggetto, oggetto::preavviso_rallentamento);
    EXPECT_EQ(c(149 - k).valore1, k + 1);
    EXPECT_EQ(c(149 - k).valore2, 0);
  }
  EXPECT_EQ(c(145).oggetto, oggetto::vuoto);
  EXPECT_EQ(c(175).oggetto, oggetto::vuoto);
}

TEST_F(prova_rallentamenti, ValoreAggiuntivoESenzaPreavvisi) {
  leggi_generale({"rallentamento, 8650, 30, 150, 0, 0, 7"});
  EXPECT_EQ(letto.codice, 0);
  for (int32_t i : {174, 177, 150}) EXPECT_EQ(c(i).valore2, 7) << "cella " << i;
  EXPECT_EQ(c(149).oggetto, oggetto::vuoto);

  leggi_generale({"rallentamento, 20000, 60, 500, 0, 1, 7"});
  const int32_t b = 376;  // round((20000 - 1200) / 50)
  for (int32_t k = 0; k < 4; ++k) {
    EXPECT_EQ(c(b - k).valore1, k + 1);
    EXPECT_EQ(c(b - k).valore2, k + 1);
  }
}

TEST_F(prova_rallentamenti, AvvisoSoloOltre1500m) {
  leggi_generale({"rallentamento, 1500, 30, 150, 1, 1, 0"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(c(31).oggetto, oggetto::inizio_rallentamento);
  for (int32_t i = 0; i < 31; ++i) ASSERT_EQ(c(i).oggetto, oggetto::vuoto) << "cella " << i;

  leggi_generale({"rallentamento, 1550, 30, 150, 1, 1, 0"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(c(8).oggetto, oggetto::avviso_rallentamento);
  for (int32_t i = 4; i <= 7; ++i) EXPECT_EQ(c(i).oggetto, oggetto::preavviso_rallentamento) << "cella " << i;
  EXPECT_EQ(c(7).valore1, 1);
  EXPECT_EQ(c(4).valore1, 4);
  EXPECT_EQ(c(3).oggetto, oggetto::vuoto);
}

TEST_F(prova_rallentamenti, CelleOccupate) {
  const dati_rallentamento r{.x = 8650, .v = 30, .l = 150, .f_tt = 1, .f_ta = 1, .d_v = 0};
  const std::vector<std::pair<int32_t, int32_t>> occupate = {{150, 17}, {174, 18}, {177, 19}};
  for (const auto& [indice, codice] : occupate) {
    SCOPED_TRACE(codice);
    ricomincia();
    stato.binario[static_cast<std::size_t>(indice)].oggetto = oggetto::fermata;
    const std::vector<cella> prima = stato.binario;
    EXPECT_EQ(numero(memo_rallentamento(stato, r)), codice);
    EXPECT_EQ(stato.binario, prima);  // nothing written
  }

  // A taken mark cell: start, end and warning stay written, no mark is.
  ricomincia();
  stato.binario[147].oggetto = oggetto::segnale;
  leggi_generale({"rallentamento, 8650, 30, 150, 1, 1, 0", "numero vetture, 4"});
  EXPECT_EQ(letto.codice, 20);
  EXPECT_EQ(letto.posizione, 8650);
  EXPECT_EQ(c(174).oggetto, oggetto::inizio_rallentamento);
  EXPECT_EQ(c(177).oggetto, oggetto::fine_rallentamento);
  EXPECT_EQ(c(150).oggetto, oggetto::avviso_rallentamento);
  EXPECT_EQ(c(149).oggetto, oggetto::vuoto);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 0);

  // Mountain-run markers are free cells.
  ricomincia();
  for (int32_t i : {146, 150, 174, 177}) stato.binario[static_cast<std::size_t>(i)].oggetto = oggetto::segno_montagna;
  EXPECT_EQ(numero(memo_rallentamento(stato, r)), 0);
  EXPECT_EQ(c(146).oggetto, oggetto::preavviso_rallentamento);
}

TEST_F(prova_rallentamenti, FineNellaCellaDiInizioOFuoriBinario) {
  // 8650 + 20 still rounds to the start cell 174.
  leggi_generale({"rallentamento, 8650, 30, 20, 1, 1, 0"});
  EXPECT_EQ(letto.codice, 19);
  EXPECT_EQ(letto.posizione, 8650);
  EXPECT_EQ(c(174).oggetto, oggetto::vuoto);
  EXPECT_EQ(c(150).oggetto, oggetto::vuoto);

  letto.codice = 0;
  leggi_generale({"rallentamento, 8650, 30, -500, 1, 1, 0"});
  EXPECT_EQ(letto.codice, 19);

  // The start passes the position test, the end would lie past the last cell.
  letto.codice = 0;
  leggi_generale({"velocita, 0, 80", "rallentamento, 102800, 30, 300, 1, 1, 0", "numero vetture, 4"});
  EXPECT_EQ(letto.codice, 15);
  EXPECT_EQ(letto.posizione, 102800);
  EXPECT_EQ(c(2057).oggetto, oggetto::vuoto);
  EXPECT_EQ(c(2033).oggetto, oggetto::vuoto);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 0);
  EXPECT_EQ(c(ultima - 3).vmax, 16);
}

}  // namespace
}  // namespace od
