#include "elementi/rallentamenti.h"

#include <gtest/gtest.h>

#include <string_view>

namespace od {
namespace {

// A track from a picture: 'I' start, 'F' end, anything else empty.
scenario binario(std::string_view disegno) {
  scenario s;
  for (const char c : disegno) {
    cella k;
    if (c == 'I') k.oggetto = oggetto::inizio_rallentamento;
    if (c == 'F') k.oggetto = oggetto::fine_rallentamento;
    s.binario.push_back(k);
  }
  return s;
}

std::vector<std::pair<int32_t, int32_t>> coppie(std::string_view disegno) {
  std::vector<std::pair<int32_t, int32_t>> r;
  for (const coppia_rallentamento& c : coppie_rallentamenti(binario(disegno))) r.emplace_back(c.inizio, c.fine);
  return r;
}

// Each start takes the first end after it that no earlier start has taken;
// ends before any start and starts without an end, as a damaged file has
// them, are left alone.
TEST(CodificaRallentamenti, EachStartTakesTheFirstFreeEndAfterIt) {
  using v = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(coppie(".I..F."), (v{{1, 4}}));
  EXPECT_EQ(coppie("II.FF"), (v{{0, 3}, {1, 4}}));
  EXPECT_EQ(coppie("F.IF.IIF"), (v{{2, 3}, {5, 7}, {6, -1}}));
  EXPECT_EQ(coppie("FF"), v{});
  EXPECT_EQ(coppie(""), v{});
}

}  // namespace
}  // namespace od
