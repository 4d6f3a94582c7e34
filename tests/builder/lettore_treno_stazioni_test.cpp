// Stations of the train file: their areas, stopping points and marks, the
// flags adjusted on reading, and the codes that refuse a station.
#include "builder/lettore_treno_prova.h"

namespace od {
namespace {

using prova_stazioni = prova_lettore_treno;

TEST_F(prova_stazioni, PrimaStazioneAreaFermataEPreavvisi) {
  leggi_generale({riga_stazione(0, 2, 600, 1, 0, "Orsella Alta")});
  EXPECT_EQ(letto.codice, 0);
  const voce& s = stato.tabella[1];
  EXPECT_EQ(s.tipo, 2);
  EXPECT_EQ(s.posizione, 0);
  EXPECT_EQ(s.area_inizio, -300);
  EXPECT_EQ(s.area_fine, 300);
  EXPECT_EQ(s.opzione_a, 1);
  EXPECT_EQ(s.opzione_b, 0);  // never for the station where the train starts
  EXPECT_EQ(s.opzione_c, 0);
  EXPECT_EQ(s.nome, "Orsella Alta");
  EXPECT_EQ(s.terna_a1, 11);
  EXPECT_EQ(s.terna_a2, 12);
  EXPECT_EQ(s.terna_a3, 13);
  EXPECT_EQ(s.terna_b1, 21);
  EXPECT_EQ(s.terna_b2, 22);
  EXPECT_EQ(s.terna_b3, 23);
  EXPECT_EQ(s.sosta, 60);
  EXPECT_EQ(s.orario, (10 * 60 + 2) * 60 + 30);

  EXPECT_EQ(c(5).oggetto, oggetto::fermata);
  EXPECT_EQ(c(5).valore1, 1);
  EXPECT_EQ(c(4).preavviso, 81);
  EXPECT_EQ(c(3).preavviso, 82);
  EXPECT_EQ(c(2).preavviso, 83);
  EXPECT_EQ(c(1).preavviso, 0);  // the fourth mark would fall on cell 1
  EXPECT_EQ(c(5).preavviso, 0);
}

TEST_F(prova_stazioni, OpzioniRegolateETipiDiArea) {
  // Station 1's area still grows by 50 m with opzione_c; only the stored flag is cleared.
  leggi_generale({riga_stazione(0, 2, 600, 1, 1), riga_stazione(12950, 22, 300, 1, 1),
                  riga_stazione(20000, 12, 600, 1, 0), riga_stazione(30000, 5, 400, 1, 1),
                  riga_stazione(40000, 8, 400, 0, 1), riga_stazione(50000, 27, 200)});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(stato.tabella[1].area_fine, 350);
  EXPECT_EQ(stato.tabella[1].opzione_c, 0);
  EXPECT_EQ(c(6).oggetto, oggetto::fermata);

  const voce& seconda = stato.tabella[2];
  EXPECT_EQ(seconda.area_inizio, 12800);
  EXPECT_EQ(seconda.area_fine, 13150);
  EXPECT_EQ(seconda.opzione_c, 1);
  EXPECT_EQ(seconda.opzione_b, 0);  // shorter than 600 m
  EXPECT_EQ(c(262).oggetto, oggetto::fermata);
  EXPECT_EQ(c(262).valore1, 2);
  EXPECT_EQ(c(261).preavviso, 81);
  EXPECT_EQ(c(258).preavviso, 84);

  EXPECT_EQ(stato.tabella[3].opzione_b, 1);
  EXPECT_EQ(stato.tabella[3].area_inizio, 19700);
  EXPECT_EQ(stato.tabella[3].area_fine, 20300);

  // Types 5 and 6: from the length before to 150 m after; a stopping point
  // but no marks.
  EXPECT_EQ(stato.tabella[4].area_inizio, 29600);
  EXPECT_EQ(stato.tabella[4].area_fine, 30150);
  EXPECT_EQ(stato.tabella[4].opzione_c, 0);
  EXPECT_EQ(c(602).oggetto, oggetto::fermata);
  EXPECT_EQ(c(601).preavviso, 0);

  // Types 7 and 8: the length on both sides.
  EXPECT_EQ(stato.tabella[5].area_inizio, 39600);
  EXPECT_EQ(stato.tabella[5].area_fine, 40400);
  EXPECT_EQ(stato.tabella[5].opzione_c, 0);
  EXPECT_EQ(c(807).oggetto, oggetto::fermata);
  EXPECT_EQ(c(806).preavviso, 81);

  // 25 and up: an area, but nothing on the track.
  EXPECT_EQ(stato.tabella[6].area_fine, 50100);
  EXPECT_EQ(c(1001).oggetto, oggetto::vuoto);
  EXPECT_EQ(c(1000).preavviso, 0);
}

TEST_F(prova_stazioni, DistanzaDi350mTraLeAree) {
  // The first area ends at 300; the second (length 200) begins 100 m before
  // its position.
  leggi_generale({riga_stazione(0, 2, 600), riga_stazione(750, 26, 200)});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(stato.tabella[2].area_inizio, 650);

  leggi_generale({riga_stazione(0, 2, 600), riga_stazione(700, 26, 200), riga_stazione(5000, 26, 200)});
  EXPECT_EQ(letto.codice, 22);
  EXPECT_EQ(letto.posizione, 700);
  EXPECT_EQ(stato.tabella[3], voce{});
  EXPECT_TRUE(esiste_file(percorso_treno()));
}

TEST_F(prova_stazioni, FermataTroppoVicinaAllInizio) {
  leggi_generale({riga_stazione(50, 12, 200)});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(stato.tabella[1].area_fine, 150);
  EXPECT_EQ(c(2).oggetto, oggetto::fermata);
  for (int32_t i = 0; i <= 2; ++i) EXPECT_EQ(c(i).preavviso, 0) << "cella " << i;

  letto.posizione = 1234;
  leggi_generale({riga_stazione(50, 12, 100), "numero vetture, 4"});
  EXPECT_EQ(letto.codice, 24);
  EXPECT_EQ(letto.posizione, 1234);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 0);

  // Without a stopping point the same area is fine.
  letto.codice = 0;
  leggi_generale({riga_stazione(50, 26, 100)});
  EXPECT_EQ(letto.codice, 0);
}

TEST_F(prova_stazioni, PosizioneELunghezzaNonMultiple) {
  leggi_generale({riga_stazione(12925, 2, 600)});
  EXPECT_EQ(letto.codice, 8);
  EXPECT_EQ(letto.posizione, 12925);

  leggi_generale({riga_stazione(12950, 2, 650)});
  EXPECT_EQ(letto.codice, 9);
  EXPECT_EQ(letto.posizione, 12950);
  // What was read before the stop stays in the entry; the length is no field of it.
  voce letta;
  letta.posizione = 12950;
  letta.tipo = 2;
  EXPECT_EQ(stato.tabella[1], letta);

  // A value that does not fit stops the station after the fields before it.
  ricomincia();
  EXPECT_THROW(leggi_generale({riga_stazione(500, 12, 400), "stazione, 5000, 12, 400, 1, 0, 0, 11, 99999"}),
               errore_lettura);
  voce mezza;
  mezza.posizione = 5000;
  mezza.tipo = 12;
  mezza.opzione_a = 1;
  mezza.terna_a1 = 11;
  EXPECT_EQ(stato.tabella[2], mezza);
}

TEST_F(prova_stazioni, StazioniCheRaggiungonoICartelli) {
  contatore_cartelli = 3;  // signs in entries 80 down to 4
  leggi_generale({riga_stazione(0, 2, 600), riga_stazione(5000, 2, 600), riga_stazione(9000, 2, 600)});
  EXPECT_EQ(letto.codice, 10);
  EXPECT_EQ(stato.tabella[2].posizione, 5000);
  EXPECT_EQ(stato.tabella[3], voce{});

  // 79 signs leave entry 1 to the first station, which is read whole before
  // the count stops the reading.
  ricomincia();
  contatore_cartelli = 1;
  leggi_generale({riga_stazione(0, 2, 600)});
  EXPECT_EQ(letto.codice, 10);
  EXPECT_EQ(stato.tabella[1].nome, "Borgo Alto");

  // With all 80 sign entries taken, not even the first station may be
  // written: entry 1 holds a sign.
  ricomincia();
  contatore_cartelli = 0;
  stato.tabella[1].nome = "(Galleria) (Monte Serpe) (350 m.)";
  leggi_generale({riga_stazione(0, 2, 600)});
  EXPECT_EQ(letto.codice, 10);
  EXPECT_EQ(stato.tabella[1].nome, "(Galleria) (Monte Serpe) (350 m.)");
}

TEST_F(prova_stazioni, StazioniFuoriBinario) {
  // 800 m of track must follow the position: 102200 + 800 = 103000 fits.
  leggi_generale({riga_stazione(102200, 26, 200)});
  EXPECT_EQ(letto.codice, 0);
  leggi_generale({riga_stazione(102250, 26, 200), "numero vetture, 4"});
  EXPECT_EQ(letto.codice, 15);
  EXPECT_EQ(letto.posizione, 102250);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 0);

  letto.codice = 0;
  leggi_generale({riga_stazione(-100, 26, 200)});
  EXPECT_EQ(letto.codice, 15);
  EXPECT_EQ(letto.posizione, -100);

  // A stopping point past the last cell is refused before anything is
  // written on the track (the entry holds what was read); the reading still
  // ends with the final fill.
  ricomincia();
  leggi_generale({"velocita, 0, 80", riga_stazione(102200, 7, 1000)});
  EXPECT_EQ(letto.codice, 15);
  EXPECT_EQ(letto.posizione, 102200);
  EXPECT_EQ(stato.tabella[1].area_fine, 103200);
  for (int32_t i = ultima - 8; i <= ultima; ++i) EXPECT_EQ(c(i).preavviso, 0) << "cella " << i;
  EXPECT_EQ(c(ultima - 3).vmax, 16);
}

TEST_F(prova_stazioni, SegnaleSullaFermata) {
  leggi_generale(
      {riga_stazione(0, 2, 600), riga_stazione(12950, 22, 300, 0, 1), "segnale, 13050, 2, 4, 1, 0, 0, 0, 0,0,0, 220"});
  EXPECT_EQ(letto.codice, 16);
  EXPECT_EQ(letto.posizione, 13050);
  EXPECT_EQ(c(262).oggetto, oggetto::fermata);
  EXPECT_EQ(c(260).preavviso, 82);  // the station's mark, not the signal's
}

// A name longer than the table's 16-bit length is refused at its record,
// never cut with no word.
TEST_F(prova_stazioni, NomeOltreIlLimiteDellaTabella) {
  leggi_generale({riga_stazione(500, 12, 400, 0, 0, std::string(65535, 'N'))});
  EXPECT_EQ(stato.tabella[1].nome.size(), 65535u);
  ricomincia();
  try {
    leggi_generale({riga_stazione(500, 12, 400, 0, 0, std::string(65536, 'N'))});
    ADD_FAILURE() << "no error";
  } catch (const errore_lettura& e) {
    EXPECT_NE(std::string(e.what()).find("testo di 65536 caratteri"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace od
