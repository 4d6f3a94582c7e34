// The carried scenario's timetable under the default train: every scheduled
// time can be kept, and the passing times that the carried timetable sheet
// shows up to Alpe Grenna are no earlier than the fastest run allows. After
// it the sheet forgets the 20 km/h slowdown before Ponte Arvello.
#include <gtest/gtest.h>

#include <array>

#include "percorrenza/orario.h"
#include "support/scenario_incorporato.h"

namespace od {
namespace {

constexpr int32_t ore(int h, int m, int s = 0) { return (h * 60 + m) * 60 + s; }

TEST(OrarioIncorporato, EveryScheduledTimeCanBeKept) {
  const scenario s = test::scenario_incorporato();
  const tabella_orario t = calcola_orario(s, treno_percorrenza{}, 3);
  ASSERT_EQ(t.errore, "");
  ASSERT_EQ(t.stazioni.size(), 18u);
  EXPECT_TRUE(t.avvisi.empty());
  // Orsella, Pravesso, Lagorso, Campolustro, Drumvane.
  const std::array<std::size_t, 5> fermate{0, 5, 7, 11, 17};
  std::size_t f = 0;
  for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
    const bool ferma = f < fermate.size() && fermate[f] == i;
    EXPECT_EQ(t.stazioni[i].ferma, ferma) << t.stazioni[i].nome;
    if (ferma) ++f;
  }
  ASSERT_EQ(t.tratte.size(), 4u);
  for (const tempo_tratta& x : t.tratte) EXPECT_GT(x.margine, 0);
  EXPECT_EQ(t.stazioni[13].progressiva, 13100);

  const std::array<int32_t, 12> foglio{ore(10, 11), ore(10, 13),    ore(10, 16), ore(10, 21),
                                       ore(10, 30), ore(10, 41),    ore(10, 49), ore(10, 53, 30),
                                       ore(10, 57), ore(11, 7, 30), ore(11, 13), ore(11, 19)};
  for (std::size_t i = 0; i < foglio.size(); ++i)
    EXPECT_LE(t.stazioni[i + 1].arrivo, foglio[i]) << t.stazioni[i + 1].nome;
  EXPECT_GT(t.stazioni[16].arrivo, ore(11, 27));  // Ponte Arvello
}

}  // namespace
}  // namespace od
