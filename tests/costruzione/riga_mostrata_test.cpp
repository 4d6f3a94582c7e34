#include "costruzione/riga_mostrata.h"

#include <gtest/gtest.h>

#include <string>

namespace od {
namespace {

luogo_errore luogo_su(const std::string& riga, int32_t colonna) {
  luogo_errore l;
  l.linea = l.linea_campo = 7;
  l.colonna = colonna;
  l.testo = riga;
  return l;
}

// The caret's column must still point at the field's own text after a cut.
TEST(RigaMostrata, ShowsOrdinaryLinesWholeAndLongOnesAroundTheField) {
  const std::string corta = "rallentamento, 38500, 300, 40";
  EXPECT_EQ(mostra_riga(luogo_su(corta, 22)).testo, corta);
  EXPECT_EQ(mostra_riga(luogo_su(corta, 22)).colonna, 22);

  std::string lunga(5000, ',');
  lunga.replace(3000, 5, "BERSA");
  const riga_mostrata al_centro = mostra_riga(luogo_su(lunga, 3001));
  EXPECT_LT(al_centro.testo.size(), 200U);
  EXPECT_EQ(al_centro.testo.substr(0, 3), "...");
  EXPECT_EQ(al_centro.testo.substr(al_centro.testo.size() - 3), "...");
  EXPECT_EQ(al_centro.testo.substr(static_cast<std::size_t>(al_centro.colonna - 1), 5), "BERSA");

  lunga.replace(0, 5, "INIZI");
  const riga_mostrata in_testa = mostra_riga(luogo_su(lunga, 1));
  EXPECT_EQ(in_testa.testo.substr(0, 5), "INIZI");
  EXPECT_EQ(in_testa.colonna, 1);

  luogo_errore altra_riga = luogo_su(lunga, 3001);
  altra_riga.linea_campo = 8;  // the field lies on the next line: no caret here
  EXPECT_EQ(mostra_riga(altra_riga).colonna, 0);
  EXPECT_EQ(mostra_riga(altra_riga).testo.substr(0, 5), "INIZI");
}

}  // namespace
}  // namespace od
