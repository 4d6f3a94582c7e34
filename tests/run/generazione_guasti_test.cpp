// The generation run in-process, with the faults that a machine can really
// give it: a description file that vanishes between writing and reading, a
// folder that does not exist, a folder standing where a file must go.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/finestra.h"
#include "run/generazione.h"
#include "scenario_text/scenario_carico.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

using test::cartella_temporanea;

class finestra_registrata : public finestra {
 public:
  void mostra(std::string_view etichetta) override { etichette.emplace_back(etichetta); }
  void messaggio(std::string_view testo) override { messaggi.emplace_back(testo); }
  std::vector<std::string> etichette, messaggi;
};

bool nessun_temporaneo(const cartella_temporanea& c) {
  for (const std::string& nome : c.elenco()) {
    if (nome.find(".tmp-") != std::string::npos) return false;
  }
  return true;
}

TEST(GenerazioneGuasti, UnaDescrizioneCheSparisceENominataEFermaLaCostruzione) {
  cartella_temporanea c;
  scrittori_generazione scrittori = scrittori_carichi();
  // The last document's writer takes the line file away after writing itself.
  scrittori.scheda = [](const std::string& cartella, const std::string& percorso, const std::string& treno,
                        chiamate_file& chiamate) {
    scrittori_carichi().scheda(cartella, percorso, treno, chiamate);
    std::filesystem::remove(cartella + "/" + percorso + "_linea.txt");
  };
  finestra_registrata f;
  std::ostringstream diagnostica;
  EXPECT_EQ(esegui_generazione(f, c.percorso(), diagnostica, scrittori), uscita_errore);
  EXPECT_EQ(f.etichette, std::vector<std::string>{"Attendere"});
  EXPECT_EQ(f.messaggi, std::vector<std::string>{" Errore n. 101"});
  EXPECT_EQ(diagnostica.str(), c.file("Orsella_Drumvane_linea.txt") +
                                   ": errore 101: il file di descrizione della linea non esiste\n");
  // The documents stay, no binary file is written, and the train file is gone too.
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"Orsella_Drumvane_xr40318_note.txt",
                                                  "Orsella_Drumvane_xr40318_rallentamenti.txt",
                                                  "Orsella_Drumvane_xr40318_scheda_treno.txt"}));
}

TEST(GenerazioneGuasti, UnaRigaGuastaDellaDescrizioneSiMostraComeUnCompilatore) {
  cartella_temporanea c;
  scrittori_generazione scrittori = scrittori_carichi();
  scrittori.treno = [](const std::string& cartella, const std::string& percorso, const std::string& treno,
                       chiamate_file& chiamate) {
    scrittori_carichi().treno(cartella, percorso, treno, chiamate);
    std::ofstream(cartella + "/" + percorso + "_" + treno + "-.txt", std::ios::app) << "sabbia,   40000\r\n[fine]\r\n";
  };
  finestra_registrata f;
  std::ostringstream diagnostica;
  EXPECT_EQ(esegui_generazione(f, c.percorso(), diagnostica, scrittori), uscita_errore);
  EXPECT_EQ(f.messaggi, std::vector<std::string>{" Errore n. 25"});
  const std::string testo = diagnostica.str();
  EXPECT_EQ(testo.rfind(c.file("Orsella_Drumvane_xr40318-.txt") + ":66: errore 25: ", 0), 0u) << testo;
  EXPECT_NE(testo.find("\nsabbia,   40000\n          ^\n"), std::string::npos) << testo;
  EXPECT_FALSE(c.esiste("Orsella_Drumvane_xr40318-.txt"));
  EXPECT_FALSE(c.esiste("Orsella_Drumvane_xr40318.dat"));
}

TEST(GenerazioneGuasti, CartellaInesistenteOCartellaAlPostoDiUnFile) {
  finestra_registrata f;
  std::ostringstream diagnostica;
  cartella_temporanea c;
  const std::string manca = c.file("manca");
  EXPECT_EQ(esegui_generazione(f, manca, diagnostica), uscita_file);
  EXPECT_EQ(diagnostica.str().rfind("orsella_drumvane: " + manca + "/Orsella_Drumvane_linea.txt: ", 0), 0u)
      << diagnostica.str();
  const std::string messaggio = diagnostica.str();
  EXPECT_EQ(std::count(messaggio.begin(), messaggio.end(), '\n'), 1) << "one line";
  EXPECT_TRUE(c.elenco().empty());

  // A folder where the notes must go: the run stops there, the description
  // files written before it stay as written, nothing half-written.
  std::filesystem::create_directory(c.file("Orsella_Drumvane_xr40318_note.txt"));
  std::ostringstream seconda;
  EXPECT_EQ(esegui_generazione(f, c.percorso(), seconda), uscita_file);
  EXPECT_NE(seconda.str().find("Orsella_Drumvane_xr40318_note.txt: "), std::string::npos) << seconda.str();
  EXPECT_EQ(c.leggi("Orsella_Drumvane_linea.txt"), testo_righe(righe_linea()));
  EXPECT_TRUE(nessun_temporaneo(c));
  EXPECT_FALSE(c.esiste("Orsella_Drumvane_xr40318.dat"));
}

}  // namespace
}  // namespace od
