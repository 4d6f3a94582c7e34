#include "rilettura/planimetria_a_blocchi.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "output/file_binari.h"
#include "rilettura/lettura_binari.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

// Longer than a block in each column, so that elements straddle blocks;
// two runs and empty rows after them.
planimetria piano_lungo() {
  planimetria p;
  p.crea(99999);
  p.avvia();
  p.prolunga(30000, 0.001);
  p.prolunga(60001, 0.0);
  return p;
}

std::vector<planimetria::punto> righe_sfogliate(const std::string& file, std::optional<forma_planimetria>& forma) {
  std::vector<planimetria::punto> righe;
  forma = sfoglia_planimetria(
      file, [&](std::span<const planimetria::punto> lotto) { righe.insert(righe.end(), lotto.begin(), lotto.end()); });
  return righe;
}

bool stessi_bit(const planimetria::punto& a, const planimetria::punto& b) {
  return std::bit_cast<uint64_t>(a.primo) == std::bit_cast<uint64_t>(b.primo) &&
         std::bit_cast<uint64_t>(a.secondo) == std::bit_cast<uint64_t>(b.secondo);
}

TEST(PlanimetriaABlocchi, TheRowsOfTheWholeFileDecoderAndOnlyThePlansItTakes) {
  const test::cartella_temporanea c;
  const std::string file = c.file("P_linea.dat");
  const planimetria p = piano_lungo();
  const std::string immagine = immagine_planimetria(p);
  c.scrivi("P_linea.dat", immagine);

  std::optional<forma_planimetria> forma;
  const std::vector<planimetria::punto> righe = righe_sfogliate(file, forma);
  ASSERT_TRUE(forma.has_value());
  EXPECT_EQ(forma->righe, 100000);
  EXPECT_EQ(forma->calcolate, 60002);
  EXPECT_EQ(forma->byte, immagine.size());
  planimetria letta;
  decodifica_planimetria(immagine, "P_linea.dat", letta);
  std::vector<planimetria::punto> attese;
  letta.per_ogni_riga([&](const planimetria::punto& q) { attese.push_back(q); });
  ASSERT_EQ(righe.size() + 2, attese.size());
  for (std::size_t r = 0; r < righe.size(); ++r) ASSERT_TRUE(stessi_bit(righe[r], attese[r + 2])) << "riga " << r + 2;
  EXPECT_TRUE(stessi_byte_del_file(p, file));
  planimetria piu_lungo = piano_lungo();
  piu_lungo.prolunga(60002, 0.0);
  EXPECT_FALSE(stessi_byte_del_file(piu_lungo, file));

  const std::size_t colonna = immagine.size() / 2;
  for (const std::string& guasta :
       {immagine.substr(0, immagine.size() - 2), std::string(immagine).replace(8 + 10 * 7000, 1, "\x09"),
        std::string(immagine).replace(colonna - 2, 2, std::string("\x05\x00", 2)),
        std::string(immagine).replace(colonna + 6, 1, "\x03"), std::string()}) {
    c.scrivi("P_linea.dat", guasta);
    righe_sfogliate(file, forma);
    EXPECT_FALSE(forma.has_value()) << guasta.size();
  }
  EXPECT_FALSE(sfoglia_planimetria(c.file("manca.dat"), [](std::span<const planimetria::punto>) {}).has_value());

  // A plan never started: empty elements only.
  c.scrivi("P_linea.dat", std::string(8, '\0'));
  righe_sfogliate(file, forma);
  ASSERT_TRUE(forma.has_value());
  EXPECT_EQ(forma->righe, 2);
  EXPECT_EQ(forma->calcolate, 0);
}

}  // namespace
}  // namespace od
