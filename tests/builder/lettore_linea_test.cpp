#include <gtest/gtest.h>

#include <string>

#include "builder/lettura.h"
#include "builder/memo_linea.h"
#include "builder/memorizza_dati.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

using test::cartella_temporanea;

const std::string generale_carico =
    "[generale]\r\n"
    "lunghezza percorso,    96000\r\n"
    "progressiva chilometrica uno,    8450,    3600,    0\r\n"
    "progressiva chilometrica due,    81200,    95900,    1\r\n"
    "progressiva chilometrica tre,    0,    0,    0\r\n"
    "sfondo uno,    88000\r\n"
    "sfondo due,    1\r\n"
    "sfondo tre,    16900\r\n"
    "ripetizione segnali 4 codici,    0    ,0\r\n"
    "[curve]\r\n";

struct esito_linea {
  scenario stato;
  sessione_costruzione sessione;
  esito_lettura letto;
  bool prosegue = false;
};

// Reads `testo` as the line file of route "R" from a fresh folder; the read
// failure path is the one of the whole reading stage.
esito_linea leggi_linea(const std::string& testo, int32_t con_planimetria = 0) {
  cartella_temporanea cartella;
  cartella.scrivi("R_linea.txt", testo);
  esito_linea esito;
  esito.stato.nome_percorso = "R";
  esito.stato.nome_treno = "T";
  esito.stato.con_planimetria = con_planimetria;
  const sorgente_descrizioni sorgente{cartella.percorso()};
  contesto_lettura contesto(esito.stato, esito.sessione, sorgente, cartella.file("R_linea.txt"),
                            cartella.file("R_T-.txt"));
  try {
    esito.prosegue = leggi_file_linea(contesto);
    esito.letto = contesto.esito;
  } catch (const errore_lettura&) {
    esito.letto.codice = 25;
  }
  return esito;
}

std::string con_corpo(const std::string& corpo) { return generale_carico + corpo + "[fine]\r\n"; }

TEST(LettoreLinea, SezioneGeneraleDelloScenarioCarico) {
  const esito_linea e = leggi_linea(con_corpo(""));
  ASSERT_TRUE(e.prosegue);
  EXPECT_EQ(e.letto.codice, 0);
  EXPECT_EQ(e.stato.lunghezza_totale, 103000);
  EXPECT_EQ(e.stato.ultima_cella(), 2060);
  EXPECT_EQ(e.stato.binario.size(), 2061u);
  const auto& t = e.stato.tabella;
  EXPECT_EQ(t[81].area_inizio, 81200);
  EXPECT_EQ(t[81].area_fine, 96000) << "flag 1 adds 100 to the progressive";
  EXPECT_EQ(t[81].posizione, 1);
  EXPECT_EQ(t[82].area_inizio, 8450);
  EXPECT_EQ(t[82].area_fine, 3600);
  EXPECT_EQ(t[82].posizione, 0);
  EXPECT_EQ(t[83], voce{});
  EXPECT_EQ(t[84].area_fine, 96000);
  EXPECT_EQ(t[85].area_inizio, 88000);
  EXPECT_EQ(t[85].posizione, 1);
  EXPECT_EQ(t[85].area_fine, 16900);
  EXPECT_EQ(t[86].area_inizio, 0);
  EXPECT_EQ(t[86].area_fine, 0);
  EXPECT_EQ(t[86].posizione, 0) << "a second value of 0 means no repetition";
  // Gradient: level everywhere but the last three cells.
  EXPECT_EQ(e.stato.binario[0].pendenza, 100);
  EXPECT_EQ(e.stato.binario[2057].pendenza, 100);
  EXPECT_EQ(e.stato.binario[2058].pendenza, 0);
  EXPECT_EQ(e.stato.binario[2060].pendenza, 0);
}

TEST(LettoreLinea, MaiuscoleEParoleDelleChiaviGenerali) {
  EXPECT_EQ(leggi_linea("[GENERALE]\r\nLUNGHEZZA PERCORSO, 1000\r\n[x]\r\n[fine]\r\n").stato.ultima_cella(), 160);
  EXPECT_EQ(leggi_linea("prima\r\n[Generale]\r\nlunghezza percorso, 1000\r\n[x]\r\n[fine]\r\n").letto.codice, 0);
  const esito_linea maiuscola = leggi_linea(
      "[generale]\r\nlunghezza percorso, 1000\r\nProgressiva chilometrica uno, 50, 100, 0\r\n[x]\r\n[f]\r\n");
  EXPECT_EQ(maiuscola.stato.tabella[81].area_inizio, 0) << "progressive keys match with exact case";
  EXPECT_EQ(maiuscola.stato.tabella[82].area_inizio, 0);
  const esito_linea sfondo =
      leggi_linea("[generale]\r\nsfondo tre, 7\r\nSfondo uno, 9\r\nlunghezza percorso, 1000\r\n[x]\r\n[f]\r\n");
  EXPECT_EQ(sfondo.stato.tabella[85].area_fine, 7);
  EXPECT_EQ(sfondo.stato.tabella[85].area_inizio, 0);
}

TEST(LettoreLinea, RicercaDelGeneraleEFileMancante) {
  EXPECT_EQ(leggi_linea("a\r\nb\r\n[generale]\r\n").letto.codice, 102) << "a lone last [generale] is never interpreted";
  EXPECT_EQ(leggi_linea("").letto.codice, 102);
  scenario stato;
  stato.nome_percorso = "assente";
  cartella_temporanea vuota;
  sessione_costruzione sessione;
  EXPECT_EQ(memorizza_dati(stato, sessione, {vuota.percorso()}).codice, 101);
}

TEST(LettoreLinea, LunghezzaMassima) {
  const esito_linea massima = leggi_linea("[generale]\r\nlunghezza percorso, 1000000\r\n[x]\r\n[f]\r\n");
  EXPECT_EQ(massima.letto.codice, 0);
  EXPECT_EQ(massima.stato.ultima_cella(), 20140);
  const esito_linea oltre = leggi_linea("[generale]\r\nlunghezza percorso, 1000001\r\n[x]\r\n[f]\r\n");
  EXPECT_EQ(oltre.letto.codice, 1);
  EXPECT_FALSE(oltre.prosegue);
  EXPECT_TRUE(oltre.stato.binario.empty());
  const esito_linea pari = leggi_linea("[generale]\r\nlunghezza percorso, 96025\r\n[x]\r\n[f]\r\n");
  EXPECT_EQ(pari.stato.ultima_cella(), 2060) << "103025 / 50 = 2060.5 rounds to even";
  EXPECT_EQ(leggi_linea("[generale]\r\nlunghezza percorso, -5\r\n[x]\r\n[f]\r\n").letto.codice, 25);
}

TEST(LettoreLinea, SenzaRigaDellaLunghezzaNessunaCellaVieneToccata) {
  const esito_linea e = leggi_linea("[generale]\r\nsfondo uno, 5\r\n[curve]\r\npendenza, 100, 5\r\n[fine]\r\n");
  EXPECT_EQ(e.letto.codice, 25);
  EXPECT_TRUE(e.stato.binario.empty());
  // Any line with both brackets closes the general section, so a length
  // after it is a body line that matches nothing.
  EXPECT_EQ(leggi_linea("[generale]\r\n[altro]\r\nlunghezza percorso, 1000\r\n[fine]\r\n").letto.codice, 25);
}

TEST(LettoreLinea, RipetizioneSegnali) {
  const auto ripetizione = [](const std::string& riga) {
    return leggi_linea("[generale]\r\nlunghezza percorso, 1000\r\n" + riga + "\r\n[x]\r\n[f]\r\n");
  };
  const scenario nove = ripetizione("ripetizione segnali 9 codici, 100, 2000").stato;
  EXPECT_EQ(nove.tabella[86].posizione, 9);
  EXPECT_EQ(nove.tabella[86].area_inizio, 100);
  EXPECT_EQ(nove.tabella[86].area_fine, 2000);
  EXPECT_EQ(ripetizione("ripetizione segnali 4 codici, 100, 2000").stato.tabella[86].posizione, 4);
  EXPECT_EQ(ripetizione("ripetizione segnali 4 codici, 100, 0").stato.tabella[86].posizione, 0);
  EXPECT_EQ(ripetizione("ripetizione segnali 4 codici, 120, 0").letto.codice, 3);
  EXPECT_EQ(ripetizione("ripetizione segnali 4 codici, 100, 75").letto.codice, 4);
  EXPECT_EQ(ripetizione("ripetizione segnali codici, 100, 200").letto.codice, 5);
  EXPECT_EQ(ripetizione("Ripetizione segnali 4 codici, 120, 0").letto.codice, 0) << "exact case";
}

TEST(LettoreLinea, CommentiEIlLoroLimite) {
  std::string dieci;
  for (int i = 0; i < 10; ++i) dieci += "- nota lunghezza percorso\r\n";
  // Ten comments in a row are passed over; the eleventh is tested as a key.
  EXPECT_EQ(leggi_linea("[generale]\r\n" + dieci + "lunghezza percorso, 1000\r\n[x]\r\n[f]\r\n").stato.ultima_cella(),
            160);
  EXPECT_EQ(leggi_linea("[generale]\r\n" + dieci + "- lunghezza percorso, 2000\r\n[x]\r\n[f]\r\n").stato.ultima_cella(),
            180);
  // In the body two comments are passed over and a third is a key.
  const std::string base = "[generale]\r\nlunghezza percorso, 1000\r\n[x]\r\n";
  const scenario due = leggi_linea(base + "- a\r\n- b\r\npendenza, 100, 5\r\n[f]\r\n").stato;
  EXPECT_EQ(due.binario[2].pendenza, 105);
  const scenario tre = leggi_linea(base + "- a\r\n- b\r\n- pendenza, 100, 5\r\n[f]\r\n").stato;
  EXPECT_EQ(tre.binario[2].pendenza, 105);
  // A curve key holding a minus sign is a comment; its values match nothing.
  const esito_linea curva = leggi_linea(base + "curva-s4, 100, 100\r\n[f]\r\n", 1);
  EXPECT_EQ(curva.letto.codice, 0);
  EXPECT_EQ(curva.stato.planimetria.primo(500), 0.0);
}

TEST(LettoreLinea, UltimaRigaApplicataSeHaValori) {
  const std::string base = "[generale]\r\nlunghezza percorso, 96000\r\n[x]\r\n";
  const esito_linea ultima = leggi_linea(base + "pendenza, 1000, 7\r\npendenza,  95400 , 0 \r\n");
  EXPECT_EQ(ultima.letto.codice, 0);
  EXPECT_EQ(ultima.stato.binario[1907].pendenza, 107);
  EXPECT_EQ(ultima.stato.binario[1908].pendenza, 100) << "the last line's gradient took effect";
  EXPECT_EQ(leggi_linea(base + "pendenza, 1000\r\n").letto.codice, 25) << "record cut short";
}

TEST(LettoreLinea, Pendenze) {
  const std::string base = "[generale]\r\nlunghezza percorso, 96000\r\n[x]\r\n";
  const scenario e =
      leggi_linea(base + "pendenza,  700 , 13 \r\npendenza, 8250, 0\r\npendenza, 9000, -7\r\n[f]\r\n").stato;
  for (int c = 0; c <= 13; ++c) EXPECT_EQ(e.binario[c].pendenza, 100) << c;
  for (int c = 14; c <= 164; ++c) EXPECT_EQ(e.binario[c].pendenza, 113) << c;
  for (int c = 165; c <= 179; ++c) EXPECT_EQ(e.binario[c].pendenza, 100) << c;
  EXPECT_EQ(e.binario[180].pendenza, 93);
  EXPECT_EQ(e.binario[2057].pendenza, 93);
  EXPECT_EQ(e.binario[2058].pendenza, 0);
  // Two lines in one cell: the second writes one more cell with the gradient before it.
  const scenario stessa = leggi_linea(base + "pendenza, 500, 10\r\npendenza, 510, 20\r\n[f]\r\n").stato;
  EXPECT_EQ(stessa.binario[10].pendenza, 110);
  EXPECT_EQ(stessa.binario[11].pendenza, 120);
  // Positions that do not increase never push the fill past the track.
  std::string ripetute;
  for (int i = 0; i < 3000; ++i) ripetute += "pendenza, 95000, 1\r\n";
  const esito_linea molte = leggi_linea(base + ripetute + "[f]\r\n");
  EXPECT_EQ(molte.letto.codice, 0);
  EXPECT_EQ(molte.stato.binario[2060].pendenza, 0);
  EXPECT_EQ(molte.stato.binario[2059].pendenza, 0);
}

TEST(LettoreLinea, ProvaDellaPosizione) {
  const std::string base = "[generale]\r\nlunghezza percorso, 96000\r\n[x]\r\n";
  const esito_linea ultima_accettata = leggi_linea(base + "pendenza, 102900, 5\r\n[f]\r\n");
  EXPECT_EQ(ultima_accettata.letto.codice, 0);
  const esito_linea oltre = leggi_linea(base + "pendenza, 102950, 5\r\nmontagna, 100, 500, 1\r\n[f]\r\n");
  EXPECT_EQ(oltre.letto.codice, 15);
  EXPECT_EQ(oltre.letto.posizione, 102950);
  EXPECT_TRUE(oltre.prosegue) << "code 15 still hands over to the train file";
  EXPECT_EQ(oltre.stato.binario[5].montagna, 0) << "reading stopped at the failing line";
  EXPECT_EQ(oltre.stato.binario[100].pendenza, 100) << "the end of reading still fills the gradient";
  const esito_linea negativa = leggi_linea(base + "cartello_indicatore, -50, (x)\r\n[f]\r\n");
  EXPECT_EQ(negativa.letto.codice, 15);
  EXPECT_EQ(negativa.letto.posizione, -50);
  const esito_linea montagna_lunga = leggi_linea(base + "montagna, 100, 200000, 1\r\n[f]\r\n");
  EXPECT_EQ(montagna_lunga.letto.codice, 15);
  EXPECT_EQ(montagna_lunga.letto.posizione, 200000);
  const esito_linea curva_lunga = leggi_linea(base + "curvad4, 100000, 3001\r\n[f]\r\n", 1);
  EXPECT_EQ(curva_lunga.letto.codice, 15);
  EXPECT_EQ(curva_lunga.letto.posizione, 103001);
  // An end past what 32 bits hold is reported as written, not wrapped.
  const esito_linea curva_enorme = leggi_linea(base + "curvas4, 1000, 2147483647\r\n[f]\r\n", 1);
  EXPECT_EQ(curva_enorme.letto.codice, 15);
  EXPECT_EQ(curva_enorme.letto.posizione, int64_t{1000} + 2147483647);
}

TEST(LettoreLinea, TrattiDiMontagnaESegni) {
  const std::string base = "[generale]\r\nlunghezza percorso, 96000\r\n[x]\r\n";
  const esito_linea e = leggi_linea(base +
                                    "montagna,  800 , 2050 , 12 \r\n"
                                    "montagna, 2100, 2400, 11\r\n"
                                    "montagna, 2600, 3000, 1\r\n[f]\r\n");
  for (int c = 16; c <= 40; ++c) EXPECT_EQ(e.stato.binario[c].montagna, 2) << c;
  EXPECT_EQ(e.stato.binario[15].montagna, 0);
  for (int c = 16; c <= 40; ++c) {
    const bool segno = c == 19 || c == 23 || c == 27 || c == 31 || c == 35 || c == 39;
    EXPECT_EQ(e.stato.binario[c].oggetto, segno ? oggetto::segno_montagna : oggetto::vuoto) << c;
  }
  EXPECT_EQ(e.stato.binario[42].montagna, 3) << "50 m after the previous run: type 3";
  EXPECT_EQ(e.stato.binario[45].oggetto, oggetto::segno_montagna) << "markers still wanted";
  EXPECT_EQ(e.stato.binario[52].montagna, 1) << "200 m after it keeps its own code";
  EXPECT_EQ(e.sessione.montagne.quanti, 3);
  std::string troppi;
  for (int i = 0; i < 81; ++i)
    troppi += "montagna, " + std::to_string(i * 1000) + ", " + std::to_string(i * 1000 + 100) + ", 1\r\n";
  EXPECT_EQ(leggi_linea(base + troppi + "[f]\r\n").letto.codice, 25);
}

TEST(LettoreLinea, IndicatoriDiVelocita) {
  const std::string base = "[generale]\r\nlunghezza percorso, 96000\r\n[x]\r\n";
  const scenario e = leggi_linea(base +
                                 "indicatori_vmax,  600,  80,  80,  80,  0,  ,  ,  ,  0\r\n"
                                 "indicatori_vmax, 1000, 80, 10, 0, 3, 60, 50, 5, 2\r\n[f]\r\n")
                         .stato;
  const cella& a = e.binario[13];
  EXPECT_EQ(a.oggetto, oggetto::indicatore_vmax);
  EXPECT_EQ(a.valore1, 1600);
  EXPECT_EQ(a.valore2, 1600);
  EXPECT_EQ(a.valore3, 1600);
  EXPECT_EQ(a.valore4, 0);
  const cella& b = e.binario[21];
  EXPECT_EQ(b.valore1, 1612);
  EXPECT_EQ(b.valore2, 210);
  EXPECT_EQ(b.valore3, 1) << "5/5 + 0";
  EXPECT_EQ(b.valore4, 32);
  const esito_linea occupata =
      leggi_linea(base + "cartello_indicatore, 600, (x)\r\nindicatori_vmax, 600, 1,1,1,0,0,0,0,0\r\n[f]\r\n");
  EXPECT_EQ(occupata.letto.codice, 21);
  EXPECT_EQ(occupata.letto.posizione, 600);
  EXPECT_FALSE(occupata.prosegue);
}

TEST(LettoreLinea, IndicatoreOltreI16BitLasciaEntrambiIFile) {
  cartella_temporanea cartella;
  cartella.scrivi("R_linea.txt",
                  "[generale]\r\nlunghezza percorso, 96000\r\n[x]\r\n"
                  "indicatori_vmax, 600, 1700, 0, 0, 0, 0, 0, 0, 0\r\n[f]\r\n");
  cartella.scrivi("R_T-.txt", "[generale]\r\n[fine]\r\n");
  scenario stato;
  stato.nome_percorso = "R";
  stato.nome_treno = "T";
  sessione_costruzione sessione;
  const esito_lettura letto = memorizza_dati(stato, sessione, {cartella.percorso()});
  EXPECT_EQ(letto.codice, 25);
  EXPECT_EQ(letto.luogo.linea, 4);
  EXPECT_EQ(letto.luogo.file, "R_linea.txt");
  EXPECT_TRUE(cartella.esiste("R_linea.txt")) << "the run deletes them, not the reading";
  EXPECT_TRUE(cartella.esiste("R_T-.txt"));
}

TEST(LettoreLinea, Cartelli) {
  const std::string base = "[generale]\r\nlunghezza percorso, 96000\r\n[x]\r\n";
  std::string sedici;
  for (int i = 0; i < 16; ++i)
    sedici += "cartello_indicatore, " + std::to_string(5000 + i * 1000) + ",   ( Galleria ) ( N" + std::to_string(i) +
              " )  \r\n";
  const esito_linea e =
      leggi_linea(base + "montagna, 800, 2050, 12\r\ncartello_indicatore, 900, (Viadotto)\r\n" + sedici + "[f]\r\n");
  EXPECT_EQ(e.letto.codice, 0);
  EXPECT_EQ(e.stato.binario[19].oggetto, oggetto::cartello) << "a sign replaces a mountain-run marker";
  EXPECT_EQ(e.stato.binario[19].valore1, 80);
  EXPECT_EQ(e.stato.tabella[80].nome, "(Viadotto)");
  EXPECT_EQ(e.stato.tabella[79].nome, "( Galleria ) ( N0 )");
  EXPECT_EQ(e.stato.tabella[64].nome, "( Galleria ) ( N15 )");
  EXPECT_EQ(e.stato.binario[101].valore1, 79);
  const esito_linea su_indicatore =
      leggi_linea(base + "indicatori_vmax, 600, 1,1,1,0,0,0,0,0\r\ncartello_indicatore, 610, (x)\r\n[f]\r\n");
  EXPECT_EQ(su_indicatore.letto.codice, 6);
  EXPECT_EQ(su_indicatore.letto.posizione, 610);
  std::string ottantuno;
  for (int i = 0; i < 81; ++i) ottantuno += "cartello_indicatore, " + std::to_string(1000 + i * 100) + ", (x)\r\n";
  const esito_linea troppi = leggi_linea(base + ottantuno + "[f]\r\n");
  EXPECT_EQ(troppi.letto.codice, 10);
  EXPECT_EQ(troppi.stato.tabella[0], voce{}) << "entry 0 stays cleared";
  EXPECT_EQ(troppi.stato.tabella[1].nome, "(x)");
}

TEST(ProgressiveOrdina, OrdineEParita) {
  const auto ordina = [](voce tre, voce due, voce uno) {
    scenario s;
    s.tabella[81] = tre;
    s.tabella[82] = due;
    s.tabella[83] = uno;
    progressive_ordina(s);
    return std::array<voce, 3>{s.tabella[81], s.tabella[82], s.tabella[83]};
  };
  const auto p = [](int32_t x, int32_t y, int32_t z) {
    voce v;
    v.area_inizio = x;
    v.area_fine = y;
    v.posizione = z;
    return v;
  };
  auto r = ordina(p(100, 1, 0), p(300, 3, 1), p(200, 2, 0));
  EXPECT_EQ(r[0], p(300, 103, 1));
  EXPECT_EQ(r[1], p(200, 2, 0));
  EXPECT_EQ(r[2], p(100, 1, 0));
  r = ordina(p(100, 1, 0), p(100, 3, 0), p(500, 2, 0));  // the two smaller tie: due before tre
  EXPECT_EQ(r[0], p(500, 2, 0));
  EXPECT_EQ(r[1], p(100, 3, 0));
  EXPECT_EQ(r[2], p(100, 1, 0));
  r = ordina(p(0, 5, 0), p(0, 9, 0), p(0, 3, 0));  // sum 0: uno set gives U, D, T
  EXPECT_EQ(r[0], p(0, 3, 0));
  EXPECT_EQ(r[1], p(0, 9, 0));
  EXPECT_EQ(r[2], p(0, 5, 0));
  r = ordina(p(500, 1, 1), p(500, 3, 1), p(100, 2, 0));  // the largest shared: all zero
  EXPECT_EQ(r[0], p(0, 0, 0));
  EXPECT_EQ(r[2], p(0, 0, 0));
  r = ordina(p(0, 5, 1), p(0, 0, 0), p(0, 0, 0));  // sum 0: only tre set keeps T, D, U
  EXPECT_EQ(r[0], p(0, 105, 1));
  r = ordina(p(0, 5, 0), p(0, 9, 0), p(0, 0, 0));  // sum 0: due set gives D, T, U
  EXPECT_EQ(r[0], p(0, 9, 0));
  EXPECT_EQ(r[1], p(0, 5, 0));
  r = ordina(p(0, 0, 0), p(0, 0, 0), p(0, 0, 1));
  EXPECT_EQ(r[2], p(0, 0, 0)) << "nothing set: all nine zero, no 100 added";
  // A progressive at the 32-bit limit, counting up: the 100 added is summed
  // wide and the entry keeps its low 32 bits, as it always stored them.
  r = ordina(p(0, 2147483647, 1), p(0, 0, 0), p(0, 0, 0));
  EXPECT_EQ(r[0], p(0, -2147483549, 1));
}

TEST(LettoreLinea, CurvePiegano) {
  const std::string base = "[generale]\r\nlunghezza percorso, 1000\r\n[x]\r\n";
  const scenario destra = leggi_linea(base + "curvad4, 800, 400\r\n[f]\r\n", 1).stato;
  const planimetria& p = destra.planimetria;
  EXPECT_EQ(p.righe(), 8001);
  EXPECT_EQ(p.tipo(0), planimetria::tipo_riga::intera);
  EXPECT_EQ(p.tipo(2), planimetria::tipo_riga::doppia);
  EXPECT_EQ(p.tipo(7998), planimetria::tipo_riga::doppia);
  EXPECT_EQ(p.tipo(7999), planimetria::tipo_riga::vuota);
  EXPECT_EQ(p.tipo(8000), planimetria::tipo_riga::vuota);
  EXPECT_EQ(p.primo(800), 0.0);
  EXPECT_EQ(p.secondo(800), 800.0);
  EXPECT_DOUBLE_EQ(p.primo(801), 0.001) << "a right curve turns towards the first coordinate";
  EXPECT_DOUBLE_EQ(p.secondo(801), 801.0);
  EXPECT_GT(p.primo(1200), 70.0);
  const scenario sinistra = leggi_linea(base + "curvaS4, 800, 400\r\n[f]\r\n", 1).stato;
  EXPECT_DOUBLE_EQ(sinistra.planimetria.primo(801), -0.001) << "a capital S bends left too";
  EXPECT_DOUBLE_EQ(sinistra.planimetria.primo(1200), -p.primo(1200));
  const scenario cinque = leggi_linea(base + "curvad5, 100, 10\r\n[f]\r\n", 1).stato;
  EXPECT_DOUBLE_EQ(cinque.planimetria.primo(101), 0.002);
  EXPECT_EQ(leggi_linea(base + "curvad7, 100, 10\r\n[f]\r\n", 1).letto.codice, 103);
  const esito_linea senza = leggi_linea(base + "curvad7, 100, 10\r\n[f]\r\n", 0);
  EXPECT_EQ(senza.letto.codice, 0) << "without the plan, curves are not read";
  EXPECT_FALSE(senza.stato.planimetria.esiste());
}

TEST(LettoreLinea, LineaDiUnMilioneDiMetriConCurve) {
  std::string corpo;
  for (int32_t inizio = 1000; inizio + 900 < 1000000; inizio += 1000) {
    corpo += (inizio % 2000 == 0 ? "curvas5, " : "curvad4, ") + std::to_string(inizio) + ", 900\r\n";
  }
  const esito_linea e = leggi_linea("[generale]\r\nlunghezza percorso, 1000000\r\n[x]\r\n" + corpo + "[f]\r\n", 1);
  EXPECT_EQ(e.letto.codice, 0);
  EXPECT_EQ(e.stato.planimetria.righe(), 1007001);
  EXPECT_EQ(e.stato.planimetria.tipo(1006998), planimetria::tipo_riga::doppia);
  EXPECT_EQ(e.stato.planimetria.tipo(1006999), planimetria::tipo_riga::vuota);
  EXPECT_EQ(e.stato.planimetria.tipo(1007000), planimetria::tipo_riga::vuota);
  // A curve running past the 1000000th row is refused.
  const esito_linea oltre =
      leggi_linea("[generale]\r\nlunghezza percorso, 1000000\r\n[x]\r\ncurvad4, 999000, 1500\r\n[f]\r\n", 1);
  EXPECT_EQ(oltre.letto.codice, 103);
}

}  // namespace
}  // namespace od
