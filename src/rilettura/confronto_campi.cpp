#include "rilettura/confronto_campi.h"

#include <fmt/format.h>

#include <utility>

#include "modello/campi.h"

namespace od {
namespace {

std::string testo_campo(const std::string& t) { return fmt::format("\"{}\"", t); }
template <typename Numero>
std::string testo_campo(Numero n) {
  return std::to_string(n);
}

template <typename Record>
std::vector<std::pair<std::string_view, std::string>> campi(const Record& r) {
  std::vector<std::pair<std::string_view, std::string>> a;
  per_ogni_campo(r, [&a](std::string_view nome, const auto& campo) { a.emplace_back(nome, testo_campo(campo)); });
  return a;
}

template <typename Record>
std::vector<campo_diverso> diversi(const Record& primo, const Record& secondo) {
  std::vector<campo_diverso> d;
  if (primo == secondo) return d;
  auto a = campi(primo);
  auto b = campi(secondo);
  for (std::size_t n = 0; n < a.size(); ++n) {
    if (a[n].second != b[n].second) d.push_back({a[n].first, std::move(a[n].second), std::move(b[n].second)});
  }
  return d;
}

}  // namespace

std::vector<campo_diverso> campi_diversi(const cella& primo, const cella& secondo) { return diversi(primo, secondo); }
std::vector<campo_diverso> campi_diversi(const voce& primo, const voce& secondo) { return diversi(primo, secondo); }

}  // namespace od
