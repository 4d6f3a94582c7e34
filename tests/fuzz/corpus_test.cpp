// Replays every committed fuzz input, seeds and regressions alike, through
// the same invariants as the fuzz targets, in the normal test suite.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "../../fuzz/invarianti.h"
#include "scenario_text/lista_righe.h"
#include "scenario_text/scenario_carico.h"

namespace od {
namespace {

std::string leggi(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ripeti(const std::string& cartella, const std::function<std::string(const std::string&)>& prova) {
  const std::filesystem::path radice = std::filesystem::path(OD_CORPUS) / cartella;
  ASSERT_TRUE(std::filesystem::is_directory(radice)) << radice;
  int file = 0;
  for (const auto& voce : std::filesystem::recursive_directory_iterator(radice)) {
    if (!voce.is_regular_file()) continue;
    ++file;
    EXPECT_EQ(prova(leggi(voce.path())), "") << voce.path();
  }
  EXPECT_GT(file, 0);
}

TEST(CorpusFuzz, LineaTrenoECostruzioneRispettanoGliInvarianti) {
  const std::string treno_vuoto = "[generale]\r\n[fine]\r\n";
  ripeti("linea", [&](const std::string& t) { return fuzz::verifica(t, treno_vuoto, false); });
  ripeti("planimetria",
         [&](const std::string& t) { return fuzz::verifica(t, treno_vuoto, false, fuzz::planimetria_sempre); });
  ripeti("treno", [](const std::string& t) { return fuzz::verifica(fuzz::linea_per_treno, t, false); });
  const std::string linea = testo_righe(righe_linea());
  ripeti("treno", [&](const std::string& t) { return fuzz::verifica(linea, t, false); });
  ripeti("build", [](const std::string& t) {
    const auto [l, tr] = fuzz::dividi_coppia(t);
    return fuzz::verifica(l, tr, true, fuzz::planimetria_mai) + fuzz::verifica(l, tr, true);
  });
}

}  // namespace
}  // namespace od
