#include "documents/abbreviazioni.h"

#include <array>
#include <utility>

namespace od {
namespace {

// Word and its abbreviation, as Italian timetables print them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 20> abbreviazioni{{
    {"stazione", "Staz."}, {"ponte", "P.te"},     {"porto", "P.to"},    {"porta", "P.ta"},  {"monte", "M.te"},
    {"borgo", "B.go"},     {"san", "S."},         {"santa", "S."},      {"santo", "S."},    {"castello", "Cast."},
    {"superiore", "Sup."}, {"inferiore", "Inf."}, {"centrale", "C.le"}, {"marina", "M.na"}, {"bivio", "Biv."},
    {"fermata", "Ferm."},  {"scalo", "Sc."},      {"piazza", "P.za"},   {"bagni", "B.gni"}, {"frazione", "Fraz."},
}};

char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char maiuscola(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool lettera(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string_view abbreviazione_di(std::string_view parola) {
  std::string bassa;
  for (char c : parola) bassa += minuscola(c);
  for (const auto& [intera, breve] : abbreviazioni) {
    if (bassa == intera) return breve;
  }
  return {};
}

bool in_maiuscole(std::string_view parola) {
  for (char c : parola) {
    if (c >= 'a' && c <= 'z') return false;
  }
  return true;
}

}  // namespace

std::string abbrevia(std::string_view nome, std::size_t massimo) {
  std::string testo(nome);
  std::size_t i = 0;
  while (testo.size() > massimo && i < testo.size()) {
    if (!lettera(testo[i])) {
      ++i;
      continue;
    }
    std::size_t fine = i;
    while (fine < testo.size() && lettera(testo[fine])) ++fine;
    const std::string_view parola = std::string_view(testo).substr(i, fine - i);
    std::string breve(abbreviazione_di(parola));
    if (!breve.empty() && in_maiuscole(parola)) {
      for (char& c : breve) c = maiuscola(c);
    }
    // A word followed by an apostrophe ("Sant'") or a point is already short.
    const bool legata = fine < testo.size() && (testo[fine] == '\'' || testo[fine] == '.');
    if (!breve.empty() && !legata) {
      testo.replace(i, fine - i, breve);
      fine = i + breve.size();
    }
    i = fine;
  }
  return testo;
}

}  // namespace od
