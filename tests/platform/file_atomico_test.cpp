#include "platform/file_atomico.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <filesystem>

#include "support/cartella_temporanea.h"

namespace od {
namespace {

using test::cartella_temporanea;

// Fails the n-th system call of a replacement (counting from 1), as the
// kernel would with the given error.
class chiamate_guaste : public chiamate_file {
 public:
  chiamate_guaste(int guasta, int errore) : guasta_(guasta), errore_(errore) {}
  int chiamate() const { return conteggio_; }

  int crea_temporaneo(std::string& m) override { return guasto() ? -1 : chiamate_file::crea_temporaneo(m); }
  ssize_t scrivi(int fd, const char* d, std::size_t n) override {
    if (guasto()) return -1;
    // Short writes must be resumed: never hand over more than 3 bytes.
    return chiamate_file::scrivi(fd, d, std::min<std::size_t>(n, 3));
  }
  int sincronizza(int fd) override {
    ++sincronizzati_;
    return guasto() ? -1 : chiamate_file::sincronizza(fd);
  }
  int chiudi(int fd) override {
    const bool g = guasto();
    const int r = chiamate_file::chiudi(fd);  // the descriptor is released anyway
    return g ? -1 : r;
  }
  int copia_permessi(int fd, const char* m) override { return guasto() ? -1 : chiamate_file::copia_permessi(fd, m); }
  int rinomina(const char* a, const char* b) override {
    if (guasto()) return -1;
    rinominati_ = true;
    return chiamate_file::rinomina(a, b);
  }
  int sincronizza_cartella(const char* c) override {
    ++sincronizzati_;
    return guasto() ? -1 : chiamate_file::sincronizza_cartella(c);
  }
  bool rinominati() const { return rinominati_; }
  int sincronizzati() const { return sincronizzati_; }
  int elimina(const char* p) override { return chiamate_file::elimina(p); }  // cleanup never fails here

 private:
  bool guasto() {
    if (++conteggio_ != guasta_) return false;
    errno = errore_;
    return true;
  }
  int guasta_;
  int errore_;
  int conteggio_ = 0;
  int sincronizzati_ = 0;
  bool rinominati_ = false;
};

TEST(SostituisciFile, OgniGuastoLasciaIntattoIlFileEnessunTemporaneo) {
  // File and folder, the file alone, nothing: each way of syncing only adds
  // or drops sync calls, never the file's safety.
  const std::pair<sincronia, int> modi[] = {
      {sincronia::completa, 2}, {sincronia::senza_cartella, 1}, {sincronia::nessuna, 0}};
  for (const auto& [modo, sincronizzazioni] : modi) {
    cartella_temporanea cartella;
    const std::string percorso = cartella.file("uscita.dat");
    const std::string nuovo = "contenuto nuovo, piu' lungo del vecchio";
    // A good run first, to count its calls.
    chiamate_guaste buona(0, 0);
    sostituisci_file(percorso, nuovo, buona, modo);
    ASSERT_EQ(cartella.leggi("uscita.dat"), nuovo);
    EXPECT_EQ(buona.sincronizzati(), sincronizzazioni);
    const int totale = buona.chiamate();
    ASSERT_GT(totale, 3);
    for (int n = 1; n <= totale; ++n) {
      cartella.scrivi("uscita.dat", "vecchio");
      chiamate_guaste guaste(n, EIO);
      try {
        sostituisci_file(percorso, nuovo, guaste, modo);
        ADD_FAILURE() << "call " << n << " failed but the replacement reported success";
      } catch (const errore_file& e) {
        // The folder's own sync names the folder.
        const std::string nominato = guaste.rinominati() ? cartella.percorso() : percorso;
        EXPECT_EQ(e.percorso(), nominato) << "call " << n;
        EXPECT_NE(std::string(e.what()).find(nominato), std::string::npos);
        EXPECT_FALSE(e.motivo().empty());
      }
      // Only the folder's sync comes after the rename: the file is new, but
      // the failure is still reported.
      EXPECT_EQ(cartella.leggi("uscita.dat"), guaste.rinominati() ? nuovo : "vecchio") << "call " << n;
      EXPECT_EQ(cartella.elenco(), std::vector<std::string>{"uscita.dat"}) << "call " << n;
    }
  }
}

TEST(SostituzioneInsieme, NessunFileCambiaFinoACheTuttiSonoPronti) {
  cartella_temporanea cartella;
  for (const char* nome : {"a.dat", "b.sim", "c.dat"}) cartella.scrivi(nome, "vecchio");
  {
    sostituzione_insieme insieme;
    insieme.prepara(cartella.file("a.dat"), "nuovo a");
    insieme.prepara(cartella.file("b.sim"), "nuovo b");
    EXPECT_EQ(cartella.leggi("a.dat"), "vecchio") << "prepared, not yet in place";
    EXPECT_EQ(cartella.elenco().size(), 5u) << "two temporaries beside the three files";
    EXPECT_THROW(insieme.prepara(cartella.file("manca/c.dat"), "nuovo c"), errore_file);
  }
  EXPECT_EQ(cartella.elenco(), (std::vector<std::string>{"a.dat", "b.sim", "c.dat"}));
  EXPECT_EQ(cartella.leggi("a.dat"), "vecchio");

  sostituzione_insieme insieme;
  insieme.prepara(cartella.file("a.dat"), "nuovo a");
  insieme.prepara(cartella.file("c.dat"), "nuovo c");
  insieme.installa();
  EXPECT_EQ(cartella.leggi("a.dat"), "nuovo a");
  EXPECT_EQ(cartella.leggi("b.sim"), "vecchio");
  EXPECT_EQ(cartella.leggi("c.dat"), "nuovo c");
  EXPECT_EQ(cartella.elenco().size(), 3u);
}

TEST(SostituisciFile, PermessiNuoviDallaUmaskEConservatiNelleSostituzioni) {
  namespace fs = std::filesystem;
  cartella_temporanea cartella;
  const mode_t prima = ::umask(027);
  sostituisci_file(cartella.file("nuovo"), "x");
  ::umask(prima);
  EXPECT_EQ(fs::status(cartella.file("nuovo")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::permissions(cartella.file("nuovo"), fs::perms::owner_read | fs::perms::others_read);
  sostituisci_file(cartella.file("nuovo"), "y");
  EXPECT_EQ(fs::status(cartella.file("nuovo")).permissions(), fs::perms::owner_read | fs::perms::others_read);
}

TEST(EliminaTemporaneiRimasti, SoloQuelliDelFile) {
  cartella_temporanea cartella;
  for (const char* nome : {"a.dat", "a.dat.tmp-x1y2z3", "a.dat.tmp-x1y2", "a.dat.tmp-x1y2z3w", "b.dat.tmp-x1y2z3"}) {
    cartella.scrivi(nome, "");
  }
  elimina_temporanei_rimasti(cartella.file("a.dat"));
  EXPECT_EQ(cartella.elenco(),
            (std::vector<std::string>{"a.dat", "a.dat.tmp-x1y2", "a.dat.tmp-x1y2z3w", "b.dat.tmp-x1y2z3"}));
  elimina_temporanei_rimasti(cartella.file("manca/a.dat"));  // nothing to list: nothing happens
  // Several names, one listing.
  for (const char* nome : {"a.dat.tmp-abcdef", "c.dat.tmp-abcdef", "c.dat.tmp-abcde"}) cartella.scrivi(nome, "");
  elimina_temporanei_rimasti(cartella.percorso(), {"a.dat", "b.dat", "c.dat"});
  EXPECT_EQ(cartella.elenco(),
            (std::vector<std::string>{"a.dat", "a.dat.tmp-x1y2", "a.dat.tmp-x1y2z3w", "c.dat.tmp-abcde"}));
}

// The temporary of a name near the file system's limit gives up the end of
// the name, never a character split in two, and is still known as its own.
TEST(SostituisciFile, UnNomeLungoFinoAlLimite) {
  cartella_temporanea cartella;
  const std::string nome = std::string(243, 'a') + "\xc3\xa8" + "_linea.dat";  // 255 bytes
  sostituisci_file(cartella.file(nome), "x");
  EXPECT_EQ(cartella.leggi(nome), "x");
  cartella.scrivi(std::string(243, 'a') + ".tmp-abcdef", "");
  cartella.scrivi(std::string(244, 'a') + ".tmp-abcdef", "");  // another name's
  elimina_temporanei_rimasti(cartella.file(nome));
  EXPECT_EQ(cartella.elenco(), (std::vector<std::string>{std::string(244, 'a') + ".tmp-abcdef", nome}));
}

TEST(SostituisciFile, UnaCartellaAlPostoDelFile) {
  cartella_temporanea cartella;
  std::filesystem::create_directory(cartella.file("uscita.dat"));
  EXPECT_THROW(sostituisci_file(cartella.file("uscita.dat"), "x"), errore_file);
  EXPECT_TRUE(std::filesystem::is_directory(cartella.file("uscita.dat")));
  EXPECT_EQ(cartella.elenco(), std::vector<std::string>{"uscita.dat"});
  EXPECT_THROW(sostituisci_file(cartella.file("manca/uscita.dat"), "x"), errore_file);
}

TEST(SostituisciFile, DiscoPienoConLimiteDiDimensione) {
  cartella_temporanea cartella;
  cartella.scrivi("grande.dat", "vecchio");
  rlimit prima{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &prima), 0);
  const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limite = prima;
  limite.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
  bool fallito = false;
  try {
    sostituisci_file(cartella.file("grande.dat"), std::string(5000, 'x'));
  } catch (const errore_file& e) {
    fallito = true;
  }
  setrlimit(RLIMIT_FSIZE, &prima);
  std::signal(SIGXFSZ, gestore);
  EXPECT_TRUE(fallito);
  EXPECT_EQ(cartella.leggi("grande.dat"), "vecchio");
  EXPECT_EQ(cartella.elenco(), std::vector<std::string>{"grande.dat"});
}

TEST(LeggiFile, FileMancanteOCartella) {
  cartella_temporanea cartella;
  EXPECT_FALSE(leggi_file(cartella.file("manca")).has_value());
  EXPECT_FALSE(leggi_file(cartella.percorso()).has_value());
  cartella.scrivi("c", std::string("a\0b", 3));
  EXPECT_EQ(leggi_file(cartella.file("c")), std::string("a\0b", 3));
  elimina_se_esiste(cartella.file("c"));
  elimina_se_esiste(cartella.file("c"));
  EXPECT_FALSE(esiste_file(cartella.file("c")));
}

}  // namespace
}  // namespace od

namespace od {
namespace {

TEST(SostituisciFile, UnProduttoreCheFallisceAMetaNonToccaIlFile) {
  test::cartella_temporanea cartella;
  cartella.scrivi("a.dat", "vecchio");
  const auto a_meta = [](const std::function<void(std::string_view)>& scrivi) {
    scrivi("prima parte, ");
    throw errore_file("a.dat", "il contenuto non si puo' produrre");
  };
  EXPECT_THROW(sostituisci_file(cartella.file("a.dat"), a_meta), errore_file);
  EXPECT_EQ(cartella.leggi("a.dat"), "vecchio");
  EXPECT_EQ(cartella.elenco(), std::vector<std::string>{"a.dat"});
  sostituisci_file(cartella.file("a.dat"), [](const std::function<void(std::string_view)>& scrivi) {
    scrivi("uno ");
    scrivi("");
    scrivi("due");
  });
  EXPECT_EQ(cartella.leggi("a.dat"), "uno due");
}

}  // namespace
}  // namespace od
