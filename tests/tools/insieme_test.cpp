// The files of one run replaced as one set, and readers that wait for the
// writers: a set stopped halfway is never read as a scenario, and a reader
// beside a build in a loop never sees damage that is not there.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <map>

#include "platform/intento.h"
#include "tools/compila/comando.h"
#include "tools/decompila/comando.h"
#include "tools/scenario_prova.h"

namespace od {
namespace {

using test::cartella_temporanea;

std::vector<std::string> con_scenario(std::vector<std::string> opzioni, const std::string& cartella) {
  opzioni.insert(opzioni.end(), {cartella, test::percorso_prova, test::treno_prova});
  return opzioni;
}

test::esecuzione compila(const std::vector<std::string>& opzioni, const cartella_temporanea& c) {
  return test::in_processo(compila_scenario, con_scenario(opzioni, c.percorso()));
}

class Insieme : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(test::costruisci(c_));
    ASSERT_EQ(compila({"--documenti"}, c_).stato, 0);
    for (const std::string& nome : c_.elenco()) prima_[nome] = {c_.leggi(nome), inode(nome)};
  }
  // A file replaced is a new file, even with the same bytes.
  ino_t inode(const std::string& nome) const {
    struct stat info {};
    return ::stat(c_.file(nome).c_str(), &info) == 0 ? info.st_ino : 0;
  }
  // Every file as it was before the test, and nothing else; `stesso` also
  // the same file, never replaced.
  void invariata(bool stesso = true) const {
    std::vector<std::string> nomi;
    for (const auto& [nome, file] : prima_) nomi.push_back(nome);
    EXPECT_EQ(c_.elenco(), nomi);
    for (const auto& [nome, file] : prima_) {
      EXPECT_EQ(c_.leggi(nome), file.first) << nome;
      if (stesso) {
        EXPECT_EQ(inode(nome), file.second) << nome;
      }
    }
  }
  cartella_temporanea c_;
  std::map<std::string, std::pair<std::string, ino_t>> prima_;
};

TEST_F(Insieme, UnaCartellaAlPostoDiUnUscitaNonLasciaNulloSostituito) {
  // Different content, so that a replaced file would show.
  const std::vector<std::string> altro_treno = {"--velocita-massima", "60", "--documenti", "--sovrascrivi"};
  for (const std::string& uscita : {test::treno_prova + ".dat", test::treno_prova + "_rallentamenti.txt"}) {
    const std::string nome = test::percorso_prova + "_" + uscita;
    std::filesystem::rename(c_.file(nome), c_.file("da_parte"));
    std::filesystem::create_directory(c_.file(nome));
    const test::esecuzione e = compila(altro_treno, c_);
    EXPECT_EQ(e.stato, 2) << e.diagnostica;
    EXPECT_NE(e.diagnostica.find(nome + ": al suo posto c'e' una cartella"), std::string::npos) << e.diagnostica;
    std::filesystem::remove(c_.file(nome));
    std::filesystem::rename(c_.file("da_parte"), c_.file(nome));
    invariata();
  }
  const std::string ordine = test::percorso_prova + "_" + test::treno_prova + "_rallentamenti.txt";
  std::filesystem::rename(c_.file(ordine), c_.file("da_parte"));
  std::filesystem::create_directory(c_.file(ordine));
  EXPECT_EQ(test::mostra(con_scenario({"--documenti", "--sovrascrivi", "--numero-treno", "4711"}, c_.percorso())).stato,
            2);
  std::filesystem::remove(c_.file(ordine));
  std::filesystem::rename(c_.file("da_parte"), c_.file(ordine));
  invariata();
}

TEST_F(Insieme, UnInsiemeInterrottoNonSiLeggeESiCompletaAllaScritturaDopo) {
  // A set stopped after its first rename: the table is new, the cells old.
  const nomi_binari nomi = test::nomi_prova();
  c_.scrivi(nomi.binario + ".tmp-abcdef", prima_.at(nomi.binario).first);
  scrivi_intento(c_.percorso(), {{"x.tmp-abcdef", nomi.tabella}, {nomi.binario + ".tmp-abcdef", nomi.binario}},
                 chiamate_di_sistema(), sincronia::completa);
  for (const std::vector<std::string>& opzioni : {std::vector<std::string>{}, {"--orario"}}) {
    const test::esecuzione e = test::mostra(con_scenario(opzioni, c_.percorso()));
    EXPECT_EQ(e.stato, mostra_uso);
    EXPECT_NE(e.diagnostica.find(c_.file(nomi.binario) + ": una costruzione e' stata interrotta"), std::string::npos)
        << e.diagnostica;
  }
  const cartella_temporanea altra;
  EXPECT_EQ(test::in_processo(decompila_scenario, con_scenario({"--uscita", altra.percorso()}, c_.percorso())).stato,
            2);
  EXPECT_TRUE(altra.elenco().empty());
  // Any writer in the folder finishes the renames before its own work.
  EXPECT_EQ(compila({"--documenti", "--sovrascrivi"}, c_).stato, 0);
  invariata(false);
  EXPECT_EQ(test::mostra(con_scenario({}, c_.percorso())).stato, mostra_ok);
}

TEST_F(Insieme, ILettoriAspettanoChiRicostruisce) {
  const pid_t figlio = ::fork();
  ASSERT_GE(figlio, 0);
  if (figlio == 0) {
    int falliti = 0;
    for (int i = 0; i < 12; ++i) falliti += compila({"--documenti", "--sovrascrivi"}, c_).stato != 0;
    ::_exit(falliti);
  }
  const cartella_temporanea testi;
  int letture = 0, stato = 0;
  while (::waitpid(figlio, &stato, WNOHANG) == 0) {
    const test::esecuzione m = test::mostra(con_scenario({}, c_.percorso()));
    EXPECT_EQ(m.stato, mostra_ok) << m.diagnostica;
    const test::esecuzione d = test::in_processo(
        decompila_scenario, con_scenario({"--sovrascrivi", "--uscita", testi.percorso()}, c_.percorso()));
    EXPECT_EQ(d.stato, 0) << d.diagnostica;
    ++letture;
  }
  ASSERT_TRUE(WIFEXITED(stato));
  EXPECT_EQ(WEXITSTATUS(stato), 0) << "builds that failed";
  EXPECT_GT(letture, 0);
  invariata(false);
}

// A link that leads nowhere is an output already there: replacing it would
// write where the author never asked.
TEST_F(Insieme, UnCollegamentoRottoContaComeUscitaPresente) {
  const cartella_temporanea testi;
  const std::string linea = testi.file(test::percorso_prova + "_linea.txt");
  std::filesystem::create_symlink(testi.file("altrove/nulla.txt"), linea);
  const test::esecuzione e =
      test::in_processo(decompila_scenario, con_scenario({"--uscita", testi.percorso()}, c_.percorso()));
  EXPECT_EQ(e.stato, 2);
  EXPECT_NE(e.diagnostica.find(linea + " esiste gia'"), std::string::npos) << e.diagnostica;
  EXPECT_TRUE(std::filesystem::is_symlink(linea));
}

}  // namespace
}  // namespace od
