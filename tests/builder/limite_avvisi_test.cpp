// The limit on the warnings of one name: the first are kept with their
// text, the rest only counted, and the silenced neither kept nor counted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/memorizza_dati.h"
#include "costruzione/memorizza_percorso.h"
#include "modello/modello.h"

namespace od {
namespace {

const std::string linea = "[generale]\nlunghezza percorso, 10000\n[fine]\n";

std::string treno_con_chiavi_ignote(int quante) {
  std::string treno = "[generale]\nvelocita, 0, 80\naderenza, 0, 100\n";
  for (int i = 0; i < quante; ++i) treno += "chiave ignota\n";
  return treno + "velocita, 1000, 83\n[fine]\n";
}

struct costruito {
  scenario stato;
  sessione_costruzione sessione;
  std::vector<avviso> mostrati;
  std::vector<avvisi_non_mostrati> oltre;
};

costruito costruisci(const std::string& treno, const regole_avvisi& regole) {
  costruito c;
  c.stato.nome_percorso = "Prova";
  c.stato.nome_treno = "t1";
  opzioni_build opzioni;
  opzioni.sorgente = sorgente_descrizioni("/cartella-che-non-esiste");
  opzioni.sorgente.testo_linea = linea;
  opzioni.sorgente.testo_treno = treno;
  opzioni.avvisi = regole;
  opzioni.solo_in_memoria = true;
  memorizza_percorso(c.stato, c.sessione, 1, opzioni);
  c.mostrati = avvisi_mostrati(c.sessione, opzioni);
  c.oltre = avvisi_oltre_il_limite(c.sessione, opzioni);
  return c;
}

int conta(const std::vector<avviso>& avvisi, std::string_view nome) {
  int n = 0;
  for (const avviso& a : avvisi) n += a.nome == nome ? 1 : 0;
  return n;
}

TEST(LimiteAvvisi, IPrimiDiOgniNomeEIlRestoContato) {
  const costruito limitato = costruisci(treno_con_chiavi_ignote(35), regole_avvisi{});
  EXPECT_EQ(limitato.sessione.avvisi.size(), static_cast<std::size_t>(massimo_avvisi_per_nome) + 1);
  EXPECT_EQ(conta(limitato.mostrati, "chiave-sconosciuta"), massimo_avvisi_per_nome);
  EXPECT_EQ(conta(limitato.mostrati, "velocita-arrotondata"), 1) << "another name keeps its own count";
  EXPECT_EQ(limitato.mostrati.back().luogo.linea, 39) << "the warning after the limit still shown, at its line";
  ASSERT_EQ(limitato.oltre.size(), 1u);
  EXPECT_EQ(limitato.oltre[0].nome, "chiave-sconosciuta");
  EXPECT_EQ(limitato.oltre[0].quanti, 15);
  EXPECT_EQ(riga_non_mostrati(limitato.oltre, massimo_avvisi_per_nome),
            "altri 15 avvisi non mostrati (chiave-sconosciuta 15): se ne mostrano 20 per nome, --max-avvisi 0 li "
            "mostra tutti");

  regole_avvisi tutti;
  tutti.massimo_per_nome = 0;
  const costruito completo = costruisci(treno_con_chiavi_ignote(35), tutti);
  EXPECT_EQ(conta(completo.mostrati, "chiave-sconosciuta"), 35);
  EXPECT_TRUE(completo.oltre.empty());
  EXPECT_EQ(completo.mostrati.back().luogo.testo, "velocita, 1000, 83") << "a view of its line, kept alive";

  regole_avvisi taciuto;
  taciuto.taciuti.insert("chiave-sconosciuta");
  const costruito senza = costruisci(treno_con_chiavi_ignote(35), taciuto);
  EXPECT_EQ(conta(senza.sessione.avvisi, "chiave-sconosciuta"), 0) << "a silenced warning is not even kept";
  EXPECT_TRUE(senza.oltre.empty()) << "nor counted as not shown";

  // A warning never changes what is built.
  EXPECT_EQ(limitato.stato.binario, completo.stato.binario);
  EXPECT_EQ(limitato.stato.binario, senza.stato.binario);
  EXPECT_EQ(limitato.stato.tabella, completo.stato.tabella);
}

TEST(LimiteAvvisi, LeRegoleContanoAncheGliAvvisiAggiuntiDopo) {
  // Warnings joined to the list after the build (the documents') are held
  // to the same limit when shown.
  std::vector<avviso> elenco(25, avviso{"nome-tagliato", "x", {}});
  const regole_avvisi regole;
  EXPECT_EQ(applica_regole(elenco, regole).size(), static_cast<std::size_t>(massimo_avvisi_per_nome));
  const std::vector<avvisi_non_mostrati> oltre = oltre_il_limite(elenco, conteggio_avvisi{}, regole);
  ASSERT_EQ(oltre.size(), 1u);
  EXPECT_EQ(oltre[0].quanti, 5);
}

}  // namespace
}  // namespace od
