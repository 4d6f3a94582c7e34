#include "documents/testo_documenti.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "documents/abbreviazioni.h"

namespace od {
namespace {

constexpr int64_t mezzi_minuti_giorno = 24 * 60 * 2;

// Plain ASCII case changes: the names are 8-bit text, and a letter beyond
// ASCII is left as written.
char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char maiuscola(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool separa_parole(char c) { return c == ' ' || c == '-' || c == '\'' || c == '.' || c == '(' || c == '/'; }

constexpr std::array<std::string_view, 19> parole_legame{"di",   "del", "della", "dello", "dei", "degli", "delle",
                                                         "da",   "dal", "dalla", "in",    "e",   "al",    "alla",
                                                         "allo", "sul", "sulla", "sullo", "sui"};

bool legame(std::string_view parola) {
  for (std::string_view p : parole_legame) {
    if (p == parola) return true;
  }
  return false;
}

}  // namespace

std::string ora_documento(double secondi) {
  // No calculation gives such a time; a cell left blank is better than a wrong one.
  if (!std::isfinite(secondi) || std::fabs(secondi) > 1e12) return {};
  const auto mezzi = static_cast<int64_t>(std::nearbyint(secondi / 30.0));
  const int64_t nel_giorno = ((mezzi % mezzi_minuti_giorno) + mezzi_minuti_giorno) % mezzi_minuti_giorno;
  const int64_t minuti = nel_giorno / 2;
  char testo[16];
  std::snprintf(testo, sizeof testo, "%02d.%02d%s", static_cast<int>(minuti / 60), static_cast<int>(minuti % 60),
                nel_giorno % 2 != 0 ? "+" : "");
  return testo;
}

std::string chilometri(int64_t metri) {
  const int64_t assoluti = metri < 0 ? -metri : metri;
  char testo[32];
  std::snprintf(testo, sizeof testo, "%s%lld.%03lld", metri < 0 ? "-" : "", static_cast<long long>(assoluti / 1000),
                static_cast<long long>(assoluti % 1000));
  return testo;
}

std::string come_nome_proprio(std::string_view nome) {
  std::string scritto;
  std::size_t i = 0;
  while (i < nome.size()) {
    if (separa_parole(nome[i])) {
      scritto += nome[i++];
      continue;
    }
    std::size_t fine = i;
    while (fine < nome.size() && !separa_parole(nome[fine])) ++fine;
    std::string parola;
    for (std::size_t k = i; k < fine; ++k) parola += minuscola(nome[k]);
    // A linking word stays small inside a name, never at its start and
    // never before an apostrophe ("D'Arvello").
    const bool piccola = !scritto.empty() && legame(parola) && (fine == nome.size() || nome[fine] == ' ');
    if (!piccola) parola[0] = maiuscola(parola[0]);
    scritto += parola;
    i = fine;
  }
  return scritto;
}

std::string taglia(std::string_view testo, std::size_t massimo, std::string_view cosa, avvisi_documenti& avvisi) {
  if (testo.size() <= massimo) return std::string(testo);
  std::string tagliato(testo.substr(0, massimo));
  avvisi.push_back(std::string(cosa) + ": \"" + std::string(testo) + "\" non sta in " + std::to_string(massimo) +
                   " caratteri, scritto \"" + tagliato + "\"");
  return tagliato;
}

std::string accorcia(std::string_view nome, std::size_t massimo, std::string_view cosa, avvisi_documenti& avvisi) {
  const std::string breve = abbrevia(nome, massimo);
  if (breve.size() <= massimo) return breve;
  avvisi_documenti scartati;
  const std::string tagliato = taglia(breve, massimo, cosa, scartati);
  avvisi.push_back(std::string(cosa) + ": \"" + std::string(nome) + "\" non sta in " + std::to_string(massimo) +
                   " caratteri, scritto \"" + tagliato + "\"");
  return tagliato;
}

}  // namespace od
