// The tools' one way of turning the scenario's 8-bit text into UTF-8.
#include "tools/comune/testo_utf8.h"

#include <gtest/gtest.h>

namespace od {
namespace {

TEST(TestoUtf8, Latin1BecomesUtf8AndUtf8Stays) {
  EXPECT_EQ(testo_utf8("Pieve"), "Pieve");
  EXPECT_EQ(testo_utf8("citt\xE0"), "citt\xC3\xA0");
  EXPECT_EQ(testo_utf8("citt\xC3\xA0"), "citt\xC3\xA0");
  // A sequence cut short is not UTF-8: the whole text is read as Latin-1.
  EXPECT_EQ(testo_utf8("\xC3\xA0 \xC3"), "\xC3\x83\xC2\xA0 \xC3\x83");
}

TEST(TestoUtf8, EveryStringOfADocumentIsConverted) {
  const nlohmann::ordered_json d = {{"nome", "citt\xE0"}, {"voci", {{{"testo", "\xE8"}}, 3, nullptr}}};
  EXPECT_EQ(json_utf8(d, -1), "{\"nome\":\"citt\xC3\xA0\",\"voci\":[{\"testo\":\"\xC3\xA8\"},3,null]}");
}

}  // namespace
}  // namespace od
