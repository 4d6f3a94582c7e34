// The words of a read failure that a slip in a record causes: each names
// what to change, where the caret shows it.
#include "builder/errori_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "builder/memorizza_dati.h"
#include "costruzione/diagnostica.h"
#include "modello/modello.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

const std::string linea_minima = "[generale]\nlunghezza percorso, 10000\n[fine]\n";

struct lettura {
  sessione_costruzione sessione;
  esito_lettura esito;
};

// A build of the two texts, or of the files of `cartella` when none is given.
lettura leggi(const std::string& linea, const std::string& treno, const std::string& cartella = "/non-esiste") {
  scenario stato;
  stato.nome_percorso = "Prova";
  stato.nome_treno = "t1";
  stato.con_planimetria = 0;
  sorgente_descrizioni sorgente(cartella);
  if (!linea.empty()) sorgente.testo_linea = linea;
  if (!treno.empty()) sorgente.testo_treno = treno;
  lettura l;
  l.esito = memorizza_dati(stato, l.sessione, sorgente);
  return l;
}

lettura del_treno(const std::string& corpo) { return leggi(linea_minima, "[generale]\n" + corpo + "[fine]\n"); }

TEST(ErroriRecord, UnValoreInMenoNominaIlCampoCheManca) {
  // The station's name is read as its seconds.
  lettura s = del_treno("stazione, 0, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 26, CASTEL MURVIO\n");
  EXPECT_EQ(s.esito.codice, 25);
  EXPECT_EQ(s.esito.luogo.motivo,
            "il record 'stazione' vuole 17 valori, ne ha 16: 'CASTEL MURVIO' e' letto come valore 16 'secondi' "
            "(orario: secondi) ma sembra il valore 17 'nome': manca probabilmente 'secondi' (orario: secondi), o un "
            "valore prima");
  EXPECT_EQ(s.esito.luogo.linea, 2);
  EXPECT_EQ(s.esito.luogo.colonna, 59);  // under the name

  // A sign without its position, in the line file.
  s = leggi("[generale]\nlunghezza percorso, 10000\n[corpo]\ncartello_indicatore, PONTE\n[fine]\n",
            "[generale]\n[fine]\n");
  EXPECT_EQ(s.esito.codice, 25);
  EXPECT_NE(s.esito.luogo.motivo.find("'cartello_indicatore' vuole 2 valori, ne ha 1: 'PONTE' e' letto come valore 1 "
                                      "'posizione'"),
            std::string::npos)
      << s.esito.luogo.motivo;

  // A station whose name is missing takes the next line's key: the warning
  // names the field.
  s = del_treno(
      "stazione, 0, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 26, 0\n"
      "sabbia, 300\n");
  ASSERT_FALSE(s.sessione.avvisi.empty());
  EXPECT_EQ(s.sessione.avvisi[0].nome, "valori-mancanti");
  EXPECT_NE(s.sessione.avvisi[0].messaggio().find("manca probabilmente 'nome'"), std::string::npos);

  // A line with every value stays the plain failure.
  s = del_treno("sabbia, tanta\n");
  EXPECT_EQ(s.esito.luogo.motivo, "atteso un numero intero");
}

TEST(ErroriRecord, UnOrarioConPuntiODuePuntiSonoTreCampi) {
  lettura s = del_treno("stazione, 0, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 07.26.00, A\n");
  EXPECT_EQ(s.esito.codice, 25);
  EXPECT_EQ(s.esito.luogo.motivo,
            "'07.26.00' non e' un numero: ore, minuti e secondi sono tre campi, si scrive 07, 26, 00");
  s = del_treno("orologio, 6:55:00\n");
  EXPECT_EQ(s.esito.luogo.motivo,
            "'6:55:00' non e' un numero: ore, minuti e secondi sono tre campi separati da spazi, si scrive 6 55 00");
  // Points that make no time, or stand where no time goes, are left to the
  // plain failure.
  for (const std::string corpo : {"orologio, 1.5.6.7 0 0\n", "sabbia, 7.26\n"}) {
    EXPECT_EQ(del_treno(corpo).esito.luogo.motivo, "atteso un numero intero") << corpo;
  }
}

TEST(ErroriRecord, UnFileMancanteNominaQuelloAUnaModificaDiDistanza) {
  EXPECT_EQ(file_vicino("Prova_t1-.txt", {"Prova_t1.txt", "Prova_linea.txt", "Altro_t1-.txt"}),
            "nella cartella c'e' 'Prova_t1.txt': va rinominato in 'Prova_t1-.txt'?");
  EXPECT_EQ(file_vicino("Prova_t1-.txt", {"Prvoa_t1-.txt"}),
            "nella cartella c'e' 'Prvoa_t1-.txt': va rinominato in 'Prova_t1-.txt'?");
  EXPECT_EQ(file_vicino("Prova_t1-.txt", {"Prova_t1-.txt", "Prova_t22.txt", "Prova_linea.txt"}), "");

  const test::cartella_temporanea cartella;
  cartella.scrivi("Prova_linea.txt", linea_minima);
  cartella.scrivi("Prova_t1.txt", "[generale]\n[fine]\n");
  lettura s = leggi("", "", cartella.percorso());
  EXPECT_EQ(s.esito.codice, 25);
  EXPECT_EQ(s.esito.luogo.motivo,
            "il file della descrizione del treno manca o non si puo' leggere; nella cartella c'e' 'Prova_t1.txt': "
            "va rinominato in 'Prova_t1-.txt'?");
  cartella.scrivi("Prova_linea.tx", linea_minima);
  std::filesystem::remove(cartella.file("Prova_linea.txt"));
  s = leggi("", "", cartella.percorso());
  EXPECT_EQ(s.esito.luogo.motivo, "nella cartella c'e' 'Prova_linea.tx': va rinominato in 'Prova_linea.txt'?");
}

TEST(ErroriRecord, ValoriInPiuDopoUnCampoVuotoIndicaIlCampoVuoto) {
  // The empty field also shifts the side codes (sx reads 0), which has a
  // warning of its own; this test looks at the extra values only.
  const lettura s = del_treno("segnale, 5000,, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\n");
  const auto trovato =
      std::ranges::find_if(s.sessione.avvisi, [](const avviso& a) { return a.nome == "valori-in-piu"; });
  ASSERT_NE(trovato, s.sessione.avvisi.end());
  const avviso& a = *trovato;
  EXPECT_EQ(a.luogo.colonna, 15);  // the second comma of ",,"
  EXPECT_NE(a.messaggio().find("il campo vuoto qui (letto come 0)"), std::string::npos) << a.messaggio();
}

TEST(ErroriRecord, IlCodiceSuUnPreavvisoNominaLaCellaDelConflitto) {
  // The third advance mark of the slowdown at 21000 m falls on the signal's
  // cell; the headline names that cell, not the slowdown's start.
  const lettura s = leggi("[generale]\nlunghezza percorso, 30000\n[fine]\n",
                          "[generale]\nsegnale, 19700, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\n"
                          "rallentamento, 21000, 30, 100, 0, 1, 0\n[fine]\n");
  ASSERT_EQ(s.esito.codice, 20);
  const std::string testo = diagnostica_codice(s.esito.luogo, s.esito.codice, s.esito.posizione, "", "prova");
  EXPECT_NE(testo.find("(posizione 21000 m, cella 395)"), std::string::npos) << testo;
  EXPECT_NE(testo.find("la cella 395 porta gia'"), std::string::npos) << testo;
}

}  // namespace
}  // namespace od
