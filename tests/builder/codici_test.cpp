#include "builder/codici.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

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
  // And the README's table has no code that the table lacks.
  const std::size_t tabella = readme.find("| Codice | Posizione | Significato |");
  ASSERT_NE(tabella, std::string::npos);
  for (std::size_t a = readme.find("\n| ", tabella); a != std::string::npos && a < readme.find("\n\n", tabella);
       a = readme.find("\n| ", a + 1)) {
    const std::size_t cifre = readme.find_first_not_of("0123456789", a + 3);
    if (cifre == a + 3 || readme.compare(cifre, 3, " | ") != 0) continue;
    const int32_t codice = std::stoi(readme.substr(a + 3, cifre - a - 3));
    EXPECT_TRUE(visti.contains(codice)) << "README has code " << codice << ", the table has not";
  }
  EXPECT_EQ(descrivi_codice(14), nullptr);
  EXPECT_EQ(descrivi_codice(0), nullptr);
}

}  // namespace
}  // namespace od
