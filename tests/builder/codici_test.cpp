#include "builder/codici.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

namespace od {
namespace {

TEST(Codici, OgniCodiceHaUnaFraseEIlReadmeLaMostraUguale) {
  std::ifstream in(OD_README);
  const std::string readme{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(readme.empty());
  std::set<int32_t> visti;
  for (const descrizione_codice& d : tutti_i_codici()) {
    EXPECT_TRUE(visti.insert(d.codice).second) << "code listed twice: " << d.codice;
    EXPECT_FALSE(d.significato.empty());
    EXPECT_EQ(descrivi_codice(d.codice), &d);
    const std::string riga = "| " + std::to_string(d.codice) + " | " + (d.con_posizione ? "sì" : "") + " | " +
                             std::string(d.significato) + " |\n";
    EXPECT_NE(readme.find(riga), std::string::npos) << "README lacks: " << riga;
  }
  // Every code the reader and the walk record is in the table.
  for (const int32_t codice : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 101,
                               102, 103, 1250, 1251}) {
    EXPECT_NE(descrivi_codice(codice), nullptr) << codice;
  }
  EXPECT_EQ(descrivi_codice(14), nullptr);
  EXPECT_EQ(descrivi_codice(0), nullptr);
}

}  // namespace
}  // namespace od
