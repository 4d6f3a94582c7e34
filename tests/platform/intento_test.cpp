#include "platform/intento.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/blocco_cartella.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

using test::cartella_temporanea;

// The second rename of a set fails as a full folder or a vanished target
// would; so, for the first attempt, does the rename of the finishing run.
class rinomina_guasta : public chiamate_file {
 public:
  explicit rinomina_guasta(int guasta) : guasta_(guasta) {}
  int rinomina(const char* a, const char* b) override {
    if (++rinominate_ == guasta_) {
      errno = EIO;
      return -1;
    }
    return chiamate_file::rinomina(a, b);
  }

 private:
  int guasta_;
  int rinominate_ = 0;
};

TEST(Intento, UnInsiemeFermatoAMetaSiRiconosceESiCompleta) {
  cartella_temporanea c;
  for (const char* nome : {"a.dat", "b.sim", "c.dat"}) c.scrivi(nome, "vecchio");
  // The record's own rename is the first, then a, b, c.
  rinomina_guasta guasta(3);
  {
    sostituzione_insieme insieme(guasta);
    for (const char* nome : {"a.dat", "b.sim", "c.dat"}) insieme.prepara(c.file(nome), std::string("nuovo ") + nome);
    EXPECT_THROW(insieme.installa(), errore_file);
  }
  EXPECT_EQ(c.leggi("a.dat"), "nuovo a.dat");
  EXPECT_EQ(c.leggi("b.sim"), "vecchio");
  ASSERT_TRUE(c.esiste(std::string(nome_intento)));
  EXPECT_EQ(sostituzione_incompleta(c.percorso()), c.file("b.sim"));

  // A writer that cannot rename either keeps the record and says what to do.
  rinomina_guasta ancora(1);
  try {
    completa_sostituzione_interrotta(c.percorso(), ancora);
    ADD_FAILURE() << "no error";
  } catch (const errore_file& e) {
    EXPECT_EQ(e.percorso(), c.file("b.sim"));
    EXPECT_NE(e.motivo().find("eliminare " + c.file(std::string(nome_intento))), std::string::npos) << e.motivo();
  }
  // The next writer's lock finishes the set before anything else.
  { const blocco_cartella blocco(c.percorso()); }
  EXPECT_EQ(c.elenco(), (std::vector<std::string>{"a.dat", "b.sim", "c.dat"}));
  for (const char* nome : {"a.dat", "b.sim", "c.dat"}) EXPECT_EQ(c.leggi(nome), std::string("nuovo ") + nome);
  EXPECT_EQ(sostituzione_incompleta(c.percorso()), std::nullopt);

  // A record whose temporaries are all gone (the renames were made, the
  // removal lost to a power cut) is a whole set; an unreadable one is not.
  scrivi_intento(c.percorso(), {{"a.dat.tmp-zzzzzz", "a.dat"}}, chiamate_di_sistema(), sincronia::completa);
  EXPECT_EQ(sostituzione_incompleta(c.percorso()), std::nullopt);
  c.scrivi(std::string(nome_intento), "altro");
  EXPECT_EQ(sostituzione_incompleta(c.percorso()), c.file(std::string(nome_intento)));
  EXPECT_THROW(completa_sostituzione_interrotta(c.percorso()), errore_file);
}

TEST(Intento, UnaCartellaAlPostoDiUnFileFermaLInsiemePrimaDiOgniRinomina) {
  cartella_temporanea c;
  c.scrivi("a.dat", "vecchio");
  std::filesystem::create_directory(c.file("b.sim"));
  sostituzione_insieme insieme;
  insieme.prepara(c.file("a.dat"), "nuovo");
  EXPECT_THROW(insieme.prepara(c.file("b.sim"), "nuovo"), errore_file);
  EXPECT_EQ(c.leggi("a.dat"), "vecchio");
}

}  // namespace
}  // namespace od
