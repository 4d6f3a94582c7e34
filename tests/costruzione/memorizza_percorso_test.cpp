#include "costruzione/memorizza_percorso.h"

#include <gtest/gtest.h>

#include "output/codici_gara.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

using test::cartella_temporanea;
using test::righe_crlf;

// A model as the reader leaves it: names in entries 85 and 86, a short track.
scenario modello_letto() {
  scenario stato;
  stato.tabella[voce_percorso].nome = "abc";
  stato.tabella[voce_ripetizione].nome = "";
  crea_binario(stato, 1000);
  return stato;
}

TEST(ControlliFinali, StampTheMarksAndTheCompetitionCodesWhenBothSlotsAreClear) {
  scenario stato = modello_letto();
  EXPECT_EQ(controlli_finali(stato), 0);
  EXPECT_EQ(stato.tabella[voce_percorso].terna_a1, 610);
  EXPECT_EQ(stato.binario[1].valore1, 5121);
  // Route "abc" and no train name: the codes of the worked example.
  EXPECT_EQ(stato.tabella[voce_percorso].orario, 33756);
  EXPECT_EQ(stato.binario[1].valore2, 2546);
  // Nothing else moves.
  EXPECT_EQ(stato.binario[1].oggetto, 0);
  EXPECT_EQ(stato.binario[2], cella{});
}

TEST(ControlliFinali, AnythingInTheFirstSlotGives1250AndChangesNothing) {
  scenario stato = modello_letto();
  stato.binario[1].oggetto = oggetto::abbattimento;  // a marker on cell 1
  stato.binario[1].valore1 = 180;
  EXPECT_EQ(controlli_finali(stato), 1250);
  EXPECT_EQ(stato.binario[1].valore1, 180);
  EXPECT_EQ(stato.tabella[voce_percorso].terna_a1, 0);
  EXPECT_EQ(stato.tabella[voce_percorso].orario, 0);

  stato = modello_letto();
  stato.binario[1].oggetto = oggetto::fermata;  // any item with a value
  stato.binario[1].valore1 = 1;
  EXPECT_EQ(controlli_finali(stato), 1250);

  stato = modello_letto();
  stato.tabella[voce_percorso].terna_a1 = 7;
  EXPECT_EQ(controlli_finali(stato), 1250);
  EXPECT_EQ(stato.binario[1].valore1, 0);
}

TEST(ControlliFinali, AnythingInTheSecondSlotGives1251AfterTheMarks) {
  scenario stato = modello_letto();
  stato.binario[1].valore2 = 3;
  EXPECT_EQ(controlli_finali(stato), 1251);
  EXPECT_EQ(stato.binario[1].valore1, 5121);
  EXPECT_EQ(stato.binario[1].valore2, 3);
  EXPECT_EQ(stato.tabella[voce_percorso].orario, 0);

  stato = modello_letto();
  stato.tabella[voce_percorso].orario = 36000;
  EXPECT_EQ(controlli_finali(stato), 1251);
  EXPECT_EQ(stato.tabella[voce_percorso].orario, 36000);
  EXPECT_EQ(stato.binario[1].valore2, 0);
}

const std::string linea_breve = righe_crlf({"[generale]", "lunghezza percorso,    10000", "[fine]"});

// Builds route "Prova", train "t1" from the two texts in a fresh folder.
struct build_di_prova {
  cartella_temporanea cartella;
  scenario stato;
  sessione_costruzione sessione;
  risultato_build risultato;

  build_di_prova(const std::string& treno, bool forza = false, bool solo_in_memoria = false) {
    cartella.scrivi("Prova_linea.txt", linea_breve);
    cartella.scrivi("Prova_t1-.txt", treno);
    stato.nome_percorso = "Prova";
    stato.nome_treno = "t1";
    opzioni_build opzioni;
    opzioni.sorgente.cartella = cartella.percorso();
    opzioni.cartella_uscita = cartella.percorso();
    opzioni.forza = forza;
    opzioni.solo_in_memoria = solo_in_memoria;
    risultato = memorizza_percorso(stato, sessione, 0, opzioni);
  }
};

const std::vector<std::string> solo_testi{"Prova_linea.txt", "Prova_t1-.txt"};

TEST(MemorizzaPercorso, AFailedFinalCheckWritesNoFile) {
  // A reduction at 50 m lands in cell 1 with the value 100.
  build_di_prova primo(righe_crlf({"[generale]", "abbattimento,   50,   100", "[fine]"}));
  EXPECT_EQ(primo.risultato.esito, esito_build::errore_finale);
  EXPECT_EQ(primo.risultato.codice_finale, 1250);
  EXPECT_EQ(primo.cartella.elenco(), solo_testi);

  // A slowdown from 0 m at speed 0 with an extra value puts only valore2 into cell 1.
  build_di_prova secondo(righe_crlf({"[generale]", "rallentamento,   0,   0,  500, 0,  0,  7", "[fine]"}));
  EXPECT_EQ(secondo.sessione.codice.codice, 0);
  EXPECT_EQ(secondo.risultato.esito, esito_build::errore_finale);
  EXPECT_EQ(secondo.risultato.codice_finale, 1251);
  EXPECT_EQ(secondo.cartella.elenco(), solo_testi);
}

TEST(MemorizzaPercorso, ASuccessfulBuildStoresTheMarksAndWritesTheFiles) {
  build_di_prova b(righe_crlf({"[generale]", "numero vetture,    4", "[fine]"}));
  EXPECT_EQ(b.risultato.esito, esito_build::completato);
  EXPECT_EQ(b.stato.tabella[voce_percorso].terna_a1, 610);
  EXPECT_EQ(b.stato.tabella[voce_percorso].orario, codice_gara_st(b.stato));
  EXPECT_EQ(b.stato.binario[1].valore1, 5121);
  EXPECT_EQ(b.stato.binario[1].valore2, codice_gara_og(b.stato));
  EXPECT_EQ(b.cartella.elenco(),
            (std::vector<std::string>{"Prova_linea.txt", "Prova_t1-.txt", "Prova_t1.dat", "Prova_t1.sim"}));
}

TEST(MemorizzaPercorso, InMemoryTheModelIsBuiltWholeAndNoFileIsWritten) {
  const std::string treno = righe_crlf({"[generale]", "numero vetture,    4", "[fine]"});
  build_di_prova su_disco(treno);
  build_di_prova in_memoria(treno, false, true);
  EXPECT_EQ(in_memoria.risultato.esito, esito_build::completato);
  EXPECT_EQ(in_memoria.cartella.elenco(), solo_testi);
  // The marks and codes are stamped as for the files written.
  EXPECT_EQ(in_memoria.stato.tabella, su_disco.stato.tabella);
  EXPECT_EQ(in_memoria.stato.binario, su_disco.stato.binario);
}

TEST(MemorizzaPercorso, AForcedBuildKeepsTheReadingCodeThatTheWalkReplaces) {
  // Signals in cells 95, 94 and 93 leave no room before the start in cell 100
  // (walk code 12); the sand value that follows cannot be read (code 25).
  const std::string treno = righe_crlf({"[generale]", "segnale,   4600,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "segnale,   4650,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "segnale,   4700,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "rallentamento,   4950,   120,  500, 0,  0,  0", "sabbia,   tanta", "[fine]"});
  build_di_prova forzato(treno, true);
  EXPECT_EQ(forzato.risultato.esito, esito_build::completato);
  EXPECT_EQ(forzato.risultato.codice_lettura, 25);
  EXPECT_EQ(forzato.sessione.codice.codice, 12);
  EXPECT_EQ(forzato.sessione.codice.posizione, 5000);
  EXPECT_TRUE(forzato.cartella.esiste("Prova_t1.dat"));

  build_di_prova normale(treno);
  EXPECT_EQ(normale.risultato.esito, esito_build::codice_lettura);
  EXPECT_EQ(normale.risultato.codice_lettura, 25);
  EXPECT_EQ(normale.sessione.codice.codice, 25);
  EXPECT_TRUE(normale.sessione.avvisi.empty());
  EXPECT_EQ(normale.cartella.elenco(), solo_testi);
}

TEST(MemorizzaPercorso, TheSessionKeepsEveryWarningInTheOrderFound) {
  // A field that is no key while reading, then the walk's code 12 for the
  // slowdown of line 6, which finds no room before its start.
  const std::string treno = righe_crlf({"[generale]", "xyz", "segnale,   4600,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "segnale,   4650,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "segnale,   4700,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                                        "rallentamento,   4950,   120,  500, 0,  0,  0", "[fine]"});
  const build_di_prova b(treno);
  ASSERT_EQ(b.risultato.codice_lettura, 0);
  ASSERT_GE(b.sessione.avvisi.size(), 2u);
  EXPECT_EQ(b.sessione.avvisi.front().nome, "chiave-sconosciuta");
  EXPECT_EQ(b.sessione.avvisi.front().codice, 0);
  const avviso& cammino = b.sessione.avvisi.back();
  EXPECT_EQ(cammino.nome, "abbattimento-senza-posto");
  EXPECT_EQ(cammino.codice, 12);
  EXPECT_EQ(cammino.posizione, 5000);
  EXPECT_EQ(cammino.luogo.linea, 6);
}

}  // namespace
}  // namespace od
