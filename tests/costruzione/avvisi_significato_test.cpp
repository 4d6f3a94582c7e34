// The warnings of meaning: a catalogue of the slips that the format takes
// and that make no sense as a railway, each found by name at its line; the
// carried scenario gives none of them; and no warning moves a byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "builder/avvisi_significato.h"
#include "costruzione/memorizza_percorso.h"
#include "percorrenza/avvisi_orario.h"
#include "percorrenza/orario.h"
#include "scenario_text/scenario_carico.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

using test::righe_crlf;

struct costruito {
  scenario stato;
  sessione_costruzione sessione;
  risultato_build risultato;
};

costruito costruisci(const std::string& linea, const std::string& treno, const opzioni_build& base) {
  costruito c;
  c.stato.nome_percorso = "Prova";
  c.stato.nome_treno = "p1";
  opzioni_build opzioni = base;
  opzioni.sorgente.testo_linea = linea;
  opzioni.sorgente.testo_treno = treno;
  opzioni.solo_in_memoria = true;
  c.risultato = memorizza_percorso(c.stato, c.sessione, 0, opzioni);
  return c;
}

costruito costruisci(const std::string& linea, const std::string& treno) {
  const opzioni_build nessuna;
  return costruisci(linea, treno, nessuna);
}

// The new warnings' names, from the table: those after nome-tagliato.
std::set<std::string> nomi_di_significato() {
  std::set<std::string> nomi;
  for (const descrizione_avviso& d : tutti_gli_avvisi()) {
    if (d.tipo > tipo_avviso::nome_tagliato) nomi.emplace(d.nome);
  }
  return nomi;
}

// Each warning as "name file:line", in the order found.
std::vector<std::string> trovati(const costruito& c) {
  std::vector<std::string> v;
  for (const avviso& a : c.sessione.avvisi)
    v.push_back(a.nome + " " + a.luogo.file + ":" + std::to_string(a.luogo.linea));
  return v;
}

const std::string linea_catalogo = righe_crlf({
    "[generale]",                                             // 1
    "lunghezza percorso, 20000",                              // 2
    "[montagne]",                                             // 3
    "montagna, 6000, 5000, 1",                                // 4: the end before the start
    "[indicazioni]",                                          // 5
    "cartello_indicatore, 2500, (  Ponte di Riv\xC3\xB2  )",  // 6: UTF-8 in the text
    "[fine]",
});

const std::string treno_catalogo = righe_crlf({
    "[generale]",                                                             // 1
    "velocita, 0, 140",                                                       // 2
    "aderenza, 0, 100",                                                       // 3
    "orologio, 8, 0, 0",                                                      // 4
    "segnale, 3000, 3, 4, 1, 0, 0, 0, 0, 0, 0, 0",                            // 5: sx 3
    "segnale, 2000, 1, 4, 1, 0, 0, 5, 0, 0, 0, 0",                            // 6: dx 5
    "rallentamento, 5000, 300, 40, 0, 0, 0",                                  // 7: speed and length swapped
    "rallentamento, 8000, 150, 500, 0, 0, 0",                                 // 8: above the line's 140
    "rallentamento, 11000, 10, 300, 0, 0, 0",                                 // 9: 140 to 10 in 1200 m
    "rallentamento, 14000, 70, 1000, 0, 0, 0",                                // 10
    "rallentamento, 14500, 80, 200, 0, 0, 0",                                 // 11: inside the one before
    "stazione, 1000, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 55, 0, PRIMA",  // 12: leaves before the clock
    "stazione, 18000, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 40, 0, CASTEL MURVI\xC3\x92",  // 13
    "stazione, 21000, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 50, 0, OLTRE",                 // 14: past the end
    "[fine]",
});

TEST(AvvisiDiSignificato, EverySlipOfTheCatalogueIsNamedAtItsLine) {
  const costruito c = costruisci(linea_catalogo, treno_catalogo);
  ASSERT_EQ(c.risultato.esito, esito_build::completato);
  const std::string l = "Prova_linea.txt:";
  const std::string t = "Prova_p1-.txt:";
  const std::vector<std::string> attesi{
      "montagna-rovesciata " + l + "4",
      "caratteri-utf8 " + l + "6",
      "lato-segnale-sconosciuto " + t + "5",
      "lato-segnale-sconosciuto " + t + "6",
      "caratteri-utf8 " + t + "13",
      "oltre-fine-linea " + t + "14",
      "rallentamento-scambiato " + t + "7",
      "rallentamento-inutile " + t + "8",
      "rallentamento-non-frenabile " + t + "9",
      "rallentamenti-sovrapposti " + t + "11",
      "orologio-dopo-partenza " + t + "12",
  };
  EXPECT_EQ(trovati(c), attesi);
  // The numbers that show each slip are in its sentence.
  const auto frase = [&](const std::string& nome) {
    for (const avviso& a : c.sessione.avvisi) {
      if (a.nome == nome) return a.messaggio();
    }
    return std::string();
  };
  EXPECT_NE(frase("rallentamento-scambiato").find("300 km/h per 50 m"), std::string::npos);
  EXPECT_NE(frase("rallentamento-non-frenabile").find("servono 1505 m, dall'avviso ce ne sono 1200"),
            std::string::npos);
  EXPECT_NE(frase("orologio-dopo-partenza").find("08:00:00"), std::string::npos);
  EXPECT_NE(frase("oltre-fine-linea").find("(20000 m)"), std::string::npos);
}

TEST(AvvisiDiSignificato, NoWarningMovesAByte) {
  const costruito con = costruisci(linea_catalogo, treno_catalogo);
  opzioni_build taciuti;
  for (const std::string& nome : nomi_di_significato()) taciuti.avvisi.taciuti.insert(nome);
  const costruito senza = costruisci(linea_catalogo, treno_catalogo, taciuti);
  const opzioni_build tutti;
  EXPECT_LT(avvisi_mostrati(senza.sessione, taciuti).size(), avvisi_mostrati(con.sessione, tutti).size());
  EXPECT_EQ(con.stato.binario, senza.stato.binario);
  EXPECT_EQ(con.stato.tabella, senza.stato.tabella);
  // As errors they stop the writing, and only that.
  opzioni_build errori;
  errori.avvisi.come_errori = true;
  EXPECT_EQ(costruisci(linea_catalogo, treno_catalogo, errori).risultato.esito, esito_build::avvisi_errori);
}

TEST(AvvisiDiSignificato, TheCarriedScenarioGivesNone) {
  opzioni_build opzioni;
  opzioni.orario = opzioni_orario{};
  const costruito c = costruisci(testo_righe(righe_linea()), testo_righe(righe_treno()), opzioni);
  ASSERT_EQ(c.risultato.esito, esito_build::completato);
  const std::set<std::string> nuovi = nomi_di_significato();
  for (const avviso& a : c.sessione.avvisi) EXPECT_FALSE(nuovi.contains(a.nome)) << a.nome << ": " << a.messaggio();
}

TEST(AvvisiDiSignificato, AStationLeftWithLittleMarginByTheDelayBroughtFromBefore) {
  // B is scheduled before the train can be there; the section B to C has
  // room of its own, but the delay from B leaves C a couple of seconds.
  const std::string treno = righe_crlf({
      "[generale]",
      "velocita, 0, 140",
      "aderenza, 0, 100",
      "stazione, 1000, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, A",
      "stazione, 6000, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 30, 8, 2, 0, B",
      "stazione, 11000, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, C",
      "[fine]",
  });
  costruito c = costruisci(righe_crlf({"[generale]", "lunghezza percorso, 20000", "[fine]"}), treno);
  ASSERT_EQ(c.risultato.esito, esito_build::completato);
  const treno_percorrenza rapido;
  tabella_orario t = calcola_orario(c.stato, rapido, 3);
  ASSERT_EQ(t.stazioni.size(), 3U);
  // C two seconds after the earliest arrival, the delay from B included.
  c.stato.tabella[3].orario = static_cast<int32_t>(std::ceil(t.stazioni[2].arrivo)) + 2;
  t = calcola_orario(c.stato, rapido, 3);
  const std::vector<avviso> avvisi = avvisi_della_tabella(t, c.stato, c.sessione.origini);
  ASSERT_EQ(avvisi.size(), 2U);
  EXPECT_EQ(avvisi[0].nome, "orario-impossibile");
  EXPECT_EQ(avvisi[1].nome, "margine-stazione");
  EXPECT_EQ(avvisi[1].luogo.linea, 6);
  EXPECT_GE(t.tratte[1].percento, 3);  // the section alone looks comfortable
  EXPECT_NE(avvisi[1].messaggio().find("a C restano 2 s di margine"), std::string::npos) << avvisi[1].messaggio();
}

TEST(AvvisiDiSignificato, Utf8SequencesAreCountedAndEightBitLettersAreNot) {
  EXPECT_EQ(sequenze_utf8("CASTEL MURVI\xC3\x92"), 1);
  EXPECT_EQ(sequenze_utf8("CITT\xC3\x80 \xE2\x82\xAC \xF0\x9F\x9A\x82"), 3);  // two, three and four bytes
  EXPECT_EQ(sequenze_utf8("CASTEL MURVI\xD2"), 0);                            // Latin-1: one byte
  EXPECT_EQ(sequenze_utf8("ABC\xC3"), 0);                                     // cut short
  EXPECT_EQ(sequenze_utf8("\xC0\x80"), 0);                                    // never UTF-8
}

}  // namespace
}  // namespace od
