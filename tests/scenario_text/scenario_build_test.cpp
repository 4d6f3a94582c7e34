// The carried scenario through the whole build: it must read without a code,
// give the walk room for every marker, and leave files of the sizes that the
// simulator expects.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "costruzione/memorizza_percorso.h"
#include "output/file_binari.h"
#include "scenario_text/scenario_carico.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

struct scenario_costruito {
  test::cartella_temporanea cartella;
  scenario stato;
  sessione_costruzione sessione;
  risultato_build risultato;

  scenario_costruito() {
    stato.nome_percorso = "Orsella_Drumvane";
    stato.nome_treno = "xr40318";
    dati_linea(cartella.percorso(), stato.nome_percorso);
    dati_treno(cartella.percorso(), stato.nome_percorso, stato.nome_treno);
    opzioni_build opzioni;
    opzioni.sorgente = {cartella.percorso()};
    opzioni.cartella_uscita = cartella.percorso();
    risultato = memorizza_percorso(stato, sessione, 1, opzioni);
  }

  const cella& at(int32_t n) const { return stato.binario.at(static_cast<std::size_t>(n)); }
};

uint8_t u8(const buffer& b, std::size_t i) { return static_cast<uint8_t>(b.at(i)); }
int32_t i16(const buffer& b, std::size_t i) { return static_cast<int16_t>(u8(b, i) | (u8(b, i + 1) << 8)); }

TEST(ScenarioBuild, CarriedScenarioBuildsWithoutAnyCode) {
  const scenario_costruito s;
  ASSERT_EQ(s.risultato.esito, esito_build::completato);
  EXPECT_EQ(s.sessione.codice.codice, 0) << "posizione " << s.sessione.codice.posizione;
  EXPECT_EQ(s.risultato.codice_lettura, 0) << "posizione " << s.risultato.posizione_lettura;
  for (const avviso& a : s.sessione.avvisi) {
    if (a.codice != 0) ADD_FAILURE() << "avviso " << a.codice << " a " << a.posizione;
  }
  ASSERT_EQ(s.stato.ultima_cella(), 2060);

  const std::array<const char*, 18> nomi{"ORSELLA",  "VALDREZZA",     "FONTEBRISA",  "CASTELGRISO", "MOLVERANO",
                                         "PRAVESSO", "BORGO TEVANO",  "LAGORSO",     "P.M. 54.250", "ROCCAVELLO",
                                         "TREMOSCA", "CAMPOLUSTRO",   "ALPE GRENNA", "MISSALDO",    "VAL CIARESE",
                                         "SOLIVERA", "PONTE ARVELLO", "DRUMVANE"};
  for (std::size_t i = 0; i < nomi.size(); ++i) EXPECT_EQ(s.stato.tabella[i + 1].nome, nomi[i]) << i + 1;
  EXPECT_EQ(s.stato.tabella[19].nome, "");
  EXPECT_EQ(s.stato.tabella[19].posizione, 0);
  EXPECT_EQ(s.stato.tabella[4].area_inizio, 12800);
  EXPECT_EQ(s.stato.tabella[4].area_fine, 13150);

  for (int32_t n = 0; n <= s.stato.ultima_cella() - 3; ++n) ASSERT_EQ(s.at(n).vmax, 16) << "cella " << n;

  // The home signal at 7850 m has its fourth approach mark on the warning
  // cell of the slowdown at 8650 m, which stays in place.
  EXPECT_EQ(s.at(150).oggetto, oggetto::avviso_rallentamento);
  EXPECT_EQ(s.at(150).preavviso, 64);
  EXPECT_EQ(s.at(158).oggetto, oggetto::segnale);
}

TEST(ScenarioBuild, FilesHoldTheSignalAt12100InCell243) {
  const scenario_costruito s;
  ASSERT_EQ(s.risultato.esito, esito_build::completato);
  const buffer binario = immagine_binario(s.stato);
  ASSERT_EQ(binario.size(), 2061u * 15u);
  // "segnale,   12100,   2, 4, 1,  0, 0,    0,  0,0,0, 220"
  const std::size_t c = 3645;
  EXPECT_EQ(u8(binario, c), oggetto::segnale);
  EXPECT_EQ(i16(binario, c + 1), 40);  // 10 * s1 + d1
  EXPECT_EQ(i16(binario, c + 3), 10);  // 10 * s2 + d2
  EXPECT_EQ(i16(binario, c + 5), 0);   // 10 * s3 + d3
  EXPECT_EQ(i16(binario, c + 7), 6);   // 10 * rapp + 3 * sx + dx
  EXPECT_EQ(u8(binario, c + 9), 220);  // held time
  EXPECT_EQ(u8(binario, c + 12), 16);  // 80 km/h
  EXPECT_EQ(u8(binario, c + 14), 90);  // adhesion from 8600 m
  for (const int32_t marca : {241, 239, 237, 235}) EXPECT_EQ(s.at(marca).preavviso, 61 + (241 - marca) / 2);

  const nomi_binari nomi = nomi_file_binari(s.stato.nome_percorso, s.stato.nome_treno);
  EXPECT_EQ(std::filesystem::file_size(s.cartella.file(nomi.binario)), 30915u);
  EXPECT_EQ(std::filesystem::file_size(s.cartella.file(nomi.planimetria)), 2059964u);
  EXPECT_EQ(immagine_planimetria(s.stato.planimetria).size(), 2059964u);
  EXPECT_EQ(s.cartella.leggi(nomi.binario), binario);
}

}  // namespace
}  // namespace od
