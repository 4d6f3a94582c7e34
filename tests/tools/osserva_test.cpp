// --osserva: one run, then one per save, a file that is briefly missing
// waited for, and a clean end on Ctrl-C, in process and with the real tool.
// No timing is asserted: the tests wait for what the tool prints.
#include "tools/comune/osserva.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <thread>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace od {
namespace {

using namespace std::chrono_literals;
using test::cartella_temporanea;

TEST(Osserva, UnGiroPerSalvataggioEUnFileMancanteAttesoFinoAlRitorno) {
  const cartella_temporanea c;
  c.scrivi("a.txt", "uno");
  c.scrivi("b.txt", "uno");
  std::vector<std::string> letti;  // what each run found in a.txt
  std::thread ritorno;
  opzioni_osserva o;
  o.intervallo = 5ms;
  o.attesa_mancante = 60s;  // never reached: the file comes back first
  o.dopo_giro = [&](int n) {
    if (n == 1) c.scrivi("a.txt", "due, salvato");
    if (n == 2) {
      // An editor's save: the file goes, and a moment later the new one is there.
      std::filesystem::remove(c.file("a.txt"));
      ritorno = std::thread([&c] {
        std::this_thread::sleep_for(50ms);
        c.scrivi("a.txt", "tre, dopo il cambio");
      });
    }
    return n < 3;
  };
  std::ostringstream uscita;
  const int stato = osserva(
      "prova", {c.file("a.txt"), c.file("b.txt")}, uscita,
      [&] {
        letti.push_back(c.esiste("a.txt") ? c.leggi("a.txt") : "(mancante)");
        return static_cast<int>(letti.size());
      },
      o);
  ritorno.join();
  EXPECT_EQ(letti, (std::vector<std::string>{"uno", "due, salvato", "tre, dopo il cambio"}));
  EXPECT_EQ(stato, 3);  // the last run's
  EXPECT_NE(uscita.str().find("] prova: costruzione\n"), std::string::npos);
  EXPECT_NE(uscita.str().find("] prova: file cambiati, nuova costruzione\n"), std::string::npos);
}

// Reads what the child has written to standard output so far.
std::string letto_finora(std::FILE* f) {
  std::string testo;
  char blocco[4096];
  off_t da = 0;
  ssize_t n;
  while ((n = ::pread(::fileno(f), blocco, sizeof blocco, da)) > 0) {
    testo.append(blocco, static_cast<std::size_t>(n));
    da += n;
  }
  return testo;
}

// Waits until `quante` lines hold `pezzo`; false after a generous guard.
bool attendi_righe(std::FILE* f, const std::string& pezzo, std::size_t quante) {
  for (int i = 0; i < 3000; ++i) {
    const std::string t = letto_finora(f);
    std::size_t trovate = 0;
    for (std::size_t p = t.find(pezzo); p != std::string::npos; p = t.find(pezzo, p + 1)) ++trovate;
    if (trovate >= quante) return true;
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

TEST(Osserva, CompilaScenarioRiscriveDopoOgniSalvataggioEFinisceConCtrlC) {
  const cartella_temporanea c;
  ASSERT_EQ(test::esegui(OD_COMPILA, {"--esempio", c.percorso()}).stato, 0);
  const std::string treno = "Orsella_Drumvane_xr40318-.txt";
  test::processo_avviato p = test::avvia(OD_COMPILA, {"--osserva", c.percorso(), "Orsella_Drumvane", "xr40318"});
  ASSERT_TRUE(attendi_righe(p.uscita, "in attesa di modifiche", 1)) << letto_finora(p.uscita);
  const std::string prima = c.leggi("Orsella_Drumvane_xr40318.dat");
  // A slip saved: the build stops at it, and the files stay as they were.
  std::string testo = c.leggi(treno);
  const std::size_t dove = testo.find("stazione,");
  ASSERT_NE(dove, std::string::npos);
  c.scrivi(treno, testo.substr(0, dove) + "stazine," + testo.substr(dove + 9));
  ASSERT_TRUE(attendi_righe(p.uscita, "in attesa di modifiche", 2)) << letto_finora(p.uscita);
  // Put right: built again.
  c.scrivi(treno, testo);
  ASSERT_TRUE(attendi_righe(p.uscita, "in attesa di modifiche", 3)) << letto_finora(p.uscita);
  ::kill(p.pid, SIGINT);
  const test::esito_processo e = test::attendi(p);
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_NE(e.uscita.find("fine (Ctrl-C)"), std::string::npos) << e.uscita;
  EXPECT_NE(e.errori.find("chiave-sconosciuta"), std::string::npos) << e.errori;
  EXPECT_EQ(c.leggi("Orsella_Drumvane_xr40318.dat"), prima);
  // Nothing half-written is left behind.
  for (const std::string& nome : c.elenco()) EXPECT_EQ(nome.find(".tmp"), std::string::npos) << nome;
}

TEST(Osserva, MostraScenarioRidisegnaQuandoIBinariCambiano) {
  const cartella_temporanea c;
  ASSERT_EQ(test::esegui(OD_COMPILA, {"--esempio", c.percorso()}).stato, 0);
  const std::vector<std::string> compila = {c.percorso(), "Orsella_Drumvane", "xr40318"};
  ASSERT_EQ(test::esegui(OD_COMPILA, compila).stato, 0);
  test::processo_avviato p =
      test::avvia(OD_MOSTRA, {"--osserva", "--svg", c.file("linea.svg"), c.percorso(), "Orsella_Drumvane", "xr40318"});
  ASSERT_TRUE(attendi_righe(p.uscita, "in attesa di modifiche", 1)) << letto_finora(p.uscita);
  ASSERT_TRUE(c.esiste("linea.svg"));
  std::filesystem::remove(c.file("linea.svg"));
  // compila_scenario replaces the binaries: the picture is drawn again.
  ASSERT_EQ(test::esegui(OD_COMPILA, compila).stato, 0);
  ASSERT_TRUE(attendi_righe(p.uscita, "in attesa di modifiche", 2)) << letto_finora(p.uscita);
  EXPECT_TRUE(c.esiste("linea.svg"));
  ::kill(p.pid, SIGINT);
  const test::esito_processo e = test::attendi(p);
  EXPECT_EQ(e.stato, 0) << e.errori;
}

}  // namespace
}  // namespace od
