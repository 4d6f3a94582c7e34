// The posted progressive read back from the ordered change entries, against
// the carried timetable sheet's column, and the kilometre posts of the
// carried slowdown order.
#include "modello/progressiva.h"

#include <gtest/gtest.h>

#include <array>

#include "support/scenario_incorporato.h"

namespace od {
namespace {

TEST(Progressiva, CarriedStationsShowTheSheetsColumn) {
  esito_lettura letto;
  const scenario s = test::scenario_incorporato(&letto);
  ASSERT_EQ(letto.codice, 0);
  const std::array<int64_t, 18> foglio{0,     8450,  13650, 16550, 22900, 31800, 42150, 50400, 54250,
                                       58100, 70850, 77750, 82350, 13100, 11950, 11400, 4900,  0};
  for (std::size_t i = 0; i < foglio.size(); ++i) {
    const voce& v = s.tabella[i + 1];
    EXPECT_EQ(progressiva_di(s, v.posizione).metri, foglio[i]) << v.nome;
  }
  // The rule lines of the sheet stand where the change in force differs.
  EXPECT_EQ(progressiva_di(s, 8450).voce, progressiva_di(s, 0).voce);
  EXPECT_NE(progressiva_di(s, 8451).voce, progressiva_di(s, 8450).voce);
  EXPECT_TRUE(progressiva_di(s, 81200).crescente);
  EXPECT_FALSE(progressiva_di(s, 81201).crescente);
}

TEST(Progressiva, KilometrePostsOfTheCarriedSlowdowns) {
  const scenario s = test::scenario_incorporato();
  // 8650 m posts 12.250, but post 12 of that reference would stand before
  // the change at 8450 m: the last post passed is 8 of the old one.
  EXPECT_EQ(cippo_precedente(s, 8650), 8);
  EXPECT_EQ(cippo_precedente(s, 29050), 32);
  EXPECT_EQ(cippo_precedente(s, 69200), 72);
  EXPECT_EQ(cippo_precedente(s, 89950), 6);  // 5.950, counting down
  EXPECT_EQ(cippo_precedente(s, 8000), 8);
}

TEST(Progressiva, WithoutChangesOrWithAChangeAtTheStart) {
  scenario s;
  EXPECT_EQ(progressiva_di(s, 12345).metri, 12345);
  EXPECT_EQ(cippo_precedente(s, 12345), 12);
  // A line counted down from 30 km from its very start (stored plus 100).
  s.tabella[voce_progressive] = voce{};
  s.tabella[voce_progressive].area_fine = 30100;
  s.tabella[voce_progressive].posizione = 1;
  EXPECT_EQ(progressiva_di(s, 0).metri, 30000);
  EXPECT_EQ(progressiva_di(s, 1500).metri, 28500);
  EXPECT_EQ(cippo_precedente(s, 1500), 29);
}

}  // namespace
}  // namespace od
