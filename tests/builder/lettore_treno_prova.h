// Shared set-up of the train file reader's tests: a 96000 m track (cells 0 to
// 2060) in a fresh state, and a temporary folder where each test writes the
// train description file that it reads.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "builder/lettura.h"
#include "builder/memorizza_dati.h"
#include "builder/sessione.h"
#include "modello/modello.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "scenario_text/nomi_file.h"

namespace od {

class prova_lettore_treno : public ::testing::Test {
 protected:
  static constexpr int32_t ultima = 2060;  // last cell of a 96000 m line

  void SetUp() override {
    std::string modello = (std::filesystem::temp_directory_path() / "od_treno_XXXXXX").string();
    ASSERT_NE(mkdtemp(modello.data()), nullptr);
    sorgente.cartella = modello;
    stato.nome_percorso = "Prova";
    stato.nome_treno = "t1";
    crea_binario(stato, 96000);
    ASSERT_EQ(stato.ultima_cella(), ultima);
  }

  void TearDown() override { std::filesystem::remove_all(sorgente.cartella); }

  // A fresh state and folder, for a test that tries several files.
  void ricomincia() {
    TearDown();
    stato = scenario{};
    sessione = sessione_costruzione{};
    letto = esito_lettura{};
    contatore_cartelli = prima_voce_cartelli;
    SetUp();
  }

  std::string percorso_treno() const {
    return nome_completo(sorgente.cartella, nome_file_treno(stato.nome_percorso, stato.nome_treno));
  }
  std::string percorso_linea() const { return nome_completo(sorgente.cartella, nome_file_linea(stato.nome_percorso)); }

  // Each line closed by CR LF, as the writer does.
  static std::string testo(const std::vector<std::string>& righe) {
    std::string t;
    for (const std::string& r : righe) t += r + "\r\n";
    return t;
  }

  void scrivi_treno(const std::vector<std::string>& righe) { sostituisci_file(percorso_treno(), testo(righe)); }

  // Reads the lines as the train file, the way the line half hands over:
  // with the code that the line half came to in `letto`.
  void leggi(const std::vector<std::string>& righe) {
    scrivi_treno(righe);
    contesto_lettura contesto(stato, sessione, sorgente, percorso_linea(), percorso_treno());
    contesto.contatore_cartelli = contatore_cartelli;
    contesto.esito = letto;
    leggi_file_treno(contesto);
    letto = contesto.esito;
  }

  // Reads the lines after "[generale]".
  void leggi_generale(std::vector<std::string> righe) {
    righe.insert(righe.begin(), "[generale]");
    righe.push_back("[fine]");
    leggi(righe);
  }

  const cella& c(int32_t indice) const { return stato.binario.at(static_cast<std::size_t>(indice)); }

  scenario stato;
  sessione_costruzione sessione;
  esito_lettura letto;  // the reading's code, where and why
  sorgente_descrizioni sorgente;
  int32_t contatore_cartelli = prima_voce_cartelli;
};

// A station record with the fields that the tests vary; the rest are plain.
inline std::string riga_stazione(int32_t posizione, int32_t tipo, int32_t lunghezza, int32_t opzione_b = 0,
                                 int32_t opzione_c = 0, const std::string& nome = "Borgo Alto") {
  return "stazione,  " + std::to_string(posizione) + ", " + std::to_string(tipo) + ", " + std::to_string(lunghezza) +
         ", 1, " + std::to_string(opzione_b) + ", " + std::to_string(opzione_c) +
         ", 11, 12, 13, 21, 22, 23, 60, 10, 2, 30, " + nome;
}

}  // namespace od
