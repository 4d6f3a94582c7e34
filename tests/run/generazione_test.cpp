// The generation run as a whole: the real executable, copied into a fresh
// folder, since it works in the folder that holds it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <map>

#include "run/sei_file.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"
#include "support/sha256.h"

namespace od {
namespace {

using test::cartella_temporanea;

using test::sei_file;

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

  // The exact bytes that the simulator and the drivers get, pinned.
  const std::map<std::string, std::string> impronte = {
      {"Orsella_Drumvane_linea.dat", "8f8029034fdeca0ea01ab89f99e4ccf7d85c4b3f9b6f0b13db3b7a70d8c22991"},
      {"Orsella_Drumvane_xr40318.dat", "6e011cc402c92aedf23de1178bfc35df0e00e14e36f336572e970cc39c9f19d2"},
      {"Orsella_Drumvane_xr40318.sim", "d0a9963cbb340cd91c6baab6724ab126a343a32eb6ffb8a5b5a9f15dddd395bd"},
      {"Orsella_Drumvane_xr40318_note.txt", "996e2f875e2400111c53549cad6d1ecf9f52109901029c0712048d6f1f872dcd"},
      {"Orsella_Drumvane_xr40318_rallentamenti.txt",
       "ec56606afd3849182b4dd97fe2a95e9adcac906acdfe0705d404b9b2d9e4dcd6"},
      {"Orsella_Drumvane_xr40318_scheda_treno.txt", "c1f51339d1c142326567f8246424085ca12884f192573ded917e718edd44a6ec"},
  };
  for (const auto& [nome, contenuto] : file_prima) EXPECT_EQ(test::sha256(contenuto), impronte.at(nome)) << nome;

  const test::esito_processo seconda = test::esegui(programma);
  ASSERT_EQ(seconda.stato, 0) << seconda.errori;
  EXPECT_EQ(contenuti(cartella), file_prima) << "a second run gives byte-identical files";
}

TEST(Generazione, AiutoVersioneEUsoErratoNonScrivonoNulla) {
  cartella_temporanea cartella;
  const std::string programma = test::copia_programma(OD_GENERATORE, cartella.percorso());
  const std::vector<std::string> solo_programma{"orsella_drumvane"};
  for (const std::string aiuto : {"--help", "-h"}) {
    const test::esito_processo e = test::esegui(programma, {aiuto});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita.rfind("Uso: orsella_drumvane [OPZIONI]\n", 0), 0u) << e.uscita;
    EXPECT_NE(e.uscita.find("Stato di uscita:"), std::string::npos);
    EXPECT_EQ(e.errori, "");
  }
  const test::esito_processo versione = test::esegui(programma, {"--version"});
  EXPECT_EQ(versione.stato, 0);
  EXPECT_EQ(versione.uscita, std::string("orsella_drumvane ") + OD_VERSIONE + "\n");
  EXPECT_EQ(versione.errori, "");

  const std::string uso = "\nUso: orsella_drumvane [--help | --version]\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> errati = {
      {{"--aiuto"}, "opzione sconosciuta: --aiuto"},
      {{"cartella"}, "argomento in piu': cartella"},
      {{"--help", "--version"}, "--version non si usa insieme a --help"},
      {{"--version", "a", "b"}, "argomenti in piu': a b"},
  };
  for (const auto& [argomenti, messaggio] : errati) {
    const test::esito_processo e = test::esegui(programma, argomenti);
    EXPECT_EQ(e.stato, 2);
    EXPECT_EQ(e.errori, "orsella_drumvane: " + messaggio + uso);
    EXPECT_EQ(e.uscita, "");
  }
  EXPECT_EQ(cartella.elenco(), solo_programma) << "nothing written beside the program";
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

bool nessun_temporaneo(const cartella_temporanea& cartella) {
  for (const std::string& nome : cartella.elenco()) {
    if (nome.find(".tmp-") != std::string::npos) return false;
  }
  return true;
}

TEST(Generazione, DiscoPienoNonLasciaFileDimezzati) {
  cartella_temporanea cartella;
  const std::string programma = test::copia_programma(OD_GENERATORE, cartella.percorso());
  ASSERT_EQ(test::esegui(programma).stato, 0);
  const auto prima = contenuti(cartella);
  // Every text file fits in 64 KiB, the plan geometry does not. SIGXFSZ is
  // at its default: the write must fail, not the process.
  const test::esito_processo esito = test::esegui(programma, {}, 64 * 1024);
  EXPECT_EQ(esito.stato, 2) << esito.errori;
  EXPECT_EQ(esito.errori, "Attendere\norsella_drumvane: " + cartella.file("Orsella_Drumvane_linea.dat") +
                              ": scrittura non riuscita: file troppo grande\n");
  EXPECT_EQ(contenuti(cartella), prima) << "every earlier file is untouched or replaced by the same bytes";
  EXPECT_TRUE(nessun_temporaneo(cartella));
}

TEST(Generazione, DueEsecuzioniInsiemeNellaStessaCartellaRiesconoEntrambe) {
  cartella_temporanea cartella;
  const std::string programma = test::copia_programma(OD_GENERATORE, cartella.percorso());
  ASSERT_EQ(test::esegui(programma).stato, 0);
  const auto attesi = contenuti(cartella);
  for (int coppia = 0; coppia < 20; ++coppia) {
    test::processo_avviato a = test::avvia(programma);
    test::processo_avviato b = test::avvia(programma);
    const test::esito_processo esito_a = test::attendi(a);
    const test::esito_processo esito_b = test::attendi(b);
    ASSERT_EQ(esito_a.stato, 0) << "pair " << coppia << ": " << esito_a.errori;
    ASSERT_EQ(esito_b.stato, 0) << "pair " << coppia << ": " << esito_b.errori;
    ASSERT_EQ(contenuti(cartella), attesi) << "pair " << coppia;
  }
}

TEST(Generazione, PermessiDaUmaskETemporaneiRimastiRimossi) {
  cartella_temporanea cartella;
  const std::string programma = test::copia_programma(OD_GENERATORE, cartella.percorso());
  // What a killed run leaves: temporaries of its own outputs, which the next
  // run removes; a file that only looks like one stays.
  cartella.scrivi("Orsella_Drumvane_xr40318.dat.tmp-a1b2c3", "mezzo");
  cartella.scrivi("Orsella_Drumvane_linea.txt.tmp-zzzzzz", "mezzo");
  cartella.scrivi("Altro_file.dat.tmp-a1b2c3", "di un altro");
  const mode_t prima = ::umask(077);
  const test::esito_processo esito = test::esegui(programma);
  ::umask(prima);
  ASSERT_EQ(esito.stato, 0) << esito.errori;
  for (const std::string& nome : sei_file) {
    EXPECT_EQ(std::filesystem::status(cartella.file(nome)).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
        << nome;
  }
  EXPECT_EQ(cartella.elenco().size(), sei_file.size() + 2) << "the program and the other file";
  EXPECT_TRUE(cartella.esiste("Altro_file.dat.tmp-a1b2c3"));

  // A replaced file keeps the permissions it was given.
  const std::string sim = cartella.file("Orsella_Drumvane_xr40318.sim");
  std::filesystem::permissions(sim, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                        std::filesystem::perms::group_read | std::filesystem::perms::others_read);
  ASSERT_EQ(test::esegui(programma).stato, 0);
  EXPECT_EQ(std::filesystem::status(sim).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read | std::filesystem::perms::others_read);
}

}  // namespace
}  // namespace od
