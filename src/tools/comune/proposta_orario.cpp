#include "tools/comune/proposta_orario.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "percorrenza/avvisi_orario.h"
#include "percorrenza/marcia_tipo.h"
#include "percorrenza/orario.h"

namespace od {
namespace {

using json = nlohmann::ordered_json;

CLI::Validator percento_valido() {
  return CLI::Validator(
      [](std::string& testo) -> std::string {
        double x = 0;
        if (testo.empty()) return {};  // the option alone: the default allowance
        if (CLI::detail::lexical_cast(testo, x) && std::isfinite(x) && x >= 0 && x <= 100) return {};
        return fmt::format(
            "vuole un abbuono in percento da 0 a 100, attaccato con \"=\" (--proponi-orario=5), non \"{}\"", testo);
      },
      "");
}

std::string ora_o_vuota(const std::optional<int32_t>& x) { return x ? ora_esatta(*x) : std::string(); }
std::string con_segno(const std::optional<double>& x) {
  return x ? fmt::format("{:+} s", static_cast<int64_t>(std::nearbyint(*x))) : std::string();
}
json o_null(const std::optional<double>& x) {
  return x ? json(static_cast<int64_t>(std::nearbyint(*x))) : json(nullptr);
}

// The current times' margins, by station, against both runs.
struct margini_attuali {
  std::vector<std::optional<int32_t>> orario;
  std::vector<std::optional<double>> veloce, tipo;
};

margini_attuali margini_di(const scenario& stato, const proposta_orario& p, const opzioni_orario& o) {
  const tabella_orario veloce = calcola_orario(stato, o.treno, o.margine_minimo);
  const tabella_orario tipo = calcola_orario(stato, o.treno, o.margine_minimo, p.abbuono);
  margini_attuali m;
  for (std::size_t i = 0; i < p.stazioni.size(); ++i) {
    const bool c = i < veloce.stazioni.size() && i < tipo.stazioni.size();
    m.orario.push_back(c ? veloce.stazioni[i].orario : std::nullopt);
    m.veloce.push_back(c ? veloce.stazioni[i].margine : std::nullopt);
    m.tipo.push_back(c ? tipo.stazioni[i].margine : std::nullopt);
  }
  return m;
}

void scrivi_testo(const proposta_orario& p, const margini_attuali& m, std::ostream& u) {
  std::size_t larghezza = std::string("stazione").size();
  for (const stazione_proposta& s : p.stazioni) larghezza = std::max(larghezza, s.nome.size());
  fmt::print(u, "\n  {:<{}}  {:<11}  {:<8}  {:<8}  {:<8}  {:>8}  {:>12}\n", "stazione", larghezza, "marcia tipo",
             "arrivo", "partenza", "orario", "margine", "margine tipo");
  for (std::size_t i = 0; i < p.stazioni.size(); ++i) {
    const stazione_proposta& s = p.stazioni[i];
    const std::string tipo = i == 0 ? "" : ora_esatta(s.tipo);
    const std::string arrivo = i == 0 ? "" : ora_esatta(s.arrivo);
    const std::string riga =
        fmt::format("  {:<{}}  {:<11}  {:<8}  {:<8}  {:<8}  {:>8}  {:>12}", s.nome, larghezza, tipo, arrivo,
                    ora_o_vuota(s.partenza), ora_o_vuota(m.orario[i]), con_segno(m.veloce[i]), con_segno(m.tipo[i]));
    fmt::print(u, "{}\n", riga.substr(0, riga.find_last_not_of(' ') + 1));
  }
}

}  // namespace

double opzioni_proposta::percento() const {
  double x = abbuono_predefinito;
  if (!abbuono.empty() && !abbuono.front().empty()) CLI::detail::lexical_cast(abbuono.front(), x);
  return x;
}

void aggiungi_opzione_proposta(CLI::App& app, opzioni_proposta& o) {
  app.add_option("--proponi-orario", o.abbuono,
                 fmt::format("propone un orario: la marcia piu' veloce piu' un abbuono di regolarita' in percento "
                             "(per difetto {:g}), ai mezzi minuti",
                             abbuono_predefinito))
      ->expected(0, 1)
      ->type_name("[PERCENTO]")
      ->check(percento_valido())
      ->group("Orario");
}

bool proposta_chiesta(const CLI::App& app) { return app.count("--proponi-orario") > 0; }

json scrivi_proposta(const scenario& stato, const proposta_orario& p, const opzioni_orario& o, bool in_json,
                     std::ostream& u) {
  if (!in_json) {
    fmt::print(u, "Orario proposto: marcia tipo con abbuono di regolarita' del {:g} %, ai mezzi minuti per eccesso\n",
               p.abbuono);
    if (!p.errore.empty()) {
      fmt::print(u, "Nessuna proposta: {}\n", p.errore);
      return nullptr;
    }
    scrivi_testo(p, margini_di(stato, p, o), u);
    return nullptr;
  }
  json j = {{"abbuono", p.abbuono}, {"errore", p.errore.empty() ? json(nullptr) : json(p.errore)}};
  json stazioni = json::array();
  if (p.errore.empty()) {
    const margini_attuali m = margini_di(stato, p, o);
    for (std::size_t i = 0; i < p.stazioni.size(); ++i) {
      const stazione_proposta& s = p.stazioni[i];
      stazioni.push_back({{"voce", s.voce},
                          {"nome", s.nome},
                          {"ferma", s.ferma},
                          {"marcia_tipo", i == 0 ? json(nullptr) : o_null(s.tipo)},
                          {"arrivo", i == 0 ? json(nullptr) : json(s.arrivo)},
                          {"partenza", s.partenza ? json(*s.partenza) : json(nullptr)},
                          {"orario_proposto", s.orario ? json(*s.orario) : json(nullptr)},
                          {"orario", m.orario[i] ? json(*m.orario[i]) : json(nullptr)},
                          {"margine", o_null(m.veloce[i])},
                          {"margine_tipo", o_null(m.tipo[i])}});
    }
  }
  j["stazioni"] = stazioni;
  json membri;
  membri["proposta"] = j;
  return membri;
}

}  // namespace od
