#include "elementi/segnali.h"

#include <gtest/gtest.h>

namespace od {
namespace {

// Every 16-bit value a damaged file can hold splits into parts that pack
// back to it, and digits the build writes come back as written.
TEST(CodificaSegnali, EveryStoredValueUnpacksToPartsThatPackBack) {
  for (int64_t v = INT16_MIN; v <= INT16_MAX; ++v) {
    const lati_segnale l = lati_naturali(v);
    EXPECT_EQ(impacca_lati(l.rapp, l.sx, l.dx), v);
    ASSERT_TRUE(l.dx >= 0 && l.dx <= 2 && l.sx >= 0 && l.sx <= 3) << v;
    const coppia_segnale p = spacca_coppia(v);
    EXPECT_EQ(impacca_coppia(p.s, p.d), v);
    ASSERT_TRUE(p.d >= 0 && p.d <= 9) << v;
  }
  for (int64_t rapp = -50; rapp <= 50; ++rapp) {
    for (int64_t sx = 0; sx <= 2; ++sx) {
      for (int64_t dx = 0; dx <= 2; ++dx) {
        const lati_segnale l = lati_naturali(impacca_lati(rapp, sx, dx));
        EXPECT_EQ(l.rapp, rapp);
        EXPECT_EQ(l.sx, sx);
        EXPECT_EQ(l.dx, dx);
      }
    }
  }
}

TEST(CodificaSegnali, ApproachMarksStandBelowTheSignalAndTheStoppingPoint) {
  EXPECT_EQ(cella_preavviso_segnale(100, 1), 98);
  EXPECT_EQ(cella_preavviso_segnale(100, preavvisi_per_segnale), 92);
  EXPECT_EQ(base_preavvisi_segnale(2, 1) + 4, 74);
  EXPECT_EQ(preavviso_stazione(1), 81);
  // A station whose area ends at 1000 m stops in cell 19; its marks go below.
  EXPECT_EQ(cella_preavviso_stazione(1000, 1), 18);
  EXPECT_EQ(cella_preavviso_stazione(1000, 4), 15);
  // The area's end decides, not the cell: up to 50 (2 + j) m there is no mark.
  EXPECT_FALSE(cella_preavviso_stazione(150, 1).has_value());
  EXPECT_EQ(cella_preavviso_stazione(151, 1), 1);
  EXPECT_FALSE(cella_preavviso_stazione(300, 4).has_value());
}

}  // namespace
}  // namespace od
