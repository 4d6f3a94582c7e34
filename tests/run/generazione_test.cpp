// The generation run as a whole: the real executable, copied into a fresh
// folder, since it works in the folder that holds it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace od {
namespace {

using test::cartella_temporanea;

const std::vector<std::string> sei_file = {
    "Orsella_Drumvane_linea.dat",          "Orsella_Drumvane_xr40318.dat",
    "Orsella_Drumvane_xr40318.sim",        "Orsella_Drumvane_xr40318_note.txt",
    "Orsella_Drumvane_xr40318_rallentamenti.txt", "Orsella_Drumvane_xr40318_scheda_treno.txt",
};

std::map<std::string, std::string> contenuti(const cartella_temporanea& cartella) {
  std::map<std::string, std::string> file;
  for (const std::string& nome : cartella.elenco()) {
    if (nome != "orsella_drumvane") file[nome] = cartella.leggi(nome);
  }
  return file;
}

TEST(Generazione, LasciaSeiFileUgualiAdOgniEsecuzione) {
  cartella_temporanea cartella;
  const std::string programma = test::copia_programma(OD_GENERATORE, cartella.percorso());
  const test::esito_processo prima = test::esegui(programma);
  ASSERT_EQ(prima.stato, 0) << prima.errori;
  EXPECT_EQ(prima.errori, "Attendere\n") << "no warning, no message";
  const auto file_prima = contenuti(cartella);
  std::vector<std::string> nomi;
  for (const auto& [nome, _] : file_prima) nomi.push_back(nome);
  EXPECT_EQ(nomi, sei_file) << "the description files are gone, the six outputs remain";
  EXPECT_EQ(file_prima.at("Orsella_Drumvane_xr40318.dat").size(), 30915u);
  EXPECT_EQ(file_prima.at("Orsella_Drumvane_linea.dat").size(), 2059964u);

  const test::esito_processo seconda = test::esegui(programma);
  ASSERT_EQ(seconda.stato, 0) << seconda.errori;
  EXPECT_EQ(contenuti(cartella), file_prima) << "a second run gives byte-identical files";
}

TEST(Generazione, UnFileCheNonSiPuoScrivereDaStato2EMessaggioChiaro) {
  cartella_temporanea cartella;
  const std::string programma = test::copia_programma(OD_GENERATORE, cartella.percorso());
  ASSERT_EQ(test::esegui(programma).stato, 0);
  const std::string dat = cartella.leggi("Orsella_Drumvane_xr40318.dat");
  // A folder standing where the item table must go: the plan geometry is
  // replaced before it, the track cells after it are never touched.
  std::filesystem::remove(cartella.file("Orsella_Drumvane_xr40318.sim"));
  std::filesystem::create_directory(cartella.file("Orsella_Drumvane_xr40318.sim"));
  const test::esito_processo esito = test::esegui(programma);
  EXPECT_EQ(esito.stato, 2);
  EXPECT_NE(esito.errori.find(cartella.file("Orsella_Drumvane_xr40318.sim") + ": "), std::string::npos) << esito.errori;
  EXPECT_EQ(cartella.leggi("Orsella_Drumvane_xr40318.dat"), dat);
  for (const std::string& nome : cartella.elenco()) EXPECT_EQ(nome.find(".tmp-"), std::string::npos) << nome;
}

TEST(Generazione, DiscoPienoNonLasciaFileDimezzati) {
  cartella_temporanea cartella;
  const std::string programma = test::copia_programma(OD_GENERATORE, cartella.percorso());
  ASSERT_EQ(test::esegui(programma).stato, 0);
  const auto prima = contenuti(cartella);
  // Every text file fits in 64 KiB, the plan geometry does not.
  const test::esito_processo esito = test::esegui(programma, {}, 64 * 1024);
  EXPECT_EQ(esito.stato, 2);
  EXPECT_NE(esito.errori.find("Orsella_Drumvane_linea.dat: "), std::string::npos) << esito.errori;
  EXPECT_EQ(contenuti(cartella), prima) << "every earlier file is untouched or replaced by the same bytes";
}

}  // namespace
}  // namespace od
