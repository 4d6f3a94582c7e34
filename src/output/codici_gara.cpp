#include "output/codici_gara.h"

#include <string>

namespace od {
namespace {

constexpr std::string_view riempimento = "aabbccddeeffgghhiillmmnnoo";
constexpr int caratteri_contati = 25;

// Train name, route name (as the table holds them), lower-cased, then the padding.
std::string testo_codice(const scenario& stato) {
  std::string testo = stato.tabella[voce_ripetizione].nome + stato.tabella[voce_percorso].nome;
  for (char& c : testo) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  testo += riempimento;
  return testo;
}

int32_t codice_carattere(char c) { return static_cast<unsigned char>(c); }

}  // namespace

int16_t codice_gara_og(const scenario& stato) {
  const std::string testo = testo_codice(stato);
  int32_t somma = 0;
  for (int p = 1; p <= caratteri_contati; ++p) somma += codice_carattere(testo[static_cast<std::size_t>(p - 1)]);
  return static_cast<int16_t>(somma);
}

int32_t codice_gara_st(const scenario& stato) {
  const std::string testo = testo_codice(stato);
  int32_t somma = 0;
  for (int p = 1; p <= caratteri_contati; ++p) somma += p * codice_carattere(testo[static_cast<std::size_t>(p - 1)]);
  return somma;
}

}  // namespace od
