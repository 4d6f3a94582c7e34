#include "output/disposizione.h"

#include <gtest/gtest.h>

#include "modello/misure_linea.h"
#include "output/file_binari.h"

namespace od {
namespace {

// The offsets as the simulator's files are documented, written out by hand.
TEST(Disposizione, GliScostamentiDeiCampiSonoQuelliDeiFile) {
  static_assert(byte_cella == 15);
  const std::pair<const char*, std::size_t> cella_attesa[] = {
      {"oggetto", 0},    {"valore1", 1},   {"valore2", 3}, {"valore3", 5},   {"valore4", 7},  {"attesa", 9},
      {"preavviso", 10}, {"montagna", 11}, {"vmax", 12},   {"pendenza", 13}, {"aderenza", 14}};
  for (const auto& [campo, byte] : cella_attesa) EXPECT_EQ(scostamento(cella{}, campo), byte) << campo;
  EXPECT_EQ(byte_di_cella(1, "valore2"), 18u);

  voce v;
  v.nome = "Orsella";  // 7 characters move every field after the name
  const std::pair<const char*, std::size_t> voce_attesa[] = {
      {"tipo", 0},          {"area_inizio", 1},    {"area_fine", 5},      {"posizione", 9},
      {"opzione_a", 13},    {"nome", 14},          {"terna_a1", 16 + 7},  {"terna_a2", 18 + 7},
      {"terna_b1", 20 + 7}, {"terna_b2", 22 + 7},  {"terna_b3", 24 + 7},  {"terna_a3", 26 + 7},
      {"sosta", 27 + 7},    {"opzione_c", 28 + 7}, {"opzione_b", 29 + 7}, {"orario", 30 + 7}};
  for (const auto& [campo, byte] : voce_attesa) EXPECT_EQ(scostamento(v, campo), byte) << campo;
  EXPECT_EQ(byte_record(v), 34u + 7);
  buffer b;
  scrivi(v, b);
  EXPECT_EQ(b.size(), byte_record(v)) << "the writer and the layout agree";
  EXPECT_THROW(scostamento(v, "orari"), std::logic_error);
}

TEST(MisureLinea, CelleEPosizioniArrotondanoAlPari) {
  EXPECT_EQ(ultima_cella_di(96000), 2060);
  EXPECT_EQ(ultima_cella_di(96025), 2060) << "103025 / 50 = 2060.5 goes to the even cell";
  EXPECT_EQ(cella_puntuale(12100), 243);
  EXPECT_EQ(cella_puntuale(25), 2) << "25 / 50 + 1 = 1.5";
  EXPECT_EQ(cella_puntuale(75), 2) << "75 / 50 + 1 = 2.5";
  EXPECT_EQ(cella_puntuale(-50), 0);
  EXPECT_EQ(cella_di(75), 2);
  EXPECT_EQ(cella_di(25), 0);
  EXPECT_EQ(posizione_puntuale(cella_puntuale(12100)), 12100);
  EXPECT_EQ(inizio_cella(cella_di(700)), 700);
  EXPECT_EQ(celle_avviso, 24);
}

}  // namespace
}  // namespace od
