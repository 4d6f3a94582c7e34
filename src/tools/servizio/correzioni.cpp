// Quick fixes: for the warnings whose sentence carries the build's own
// suggestion, the edit that applies it; for records out of order, the run of
// records of that kind around the line, sorted by position. The build says what it would have
// read ("forse 'stazione'?", "registrata come 85 km/h"); the fix writes that
// in place of the field the diagnostic points at, so the editor and the
// command line never disagree on what the suggestion is.
#include <algorithm>
#include <charconv>
#include <optional>
#include <regex>
#include <string>

#include "tools/comune/testo_utf8.h"
#include "tools/servizio/funzioni.h"
#include "tools/servizio/righe.h"

namespace od {
namespace {

using json = nlohmann::json;

struct proposta {
  std::string titolo;
  std::string testo;
};

std::optional<proposta> proposta_di(const std::string& nome, const std::string& messaggio) {
  std::smatch m;
  if (nome == "chiave-sconosciuta") {
    static const std::regex forse("forse '([^']+)'\\?");
    if (std::regex_search(messaggio, m, forse)) return proposta{"Scrivi '" + m[1].str() + "'", m[1].str()};
  }
  if (nome == "velocita-arrotondata") {
    static const std::regex come("registrata come (-?\\d+) km/h");
    if (std::regex_search(messaggio, m, come)) return proposta{"Scrivi " + m[1].str() + " km/h", m[1].str()};
  }
  return std::nullopt;
}

// The position (first value) of a record line, when it is a number.
std::optional<int64_t> posizione_della_riga(std::string_view riga) {
  const std::vector<campo_testo> campi = campi_della_riga(riga);
  if (campi.size() < 2) return std::nullopt;
  int64_t n = 0;
  const std::string_view t = campi[1].testo;
  const auto [fine, errore] = std::from_chars(t.data(), t.data() + t.size(), n);
  if (errore != std::errc{} || fine != t.data() + t.size()) return std::nullopt;
  return n;
}

// The lines next to `linea` that hold records of its kind, sorted by
// position (a stable sort: equal positions keep their order), as one edit;
// nothing when they are in order already or a position is not a number.
std::optional<json> riordino(const std::string& testo, bool file_linea, int linea) {
  const std::vector<std::string_view> righe = righe_del_testo(testo);
  if (linea < 0 || static_cast<std::size_t>(linea) >= righe.size()) return std::nullopt;
  const auto n = static_cast<std::size_t>(linea);
  const parte_file parte = parte_della_riga(righe, n, file_linea);
  auto tipo = [&](std::size_t i) {
    const record_schema* r = record_riconosciuto(parte, campi_della_riga(righe[i]).front().testo);
    return r != nullptr ? std::optional<tipo_record>(r->tipo) : std::nullopt;
  };
  const std::optional<tipo_record> questo = tipo(n);
  if (!questo) return std::nullopt;
  std::size_t da = n;
  std::size_t a = n + 1;
  while (da > 0 && tipo(da - 1) == questo) --da;
  while (a < righe.size() && tipo(a) == questo) ++a;
  std::vector<std::pair<int64_t, std::string_view>> blocco;
  for (std::size_t i = da; i < a; ++i) {
    const std::optional<int64_t> p = posizione_della_riga(righe[i]);
    if (!p) return std::nullopt;
    blocco.emplace_back(*p, righe[i]);
  }
  auto prima = [](const auto& x, const auto& y) { return x.first < y.first; };
  if (std::is_sorted(blocco.begin(), blocco.end(), prima)) return std::nullopt;
  std::stable_sort(blocco.begin(), blocco.end(), prima);
  const std::string a_capo = testo.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  std::string nuovo;
  for (const auto& [p, riga] : blocco) nuovo.append(riga).append(a_capo);
  return json{{"range", {{"start", {{"line", da}, {"character", 0}}}, {"end", {{"line", a}, {"character", 0}}}}},
              {"newText", testo_utf8(nuovo)}};
}

}  // namespace

json correzioni(const std::string& uri, const std::string& testo, bool file_linea, const json& diagnostiche) {
  json azioni = json::array();
  if (!diagnostiche.is_array()) return azioni;
  for (const json& d : diagnostiche) {
    if (!d.is_object() || !d.contains("code") || !d["code"].is_string() || !d.contains("range")) continue;
    if (d["code"] == "ordine-posizioni") {
      const std::optional<json> m = riordino(testo, file_linea, d["range"]["start"].value("line", -1));
      if (!m) continue;
      azioni.push_back({{"title", "Rimetti in ordine di posizione"},
                        {"kind", "quickfix"},
                        {"diagnostics", json::array({d})},
                        {"edit", {{"changes", {{uri, json::array({*m})}}}}}});
      continue;
    }
    const std::optional<proposta> p = proposta_di(d["code"].get<std::string>(), d.value("message", std::string{}));
    if (!p) continue;
    json modifica = {{"range", d["range"]}, {"newText", p->testo}};
    azioni.push_back({{"title", p->titolo},
                      {"kind", "quickfix"},
                      {"diagnostics", json::array({d})},
                      {"isPreferred", true},
                      {"edit", {{"changes", {{uri, json::array({modifica})}}}}}});
  }
  return azioni;
}

}  // namespace od
