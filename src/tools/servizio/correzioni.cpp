// Quick fixes: for the warnings whose sentence carries the build's own
// suggestion, the edit that applies it. The build says what it would have
// read ("forse 'stazione'?", "registrata come 85 km/h"); the fix writes that
// in place of the field the diagnostic points at, so the editor and the
// command line never disagree on what the suggestion is.
#include <optional>
#include <regex>
#include <string>

#include "tools/comune/testo_utf8.h"
#include "tools/servizio/funzioni.h"

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

}  // namespace

json correzioni(const std::string& uri, const json& diagnostiche) {
  json azioni = json::array();
  if (!diagnostiche.is_array()) return azioni;
  for (const json& d : diagnostiche) {
    if (!d.is_object() || !d.contains("code") || !d["code"].is_string() || !d.contains("range")) continue;
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
