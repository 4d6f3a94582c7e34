// A catalogue of an author's slips: each gives its warning, by name, at the
// line where it stands; a clean scenario gives none.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "builder/avvisi_lettura.h"
#include "builder/memorizza_dati.h"
#include "modello/modello.h"
#include "scenario_text/lista_righe.h"
#include "scenario_text/scenario_carico.h"

namespace od {
namespace {

using nome_e_riga = std::pair<std::string, int32_t>;

const std::string linea_minima = "[generale]\nlunghezza percorso, 10000\n[fine]\n";
const std::string treno_minimo = "[generale]\nvelocita, 0, 80\naderenza, 0, 100\n[fine]\n";

// What the reading stage leaves: the session's warnings and the code.
struct lettura {
  sessione_costruzione sessione;
  esito_lettura esito;
};

lettura leggi(const std::string& linea, const std::string& treno, int32_t con_planimetria = 1) {
  scenario stato;
  stato.nome_percorso = "Prova";
  stato.nome_treno = "t1";
  stato.con_planimetria = con_planimetria;
  sorgente_descrizioni sorgente("/cartella-che-non-esiste");
  sorgente.testo_linea = linea;
  sorgente.testo_treno = treno;
  lettura l;
  l.esito = memorizza_dati(stato, l.sessione, sorgente);
  return l;
}

std::vector<nome_e_riga> avvisi(const lettura& l) {
  std::vector<nome_e_riga> elenco;
  for (const avviso& a : l.sessione.avvisi) elenco.emplace_back(a.nome, a.luogo.linea);
  return elenco;
}

std::vector<nome_e_riga> del_treno(const std::string& corpo) {
  return avvisi(leggi(linea_minima, "[generale]\nvelocita, 0, 80\naderenza, 0, 100\n" + corpo + "[fine]\n"));
}

TEST(AvvisiLettura, UnaChiaveSbagliataEDettaConLaChiaveVicina) {
  for (const auto& [campo, attesa] :
       std::vector<std::pair<std::string, std::string>>{{"stazoine", "stazione"},
                                                        {"rallentamneto", "rallentamento"},
                                                        {"numero vettura", "numero vetture"},
                                                        {"percentuale massa frentata", "percentuale massa frenata"}}) {
    const lettura s = leggi(linea_minima, treno_minimo.substr(0, 11) + campo + ", 1\n" + treno_minimo.substr(11));
    ASSERT_EQ(avvisi(s), (std::vector<nome_e_riga>{{"chiave-sconosciuta", 2}})) << campo;
    EXPECT_NE(s.sessione.avvisi[0].messaggio().find("forse '" + attesa + "'?"), std::string::npos) << campo;
  }
  const std::vector<chiave_nota> corpo = {{"pendenza", "pendenza"}, {"curvad", "curva"}, {"montagna", "montagna"}};
  EXPECT_EQ(chiave_vicina("pendneza", corpo), "pendenza");
  EXPECT_EQ(chiave_vicina("cruvad5", corpo), "curvad5");
  EXPECT_EQ(chiave_vicina("montanga", corpo), "montagna");
  EXPECT_EQ(chiave_vicina("PENDENZ", corpo), "pendenza");
  EXPECT_EQ(chiave_vicina("sabbia", corpo), "");

  // Where case counts, the right words in another case are no key.
  const lettura s = leggi(
      "[generale]\nlunghezza percorso, 10000\nProgressiva chilometrica uno, 0, 0, 0\n"
      "[curve]\nsfondo uno, 5\npendneza, 100, 5\n[fine]\n",
      treno_minimo);
  EXPECT_EQ(avvisi(s), (std::vector<nome_e_riga>{
                           {"chiave-sconosciuta", 3}, {"chiave-sconosciuta", 5}, {"chiave-sconosciuta", 6}}));
  EXPECT_NE(s.sessione.avvisi[0].messaggio().find("(qui le maiuscole contano)"), std::string::npos);
  EXPECT_NE(s.sessione.avvisi[1].messaggio().find("conta solo nella sezione generale"), std::string::npos);
}

TEST(AvvisiLettura, CampiFuoriPostoCommentiEUltimoCampo) {
  EXPECT_EQ(del_treno("sabbia, 300, 7, 8\n"), (std::vector<nome_e_riga>{{"valori-in-piu", 4}}));
  EXPECT_EQ(del_treno("stazione, 500, 26, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"),
            (std::vector<nome_e_riga>{{"valori-mancanti", 4}}));
  EXPECT_EQ(del_treno("- a\n- b\n- c\n"), (std::vector<nome_e_riga>{{"commento-come-chiave", 6}}));
  EXPECT_EQ(del_treno("- a\n- b\nsabbia, 1\n"), (std::vector<nome_e_riga>{}));

  std::string generale = "[generale]\n";
  for (int i = 0; i < 11; ++i) generale += "- nota\n";
  EXPECT_EQ(avvisi(leggi(generale + "lunghezza percorso, 10000\n[fine]\n", treno_minimo)),
            (std::vector<nome_e_riga>{{"commento-come-chiave", 12}}));
  EXPECT_EQ(avvisi(leggi("[generale]\nlunghezza percorso, 10000\n[curve]\n- a\n- b\n- c\n[fine]\n", treno_minimo)),
            (std::vector<nome_e_riga>{{"commento-come-chiave", 6}}));

  EXPECT_EQ(avvisi(leggi(linea_minima, "[generael]\nvelocita, 0, 80\n[fine]\n")),
            (std::vector<nome_e_riga>{{"generale-assente", 0}}));
  EXPECT_EQ(avvisi(leggi(linea_minima, "[generale]\n[fine]\n")), (std::vector<nome_e_riga>{{"generale-vuota", 1}}));
  EXPECT_EQ(avvisi(leggi(linea_minima, "[generale]\nvelocita, 0, 80\naderenza, 0, 100\nfine\n")),
            (std::vector<nome_e_riga>{{"ultimo-campo-ignorato", 4}}));
  EXPECT_EQ(avvisi(leggi("[generale]\nlunghezza percorso, 10000\n[curve]\nfine\n", treno_minimo)),
            (std::vector<nome_e_riga>{{"ultimo-campo-ignorato", 4}}));
}

TEST(AvvisiLettura, RecordFuoriOrdine) {
  const lettura linea = leggi(
      "[generale]\nlunghezza percorso, 10000\n[curve]\ncurvas4, 100, 500\n"
      "curvad3, 400, 100\npendenza, 2000, 5\npendenza, 1000, 3\n[fine]\n",
      treno_minimo);
  EXPECT_EQ(avvisi(linea), (std::vector<nome_e_riga>{{"ordine-posizioni", 5}, {"ordine-posizioni", 7}}));
  EXPECT_NE(linea.sessione.avvisi[1].messaggio().find("della riga 6"), std::string::npos);

  EXPECT_EQ(avvisi(leggi(linea_minima,
                         "[generale]\nvelocita, 500, 80\nvelocita, 400, 60\naderenza, 0, 100\n"
                         "aderenza, 3000, 90\naderenza, 3000, 80\n[fine]\n")),
            (std::vector<nome_e_riga>{{"inizio-senza-valore", 2}, {"ordine-posizioni", 3}, {"ordine-posizioni", 6}}));
}

TEST(AvvisiLettura, ValoriRegistratiDiversiOSenzaEffetto) {
  EXPECT_EQ(
      avvisi(leggi("[generale]\nlunghezza percorso, 10000\n[p]\npendenza, 100, 200\n"
                   "indicatori_vmax, 600, 80, 80, 80, 12, 83, 100, 0, 0\n[fine]\n",
                   treno_minimo)),
      (std::vector<nome_e_riga>{
          {"valore-troncato", 4}, {"velocita-arrotondata", 5}, {"valore-sovrapposto", 5}, {"valore-sovrapposto", 5}}));
  EXPECT_EQ(del_treno("velocita, 1000, 83\naderenza, 1000, 256\n"
                      "segnale, 5000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 256\n"
                      "segnale, 6000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 100\n"
                      "segnale, 7000, 1, 4, 1, 0, 0, 0, 10, 0, 0, 220\n"
                      "segnale, 8000, 2, 4000, 1, 0, 0, 0, 0, 0, 0, 0\n"
                      "rallentamento, 1500, 40000, 100, 0, 1, 0\n"
                      "abbattimento, 9000, 40000\n"),
            (std::vector<nome_e_riga>{{"velocita-arrotondata", 4},
                                      {"valore-troncato", 5},
                                      {"valore-troncato", 6},
                                      {"tempo-alzato", 7},
                                      {"valore-sovrapposto", 8},
                                      {"campo-senza-effetto", 8},
                                      {"valore-troncato", 9},
                                      {"valore-troncato", 10},
                                      {"campo-senza-effetto", 10},
                                      {"valore-troncato", 11}}));
  // opzione_b of a short station, opzione_c of types 5 to 8 and of station 1.
  EXPECT_EQ(
      del_treno("stazione, 0, 2, 600, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, A\n"
                "stazione, 2000, 22, 400, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, B\n"
                "stazione, 4000, 7, 400, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, C\n"),
      (std::vector<nome_e_riga>{{"campo-senza-effetto", 4}, {"campo-senza-effetto", 5}, {"campo-senza-effetto", 6}}));
}

TEST(AvvisiLettura, OreCheNonCiSonoEOrariAllIndietro) {
  EXPECT_EQ(del_treno("orologio, 24 0 0\norologio, 10 60 0\norologio, 23 59 59\n"
                      "stazione, 0, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 60, A\n"
                      "stazione, 2000, 26, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, B\n"
                      "stazione, 4000, 22, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 1, 0, C\n"
                      "stazione, 6000, 22, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, D\n"),
            (std::vector<nome_e_riga>{{"ora-inesistente", 4},
                                      {"ora-inesistente", 5},
                                      {"ora-inesistente", 7},
                                      {"orario-all-indietro", 9},
                                      {"orario-all-indietro", 10}}));
}

TEST(AvvisiLettura, LoScenarioDelProgrammaNonNeDa) {
  for (const int32_t j : {1, 0}) {
    const lettura s = leggi(testo_righe(righe_linea()), testo_righe(righe_treno()), j);
    EXPECT_EQ(s.esito.codice, 0);
    EXPECT_EQ(avvisi(s), std::vector<nome_e_riga>{}) << "con_planimetria " << j;
  }
}

TEST(ErroriLettura, UnRecordCortoDiceQuantiValoriVuole) {
  lettura s = leggi(linea_minima, "[generale]\nsegnale, 5000, 2, 4, 1, 0, 0, 0, 0, 0, 0\nsabbia, 3\n[fine]\n");
  EXPECT_EQ(s.esito.codice, 25);
  EXPECT_EQ(s.esito.luogo.motivo, "il record 'segnale' vuole 11 valori, ne ha 10");
  EXPECT_EQ(s.esito.luogo.linea, 2);
  EXPECT_EQ(s.esito.luogo.colonna, 41);  // just after the last value

  s = leggi(linea_minima, "[generale]\norologio, 10 2");  // cut short by the end of the file
  EXPECT_EQ(s.esito.luogo.motivo, "il record 'orologio' vuole 3 valori, ne ha 2");
  // A value on its own line that is no number stays what it is.
  s = leggi(linea_minima, "[generale]\nsabbia, tanta\n[fine]\n");
  EXPECT_EQ(s.esito.luogo.motivo, "atteso un numero intero");
}

TEST(ErroriLettura, UnCodiceSuDueRecordLiNominaEntrambi) {
  lettura s = leggi(linea_minima,
                    "[generale]\n"
                    "stazione, 3000, 22, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ALTA\n"
                    "stazione, 1000, 22, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, BASSA\n");
  EXPECT_EQ(s.esito.codice, 22);
  EXPECT_EQ(s.esito.luogo.motivo,
            "le stazioni vanno in ordine di posizione: questa a 1000 m viene dopo 'ALTA' a 3000 m "
            "(riga 2, area da 2800 a 3200 m)");

  // A signal on a slowdown's warning: the slowdown's line is named.
  s = leggi(linea_minima,
            "[generale]\nrallentamento, 5000, 30, 100, 0, 0, 0\n"
            "segnale, 3800, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\n");
  EXPECT_EQ(s.esito.codice, 16);
  EXPECT_EQ(s.esito.luogo.motivo,
            "la cella 77 porta gia' l'avviso di un rallentamento, dal record della riga 2: "
            "rallentamento, 5000, 30, 100, 0, 0, 0");
  // And the other way round.
  s = leggi(linea_minima,
            "[generale]\nsegnale, 3800, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\n"
            "rallentamento, 5000, 30, 100, 0, 0, 0\n");
  EXPECT_EQ(s.esito.codice, 17);
  EXPECT_NE(s.esito.luogo.motivo.find("un segnale, dal record della riga 2"), std::string::npos)
      << s.esito.luogo.motivo;
}

}  // namespace
}  // namespace od
