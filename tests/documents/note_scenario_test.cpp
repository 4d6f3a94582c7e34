#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documento_scritto.h"
#include "documents/documenti.h"

namespace od {
namespace {

using namespace prova;

constexpr std::string_view nome_note = "Orsella_Drumvane_xr40318_note.txt";

std::vector<std::string> note(bool sopra_vecchio = false) {
  const std::string testo = scrivi_e_leggi(dati_note, nome_note, sopra_vecchio);
  controlla_testo_semplice(testo);
  return righe_lette(testo);
}

const std::string& riga(const std::vector<std::string>& r, std::size_t n) { return r.at(n - 1); }

TEST(NoteScenario, ThirtyOneCrLfLinesWithTitleAndHeading) {
  for (bool sopra_vecchio : {false, true}) {
    const std::vector<std::string> r = note(sopra_vecchio);
    ASSERT_EQ(r.size(), 31U);
    EXPECT_EQ(riga(r, 1), spazi(14) + "Treno 40318 sul percorso Orsella - Drumvane");
    EXPECT_EQ(riga(r, 2), "");
    EXPECT_EQ(riga(r, 3), " Note sullo scenario:");
    EXPECT_EQ(riga(r, 4), "");
    EXPECT_EQ(riga(r, 29), "");
  }
}

TEST(NoteScenario, SevenParagraphsWrappedWithinSeventySevenColumns) {
  const std::vector<std::string> r = note();
  ASSERT_EQ(r.size(), 31U);
  std::vector<std::size_t> paragrafi;  // lines per paragraph
  for (std::size_t n = 5; n <= 28; ++n) {
    const std::string& l = riga(r, n);
    EXPECT_LE(l.size(), 77U) << "riga " << n;
    ASSERT_GE(l.size(), 4U) << "riga " << n;
    // The text of every line starts in the fourth column.
    EXPECT_NE(l[3], ' ') << "riga " << n;
    if (l.starts_with(" - ")) {
      paragrafi.push_back(1);
    } else {
      EXPECT_TRUE(l.starts_with("   ")) << "riga " << n;
      ASSERT_FALSE(paragrafi.empty()) << "la riga " << n << " continua un paragrafo mai aperto";
      ++paragrafi.back();
    }
    EXPECT_NE(l.back(), ' ') << "riga " << n;
  }
  EXPECT_EQ(paragrafi, (std::vector<std::size_t>{3, 3, 2, 4, 4, 4, 4}));
}

TEST(NoteScenario, SignedByTheTeamWithAnExampleAddress) {
  const std::vector<std::string> r = note();
  ASSERT_EQ(r.size(), 31U);
  EXPECT_EQ(riga(r, 30), " Autori: gruppo scenari Orsella - Drumvane");
  EXPECT_EQ(riga(r, 31), " Contatti: scenari@example.org");
}

TEST(NoteScenario, ComparesTheRunsTrainWithTheSheetsTrain) {
  const std::vector<std::string> r = note();
  ASSERT_EQ(r.size(), 31U);
  // The last paragraph sets this train against 40326 and states the goal.
  std::string ultimo;
  for (std::size_t n = 25; n <= 28; ++n) ultimo += riga(r, n) + "\n";
  EXPECT_NE(ultimo.find("40326"), std::string::npos) << ultimo;
  EXPECT_NE(ultimo.find("15 minuti"), std::string::npos) << ultimo;
  const lista_righe lista = righe_note();
  for (std::size_t i = 0; i < r.size(); ++i) EXPECT_EQ(lista[i], r[i]);
  EXPECT_EQ(lista[31], "riferimento fine del file");
}

}  // namespace
}  // namespace od
