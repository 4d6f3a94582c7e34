#include "documents/tabella_testo.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace od {
namespace {

TEST(TabellaTesto, CellsArePaddedToTheirWidthOrRefused) {
  EXPECT_EQ(riempi("ab", 5), "ab   ");
  EXPECT_EQ(riempi("abcde", 5), "abcde");
  EXPECT_THROW(riempi("abcdef", 5), std::length_error);
  EXPECT_EQ(allinea_destra("8.450", 8), "   8.450");
  EXPECT_THROW(allinea_destra("123456789", 8), std::length_error);
  EXPECT_EQ(rientra(3, "A", 6), "   A  ");
  EXPECT_THROW(rientra(3, "ABCD", 6), std::length_error);  // the indent counts too
}

TEST(TabellaTesto, RowsCloseEveryCellWithABar) {
  constexpr std::array<std::size_t, 3> colonne{2, 3, 1};
  EXPECT_EQ(riga_tabella(colonne, {"a", "", "z"}), " |a |   |z|");
  EXPECT_EQ(riga_piena(colonne, '-'), " |--|---|-|");
  EXPECT_EQ(larghezza_interna(colonne), 8U);
  EXPECT_THROW(riga_tabella(colonne, {"a", "b"}), std::invalid_argument);
  EXPECT_THROW(riga_tabella(colonne, {"a", "b", "c", "d"}), std::invalid_argument);
}

}  // namespace
}  // namespace od
