#include "elementi/indicatori.h"

#include <gtest/gtest.h>

namespace od {
namespace {

TEST(CodificaIndicatori, BoardsComeBackAsWrittenAndDamagedValuesRepack) {
  const valori_indicatore v = impacca_indicatore(60, 80, 100, 2, 45, 0, 95, 3);
  cella k;
  k.valore1 = static_cast<int16_t>(v.valore1);
  k.valore2 = static_cast<int16_t>(v.valore2);
  k.valore3 = static_cast<int16_t>(v.valore3);
  k.valore4 = static_cast<int16_t>(v.valore4);
  const indicatore_spacchettato b = spacca_indicatore(k);
  EXPECT_EQ(b.sinistra, (std::array<int, 3>{60, 80, 100}));
  EXPECT_EQ(b.destra, (std::array<int, 3>{45, 0, 95}));
  EXPECT_EQ(b.strisce_sinistra, 2);
  EXPECT_EQ(b.strisce_destra, 3);
  // A right-hand speed between steps of 5 km/h rounds half to even.
  EXPECT_EQ(impacca_indicatore(0, 0, 0, 0, 12, 0, 0, 0).valore1 * 5, 10);
  for (int v1 = INT16_MIN; v1 <= INT16_MAX; ++v1) {
    k.valore1 = static_cast<int16_t>(v1);
    k.valore4 = static_cast<int16_t>(v1);
    const indicatore_spacchettato d = spacca_indicatore(k);
    ASSERT_EQ(d.sinistra[0] * 20 + d.destra[0] / 5, v1);
    ASSERT_TRUE(d.destra[0] >= 0 && d.destra[0] < 100);
    ASSERT_EQ(d.strisce_sinistra * 10 + d.strisce_destra, v1);
  }
}

}  // namespace
}  // namespace od
