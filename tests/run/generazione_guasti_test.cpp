// The generation run in-process, with the faults that a machine can really
// give it: a description file that vanishes between writing and reading, a
// folder that does not exist, a folder standing where a file must go, and a
// kill at any file operation.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/finestra.h"
#include "platform/intento.h"
#include "run/generazione.h"
#include "run/sei_file.h"
#include "scenario_text/scenario_carico.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

using test::cartella_temporanea;

class finestra_registrata : public finestra {
 public:
  void mostra(std::string_view etichetta) override { etichette.emplace_back(etichetta); }
  void messaggio(std::string_view testo) override { messaggi.emplace_back(testo); }
  void errore_file(std::string_view testo) override { errori_file.emplace_back(testo); }
  std::vector<std::string> etichette, messaggi, errori_file;
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
  scrittori.scheda = [](sostituzione_insieme& insieme, const std::string& cartella, const std::string& percorso,
                        const std::string& treno) {
    scrittori_carichi().scheda(insieme, cartella, percorso, treno);
    std::filesystem::remove(cartella + "/" + percorso + "_linea.txt");
  };
  finestra_registrata f;
  std::ostringstream diagnostica;
  EXPECT_EQ(esegui_generazione(f, c.percorso(), diagnostica, scrittori), uscita_errore);
  EXPECT_EQ(f.etichette, std::vector<std::string>{"Attendere"});
  EXPECT_EQ(f.messaggi, std::vector<std::string>{" Errore n. 101"});
  EXPECT_EQ(diagnostica.str(),
            c.file("Orsella_Drumvane_linea.txt") + ": errore 101: il file di descrizione della linea non esiste\n");
  // The documents stay, no binary file is written, and the train file is gone too.
  EXPECT_EQ(c.elenco(),
            (std::vector<std::string>{"Orsella_Drumvane_xr40318_note.txt", "Orsella_Drumvane_xr40318_rallentamenti.txt",
                                      "Orsella_Drumvane_xr40318_scheda_treno.txt"}));
}

TEST(GenerazioneGuasti, UnaRigaGuastaDellaDescrizioneSiMostraComeUnCompilatore) {
  cartella_temporanea c;
  scrittori_generazione scrittori = scrittori_carichi();
  scrittori.treno = [](const std::string& cartella, const std::string& percorso, const std::string& treno,
                       chiamate_file& chiamate, sincronia sincronia) {
    scrittori_carichi().treno(cartella, percorso, treno, chiamate, sincronia);
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
  // A window shows the same, without the program's name.
  EXPECT_EQ(f.errori_file, std::vector<std::string>{messaggio.substr(18, messaggio.size() - 19)});
  EXPECT_TRUE(f.messaggi.empty());

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

// Counts the calls of the seam; the process ends right before call
// `fine_a`, as a kill or a power cut would end it, with nothing cleaned up.
class chiamate_interrotte : public chiamate_file {
 public:
  explicit chiamate_interrotte(int fine_a) : fine_a_(fine_a) {}
  int conteggio() const { return conteggio_; }

  int crea_temporaneo(std::string& m) override { return passo(), chiamate_file::crea_temporaneo(m); }
  ssize_t scrivi(int fd, const char* d, std::size_t n) override { return passo(), chiamate_file::scrivi(fd, d, n); }
  int sincronizza(int fd) override { return passo(), chiamate_file::sincronizza(fd); }
  int copia_permessi(int fd, const char* m) override { return passo(), chiamate_file::copia_permessi(fd, m); }
  int chiudi(int fd) override { return passo(), chiamate_file::chiudi(fd); }
  int rinomina(const char* a, const char* b) override { return passo(), chiamate_file::rinomina(a, b); }
  int sincronizza_cartella(const char* c) override { return passo(), chiamate_file::sincronizza_cartella(c); }
  int elimina(const char* p) override { return passo(), chiamate_file::elimina(p); }

  static constexpr int stato_ucciso = 99;

 private:
  void passo() {
    if (++conteggio_ == fine_a_) ::_exit(stato_ucciso);
  }
  int fine_a_;
  int conteggio_ = 0;
};

const std::vector<std::string>& uscite = test::sei_file;

TEST(GenerazioneGuasti, UnaUccisioneAdOgniOperazioneSuiFileNonLasciaFileTroncati) {
  // The bytes of a good run, and how many file operations it makes.
  cartella_temporanea buona;
  finestra_registrata f;
  std::ostringstream diagnostica;
  chiamate_interrotte contate(0);
  ASSERT_EQ(esegui_generazione(f, buona.percorso(), diagnostica, scrittori_carichi(), contate), uscita_ok);
  std::map<std::string, std::string> nuovi;
  for (const std::string& nome : uscite) nuovi[nome] = buona.leggi(nome);
  const std::map<std::string, std::string> descrizioni = {
      {"Orsella_Drumvane_linea.txt", testo_righe(righe_linea())},
      {"Orsella_Drumvane_xr40318-.txt", testo_righe(righe_treno())}};
  ASSERT_GT(contate.conteggio(), 8 * 5);

  cartella_temporanea c;
  for (int n = 1; n <= contate.conteggio(); ++n) {
    for (const std::string& nome : c.elenco()) std::filesystem::remove(c.file(nome));
    for (const std::string& nome : uscite) c.scrivi(nome, "vecchio " + nome);
    const pid_t figlio = ::fork();
    if (figlio == 0) {
      finestra_registrata g;
      std::ostringstream d;
      chiamate_interrotte interrotte(n);
      esegui_generazione(g, c.percorso(), d, scrittori_carichi(), interrotte);
      ::_exit(0);
    }
    int stato = 0;
    ASSERT_EQ(::waitpid(figlio, &stato, 0), figlio);
    ASSERT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == chiamate_interrotte::stato_ucciso) << "call " << n;
    // Every output as it was or wholly new, and all six of one kind unless
    // the record of the set says that its renames are unfinished; a
    // description file whole if it is there; temporary files may stay, for
    // the next run to remove or rename.
    int vecchi = 0, rinnovati = 0;
    for (const std::string& nome : c.elenco()) {
      if (nome.find(".tmp-") != std::string::npos || nome == nome_intento) continue;
      const std::string testo = c.leggi(nome);
      if (descrizioni.count(nome) != 0) {
        EXPECT_EQ(testo, descrizioni.at(nome)) << "call " << n << ": " << nome;
      } else {
        ASSERT_EQ(nuovi.count(nome), 1u) << "call " << n << ": " << nome;
        EXPECT_TRUE(testo == "vecchio " + nome || testo == nuovi.at(nome)) << "call " << n << ": " << nome;
        ++(testo == nuovi.at(nome) ? rinnovati : vecchi);
      }
    }
    if (!sostituzione_incompleta(c.percorso())) {
      EXPECT_TRUE(vecchi == 0 || rinnovati == 0) << "call " << n << ": " << vecchi << " old, " << rinnovati << " new";
    } else {
      EXPECT_TRUE(c.esiste(std::string(nome_intento))) << "call " << n;
    }
    std::ostringstream dopo;
    ASSERT_EQ(esegui_generazione(f, c.percorso(), dopo), uscita_ok) << "call " << n << ": " << dopo.str();
    EXPECT_EQ(c.elenco(), uscite) << "call " << n;
    for (const std::string& nome : uscite) EXPECT_EQ(c.leggi(nome), nuovi.at(nome)) << "call " << n << ": " << nome;
  }
}

}  // namespace
}  // namespace od

namespace od {
namespace {

// Records what a run syncs and renames, by target name, in order.
class chiamate_osservate : public chiamate_file {
 public:
  int crea_temporaneo(std::string& m) override {
    const int fd = chiamate_file::crea_temporaneo(m);
    if (fd >= 0) destinazioni_[fd] = nome(m.substr(0, m.size() - std::string_view(".tmp-XXXXXX").size()));
    return fd;
  }
  int sincronizza(int fd) override {
    eventi.push_back("sincronizza " + destinazioni_.at(fd));
    return chiamate_file::sincronizza(fd);
  }
  int rinomina(const char* da, const char* a) override {
    eventi.push_back("rinomina " + nome(a));
    return chiamate_file::rinomina(da, a);
  }
  int sincronizza_cartella(const char* c) override {
    eventi.push_back("cartella");
    return chiamate_file::sincronizza_cartella(c);
  }
  std::vector<std::string> eventi;

 private:
  static std::string nome(const std::string& percorso) { return percorso.substr(percorso.find_last_of('/') + 1); }
  std::map<int, std::string> destinazioni_;
};

// What a power cut may keep: a file's bytes once it is synced, a rename
// once its folder is. Each output must be synced before its rename, the
// record of the set before the first of them, and the folder after the
// last change, with no sync that buys nothing.
TEST(GenerazioneGuasti, OgniUscitaSincronizzataPrimaDelNomeELaCartellaUnaVoltaAllaFine) {
  cartella_temporanea c;
  finestra_registrata f;
  std::ostringstream diagnostica;
  chiamate_osservate osservate;
  ASSERT_EQ(esegui_generazione(f, c.percorso(), diagnostica, scrittori_carichi(), osservate), uscita_ok);
  const std::vector<std::string>& e = osservate.eventi;
  const auto posizione = [&e](const std::string& evento) { return std::find(e.begin(), e.end(), evento) - e.begin(); };
  const std::string intento(nome_intento);
  for (const std::string& nome : uscite) {
    EXPECT_LT(posizione("sincronizza " + nome), posizione("rinomina " + nome)) << nome;
    EXPECT_LT(posizione("rinomina " + intento), posizione("rinomina " + nome)) << nome;
  }
  EXPECT_LT(posizione("sincronizza " + intento), posizione("rinomina " + intento));
  EXPECT_EQ(std::count_if(e.begin(), e.end(), [](const std::string& x) { return x.starts_with("sincronizza "); }),
            static_cast<std::ptrdiff_t>(uscite.size() + 1))
      << "the six outputs and the record of the set; the description files, deleted by the run, are not synced";
  EXPECT_EQ(std::count(e.begin(), e.end(), "cartella"), 1);
  EXPECT_EQ(e.back(), "cartella");
  EXPECT_EQ(c.elenco(), uscite);
}

}  // namespace
}  // namespace od
