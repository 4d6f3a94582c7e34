#include "elementi/tipi_oggetto.h"

#include <gtest/gtest.h>

#include <set>

#include "elementi/abbattimenti.h"

namespace od {
namespace {

// Every byte is a known kind or not, and every known kind has texts of its
// own; the twelve kinds are the codes the build writes.
TEST(TipiOggetto, EveryKnownByteHasItsOwnTextsAndOthersNone) {
  std::set<std::string_view> nomi, frasi;
  int noti = 0;
  for (int b = 0; b <= 255; ++b) {
    const auto codice = static_cast<uint8_t>(b);
    const std::optional<tipo_oggetto> t = tipo_noto(codice);
    EXPECT_EQ(oggetto_noto(codice), t.has_value());
    if (!t) {
      EXPECT_TRUE(nome_oggetto(codice).empty()) << b;
      continue;
    }
    ++noti;
    EXPECT_EQ(codice_oggetto(*t), codice);
    EXPECT_TRUE(nomi.insert(testi(*t).nome).second) << b;
    EXPECT_TRUE(frasi.insert(testi(*t).frase).second) << b;
  }
  EXPECT_EQ(noti, 12);
  EXPECT_FALSE(tipo_noto(7).has_value());
  EXPECT_FALSE(tipo_noto(255).has_value());
}

// A reduction keeps the low 16 bits of its value; the way back gives a value
// above 0 that stores the same, and an end gives 0.
TEST(CodificaAbbattimenti, ValuesRoundTripThroughTheirLow16Bits) {
  for (const int32_t valore : {1, 300, 32767, 32768, 65535, 65536 + 7}) {
    cella k;
    impacca_abbattimento(k, valore);
    ASSERT_EQ(k.oggetto, oggetto::abbattimento);
    const int64_t indietro = valore_abbattimento(k);
    EXPECT_GT(indietro, 0);
    EXPECT_EQ(static_cast<int16_t>(indietro), static_cast<int16_t>(valore)) << valore;
  }
  for (const int32_t valore : {0, -5}) {
    cella k;
    impacca_abbattimento(k, valore);
    EXPECT_EQ(k.oggetto, oggetto::fine_abbattimento);
    EXPECT_EQ(k.valore1, 0);
    EXPECT_EQ(valore_abbattimento(k), 0);
  }
}

}  // namespace
}  // namespace od
