// The train file reader: key recognition, the train's values, the running
// values along the track, the ways out and what each deletes.
#include "builder/lettore_treno_prova.h"

namespace od {
namespace {

using prova_chiavi = prova_lettore_treno;
using prova_valori = prova_lettore_treno;
using prova_uscite = prova_lettore_treno;

TEST_F(prova_chiavi, ParoleInOgniMaiuscolaEDentroAltreParole) {
  leggi_generale({"PERCENTUALE MASSA FRENATA,  120", "Il Numero delle Vetture,  4", "SABBIA, 300",
                  riga_stazione(0, 2, 600, 0, 0, "Prima"),
                  "STAZIONE,  2000, 26, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Seconda",
                  "la stazione di,  4000, 26, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Terza"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(stato.tabella[voce_treno].area_inizio, 120);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 4);
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_a1, 300);
  EXPECT_EQ(stato.tabella[1].nome, "Prima");
  EXPECT_EQ(stato.tabella[2].nome, "Seconda");
  EXPECT_EQ(stato.tabella[3].nome, "Terza");
  EXPECT_EQ(stato.tabella[3].posizione, 4000);
}

TEST_F(prova_chiavi, MassaSenzaFrenataNonEChiave) {
  // Without "frenata" the key text starts nothing, so its value is tried as a
  // key in turn and the record after it is read as usual.
  leggi_generale({"massa del treno,  150", "numero vetture,  6", "frenata senza l'altra parola,  90"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 6);
  // "frenata" alone starts nothing either; only the text holding both words does.
  EXPECT_EQ(stato.tabella[voce_treno].area_inizio, 0);

  ricomincia();
  leggi_generale({"percentuale massa frenata 2,  130"});
  EXPECT_EQ(stato.tabella[voce_treno].area_inizio, 130);
}

TEST_F(prova_chiavi, DueParoleNellaStessaChiaveLeggonoDueRecord) {
  // Speed limit first (position, speed), then adhesion (position, percentage).
  leggi_generale({"aderenza e velocita,  0,  80,  0,  95", "numero vetture, 5"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(c(0).vmax, 16);
  EXPECT_EQ(c(0).aderenza, 95);
  EXPECT_EQ(c(ultima - 3).vmax, 16);
  EXPECT_EQ(c(ultima - 3).aderenza, 95);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 5);
}

TEST_F(prova_chiavi, IntestazioniETestoPrimaDiGeneraleNonAvvianoNulla) {
  leggi({"numero vetture,  9", "sabbia, 77", "[generale]", "numero vetture,  4", "[aderenze]", "[vel_limite]",
         "[stazioni]", "[rallentamenti]", "[segnali]", "[codici]", "sabbia,  300", "[fine]"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 4);
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_a1, 300);
  EXPECT_EQ(stato.tabella[1], voce{});
  for (int32_t i = 0; i <= ultima; ++i) ASSERT_EQ(c(i).oggetto, oggetto::vuoto) << "cella " << i;

  // Without "[generale]" nothing at all is read.
  ricomincia();
  leggi({"numero vetture,  9", "sabbia, 77", "[fine]"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 0);
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_a1, 0);
}

TEST_F(prova_chiavi, CommentiEUltimoCampo) {
  // Two comment fields are passed over; the third field is tried as a key,
  // dash or not.
  leggi_generale({"- uno", "- due", "- tre vetture, 7"});
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 7);

  ricomincia();
  // Here the key text is the second comment and is passed over; its value 7
  // is the field tried as a key, and holds none.
  leggi_generale({"- uno", "- due vetture, 7", "sabbia, 5"});
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 0);
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_a1, 5);

  ricomincia();
  // A record on the last line is read; a key word alone there is not.
  leggi({"[generale]", "numero vetture,  3"});
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 3);
  leggi({"[generale]", "sabbia,  8", "segnale"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_a1, 8);
}

TEST_F(prova_valori, OrologioConUnoOPiuSpazi) {
  leggi_generale({"orologio,    10              2             30 "});
  const voce scritta = stato.tabella[voce_ripetizione];
  EXPECT_EQ(scritta.terna_b1, 10);
  EXPECT_EQ(scritta.terna_b2, 2);
  EXPECT_EQ(scritta.terna_b3, 30);

  ricomincia();
  leggi_generale({"orologio,10 2 30", "sabbia, 1"});
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_b1, 10);
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_b2, 2);
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_b3, 30);
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_a1, 1);
}

TEST_F(prova_valori, RiempimentoDiAderenzaEVelocita) {
  leggi_generale({"velocita,  0,  80", "aderenza,  0,  100", "aderenza,  8600,  90"});
  EXPECT_EQ(letto.codice, 0);
  for (int32_t i = 0; i <= 171; ++i) ASSERT_EQ(c(i).aderenza, 100) << "cella " << i;
  for (int32_t i = 172; i <= ultima - 3; ++i) ASSERT_EQ(c(i).aderenza, 90) << "cella " << i;
  for (int32_t i = 0; i <= ultima - 3; ++i) ASSERT_EQ(c(i).vmax, 16) << "cella " << i;
  // The last three cells keep what they hold.
  for (int32_t i = ultima - 2; i <= ultima; ++i) {
    EXPECT_EQ(c(i).aderenza, 0);
    EXPECT_EQ(c(i).vmax, 0);
  }
}

TEST_F(prova_valori, VelocitaArrotondataAPassiDi5) {
  // 62 / 5 = 12.4 and 67 / 5 = 13.4; 1277 / 5 = 255.4 still fits a byte.
  leggi_generale({"velocita, 0, 62", "velocita, 1000, 67", "velocita, 2000, 1277"});
  EXPECT_EQ(c(0).vmax, 12);
  EXPECT_EQ(c(19).vmax, 12);
  EXPECT_EQ(c(20).vmax, 13);
  EXPECT_EQ(c(39).vmax, 13);
  EXPECT_EQ(c(40).vmax, 255);
}

TEST_F(prova_valori, CellePrimaDelPrimoRecordRicevonoZero) {
  leggi_generale({"velocita,  1000,  80", "aderenza,  2000,  90"});
  for (int32_t i = 0; i < 20; ++i) ASSERT_EQ(c(i).vmax, 0) << "cella " << i;
  for (int32_t i = 20; i <= ultima - 3; ++i) ASSERT_EQ(c(i).vmax, 16) << "cella " << i;
  for (int32_t i = 0; i < 40; ++i) ASSERT_EQ(c(i).aderenza, 0) << "cella " << i;
  EXPECT_EQ(c(40).aderenza, 90);
}

TEST_F(prova_valori, PosizioniCheNonCresconoScrivonoUnaCellaSenzaUscire) {
  // Each record out of order still writes one cell at the counter.
  leggi_generale({"velocita, 0, 50", "velocita, 1000, 60", "velocita, 500, 70", "velocita, 50, 80"});
  EXPECT_EQ(c(19).vmax, 10);
  EXPECT_EQ(c(20).vmax, 12);  // written by the record at 500
  EXPECT_EQ(c(21).vmax, 14);  // written by the record at 50
  EXPECT_EQ(c(22).vmax, 16);
  EXPECT_EQ(c(ultima - 3).vmax, 16);

  ricomincia();
  // The last accepted position (102900) asks for cells up to 2057 and then
  // for 2058; the counter stays at 2057, which ends with the last value, and
  // records after it write that same cell again.
  leggi_generale({"aderenza, 0, 100", "aderenza, 102900, 90", "aderenza, 50, 80", "aderenza, 102900, 70"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(c(ultima - 4).aderenza, 100);
  EXPECT_EQ(c(ultima - 3).aderenza, 70);
  for (int32_t i = ultima - 2; i <= ultima; ++i) EXPECT_EQ(c(i).aderenza, 0) << "cella " << i;
}

TEST_F(prova_valori, BinarioAssenteOTroppoCorto) {
  // A line file without a length leaves no track: every position is beyond it.
  stato.binario.clear();
  leggi_generale({"numero vetture, 4", "velocita, 0, 80"});
  EXPECT_EQ(letto.codice, 15);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 4);
  EXPECT_TRUE(stato.binario.empty());

  // Three cells (0 to 2) are all "last three cells": no running value at all.
  ricomincia();
  crea_binario(stato, -6900);
  ASSERT_EQ(stato.ultima_cella(), 2);
  leggi_generale({"velocita, 0, 80", "aderenza, 0, 90", "stazione, 0, 26, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X"});
  EXPECT_EQ(letto.codice, 15);
  for (const cella& cc : stato.binario) EXPECT_EQ(cc, cella{});
}

TEST_F(prova_valori, AbbattimentiSuCellaLiberaOccupata) {
  stato.binario[100].oggetto = oggetto::segno_montagna;
  leggi_generale({"abbattimento,  5000,  180", "abbattimento,  6000,  0", "abbattimento,  7000,  -3"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(c(100).oggetto, oggetto::abbattimento);
  EXPECT_EQ(c(100).valore1, 180);
  EXPECT_EQ(c(120).oggetto, oggetto::fine_abbattimento);
  EXPECT_EQ(c(140).oggetto, oggetto::fine_abbattimento);

  ricomincia();
  leggi_generale({"segnale, 4950, 1, 0,0,0, 0, 0, 0,0,0, 0", "abbattimento, 5000, 180", "numero vetture, 4"});
  EXPECT_EQ(letto.codice, 7);
  EXPECT_EQ(letto.posizione, 5000);
  EXPECT_EQ(c(100).oggetto, oggetto::segnale);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 0);  // the reading stopped there
}

// The reading leaves the description files where they are, on every way
// out: whether they go is the caller's choice (the generation run's).
TEST_F(prova_uscite, OgniUscitaLasciaIlFileDelTreno) {
  leggi_generale({"numero vetture, 4"});
  EXPECT_TRUE(esiste_file(percorso_treno()));

  leggi_generale({"segnale, 200000, 1, 0,0,0, 0, 0, 0,0,0, 0"});
  EXPECT_EQ(letto.codice, 15);
  EXPECT_TRUE(esiste_file(percorso_treno()));

  letto.codice = 0;
  stato.binario[100].oggetto = oggetto::fermata;
  leggi_generale({"segnale, 4950, 1, 0,0,0, 0, 0, 0,0,0, 0"});
  EXPECT_EQ(letto.codice, 16);
  EXPECT_TRUE(esiste_file(percorso_treno()));

  letto.codice = 0;
  leggi_generale({"numero vetture, 4"});
  EXPECT_TRUE(esiste_file(percorso_treno()));
}

TEST_F(prova_uscite, PosizioneFuoriBinarioFaComunqueIlRiempimentoFinale) {
  // 102900 is the last accepted position: (102900 + 100) / 50 = 2060.
  leggi_generale({"velocita, 0, 80", "abbattimento, 102900, 10", "abbattimento, 102901, 10", "numero vetture, 4"});
  EXPECT_EQ(letto.codice, 15);
  EXPECT_EQ(letto.posizione, 102901);
  EXPECT_EQ(c(2058).oggetto, oggetto::abbattimento);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 0);
  EXPECT_EQ(c(ultima - 3).vmax, 16);
  EXPECT_EQ(letto.luogo.file, nome_file_treno("Prova", "t1"));
  EXPECT_EQ(letto.luogo.linea, 4);
  EXPECT_EQ(letto.luogo.chiave, "abbattimento");

  // Negative positions are beyond the track as well.
  letto.codice = 0;
  leggi_generale({"aderenza, -50, 90"});
  EXPECT_EQ(letto.codice, 15);
  EXPECT_EQ(letto.posizione, -50);
}

TEST_F(prova_uscite, Codice2DopoLaLetturaAncheSopraIl15) {
  stato.tabella[voce_progressive + 1].area_fine = 95925;
  leggi_generale({"numero vetture, 4", "velocita, 0, 80"});
  EXPECT_EQ(letto.codice, 2);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 4);
  EXPECT_EQ(c(ultima - 3).vmax, 16);
  EXPECT_TRUE(esiste_file(percorso_treno()));

  letto.codice = 0;
  leggi_generale({"segnale, 200000, 1, 0,0,0, 0, 0, 0,0,0, 0"});
  EXPECT_EQ(letto.codice, 2);
  EXPECT_EQ(letto.posizione, 200000);  // left by the code 15 it replaced

  // A stop does not reach the check.
  letto.codice = 0;
  leggi_generale({riga_stazione(0, 2, 600), riga_stazione(275, 2, 600)});
  EXPECT_EQ(letto.codice, 8);
}

TEST_F(prova_uscite, MancaIlFile) {
  contesto_lettura contesto(stato, sessione, sorgente, percorso_linea(), percorso_treno());
  EXPECT_THROW(leggi_file_treno(contesto), errore_lettura);
  EXPECT_EQ(contesto.file_corrente, nome_file_treno("Prova", "t1"));

  // A text given in memory stands in for the missing file.
  sorgente.testo_treno = testo({"[generale]", "numero vetture, 4", "[fine]"});
  leggi_file_treno(contesto);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 4);
}

// Read failures travel to the handler of the whole reading stage, which
// leaves both description files to the caller. The line file here is one that any line
// reader accepts, and the track exists before it in case it reads nothing.
class prova_lettura_fallita : public prova_lettore_treno {
 protected:
  void memorizza(const std::vector<std::string>& righe_treno) {
    sostituisci_file(percorso_linea(), testo({"[generale]", "lunghezza percorso, 96000", "[curve]", "[fine]"}));
    scrivi_treno(righe_treno);
    letto = memorizza_dati(stato, sessione, sorgente);
  }
};

TEST_F(prova_lettura_fallita, ValoriOltreLaLarghezzaDelCampo) {
  const std::vector<std::string> cattivi = {
      "sabbia, 32768",
      "orologio, 10 -32769 0",
      "numero vetture, 2147483648",
      "velocita, 0, 1278",  // 255.6 steps of 5 km/h
      "velocita, 0, -3",    // -0.6
      "stazione, 0, 256, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Nome",
      "stazione, 0, 2, 600, 0,0,0, 0,0,256, 0,0,0, 0, 0,0,0, Nome",
      "stazione, 0, 2, 600, 0,0,0, 40000,0,0, 0,0,0, 0, 0,0,0, Nome",
      "stazione, 0, 2, 600, 0,0,0, 0,0,0, 0,0,0, 0, 600000,0,0, Nome",
      "numero vetture, quattro",
      "segnale, 12100, 2, 4, 1",  // cut short by the end of the file
  };
  for (const std::string& riga : cattivi) {
    SCOPED_TRACE(riga);
    letto.codice = 0;
    memorizza({"[generale]", riga});
    EXPECT_EQ(letto.codice, 25);
    EXPECT_EQ(letto.luogo.file, nome_file_treno("Prova", "t1"));
    EXPECT_EQ(letto.luogo.linea, 2);
    EXPECT_TRUE(esiste_file(percorso_treno()));
    EXPECT_TRUE(esiste_file(percorso_linea()));
  }
  // The limits themselves fit.
  letto.codice = 0;
  memorizza({"[generale]", "sabbia, -32768", "orologio, 32767 0 0", "numero vetture, -2147483648", "[fine]"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(stato.tabella[voce_ripetizione].terna_a1, -32768);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, INT32_MIN);
}

TEST_F(prova_lettura_fallita, VelocitaFuoriPassoFallisceQuandoLeCelleLaPrendono) {
  // The speed is taken by the cells only at the next fill: the record after
  // it is still read, the cells below its position keep the speed before it,
  // and the failure points at the record that wrote it.
  memorizza({"[generale]", "velocita, 0, 80", "velocita, 15700, -10", "numero vetture, 4", "velocita, 20000, 60"});
  EXPECT_EQ(letto.codice, 25);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 4);
  EXPECT_EQ(letto.luogo.linea, 3);
  EXPECT_EQ(letto.luogo.linea_campo, 3);
  EXPECT_EQ(letto.luogo.colonna, 18);
  EXPECT_EQ(letto.luogo.testo, "velocita, 15700, -10");
  EXPECT_EQ(c(313).vmax, 16);
  EXPECT_EQ(c(314).vmax, 0);

  // Replaced before any cell takes it, it never counts.
  ricomincia();
  memorizza({"[generale]", "velocita, 0, -10", "velocita, 0, 80", "[fine]"});
  EXPECT_EQ(letto.codice, 0);
  EXPECT_EQ(c(ultima - 3).vmax, 16);
}

TEST_F(prova_lettura_fallita, FileDelTrenoMancante) {
  sostituisci_file(percorso_linea(), testo({"[generale]", "lunghezza percorso, 96000", "[curve]", "[fine]"}));
  letto = memorizza_dati(stato, sessione, sorgente);
  EXPECT_EQ(letto.codice, 25);
  EXPECT_TRUE(esiste_file(percorso_linea()));
}

// The line half may hand over after a position beyond the track (code 15).
// The train file is then read as usual, and only a failure of the train
// file's own items stops it.
TEST_F(prova_uscite, Codice15DellaLineaNonFermaIlTreno) {
  letto.codice = 15;
  letto.posizione = 110000;
  leggi_generale({"segnale, 12100, 2, 4, 1, 0, 0, 0, 0,0,0, 220", "rallentamento, 8650, 30, 150, 1, 1, 0",
                  riga_stazione(0, 2, 600), "numero vetture, 4"});
  EXPECT_EQ(c(243).oggetto, oggetto::segnale);
  EXPECT_EQ(c(174).oggetto, oggetto::inizio_rallentamento);
  EXPECT_EQ(c(5).oggetto, oggetto::fermata);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 4);
  EXPECT_EQ(letto.codice, 15);
  EXPECT_EQ(letto.posizione, 110000);

  // A signal that does fail still stops, with its own position.
  stato.binario[100].oggetto = oggetto::fermata;
  letto.codice = 15;
  leggi_generale({"segnale, 4950, 1, 0,0,0, 0, 0, 0,0,0, 0", "numero vetture, 9"});
  EXPECT_EQ(letto.codice, 16);
  EXPECT_EQ(letto.posizione, 4950);
  EXPECT_EQ(stato.tabella[voce_treno].posizione, 4);
}

}  // namespace
}  // namespace od
