#include "tools/comune/tabella_orario.h"

#include "elementi/voci_generali.h"
#include "percorrenza/avvisi_orario.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <algorithm>
#include <cmath>

namespace od {
namespace {

using json = nlohmann::ordered_json;

int64_t secondi(double x) { return secondi_interi(x); }

std::string km(int64_t metri) {
  const int64_t m = metri < 0 ? -metri : metri;
  return fmt::format("{}{}.{:03}", metri < 0 ? "-" : "", m / 1000, m % 1000);
}

std::string con_segno(double x) { return fmt::format("{:+} s", secondi(x)); }

std::string descrivi_treno(const scenario& stato, const opzioni_orario& o) {
  const treno_percorrenza& t = o.treno;
  const std::string velocita = t.velocita_massima > 0 ? fmt::format("fino a {:g} km/h", t.velocita_massima)
                                                      : std::string("senza velocita' massima propria");
  return fmt::format("accelerazione {:g} m/s2, frenatura {:g} m/s2, {}, {} vetture da {:g} m; margine minimo {:g} %",
                     t.accelerazione, t.frenatura, velocita, vetture(stato), t.lunghezza_vettura, o.margine_minimo);
}

const std::string& nome_di(const tabella_orario& t, std::size_t i) { return t.stazioni[i].nome; }

json o_null(const std::optional<double>& x) { return x ? json(secondi(*x)) : json(nullptr); }

}  // namespace

void scrivi_tabella_orario(const tabella_orario& t, const scenario& stato, const opzioni_orario& o, std::ostream& u) {
  fmt::print(u, "Orario: {}\n", descrivi_treno(stato, o));
  if (!t.errore.empty()) {
    fmt::print(u, "Nessuna tabella: {}\n", t.errore);
    return;
  }
  std::size_t larghezza = std::string("stazione").size();
  for (const tempo_stazione& x : t.stazioni) larghezza = std::max(larghezza, x.nome.size());
  fmt::print(u, "\n  {:<{}}  {:>9}  {:>11}  {:<8}  {:<8}  {:<8}  {:>8}\n", "stazione", larghezza, "posizione",
             "progressiva", "arrivo", "partenza", "orario", "margine");
  for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
    const tempo_stazione& x = t.stazioni[i];
    const std::string arrivo = i == 0 ? "" : ora_esatta(x.arrivo);
    const std::string partenza = x.partenza ? ora_esatta(*x.partenza) : "";
    const std::string orario = x.orario ? ora_esatta(*x.orario) : "";
    const std::string margine = x.margine ? con_segno(*x.margine) : "";
    const std::string riga = fmt::format("  {:<{}}  {:>7} m  {:>11}  {:<8}  {:<8}  {:<8}  {:>8}", x.nome, larghezza,
                                         x.posizione, km(x.progressiva), arrivo, partenza, orario, margine);
    fmt::print(u, "{}\n", riga.substr(0, riga.find_last_not_of(' ') + 1));
  }
  if (t.tratte.empty()) return;
  std::size_t tratta = std::string("tratta").size();
  for (const tempo_tratta& x : t.tratte)
    tratta = std::max(tratta, nome_di(t, x.da).size() + 3 + nome_di(t, x.a).size());
  fmt::print(u, "\n  {:<{}}  {:>8}  {:>8}  {:>8}  {:>7}\n", "tratta", tratta, "minimo", "previsto", "margine", "%");
  for (const tempo_tratta& x : t.tratte) {
    fmt::print(u, "  {:<{}}  {:>6} s  {:>6} s  {:>8}  {:>7.1f}\n", nome_di(t, x.da) + " - " + nome_di(t, x.a), tratta,
               secondi(x.minimo), x.previsto, con_segno(x.margine), x.percento);
  }
}

json json_orario(const tabella_orario& t, const scenario& stato, const opzioni_orario& o) {
  const treno_percorrenza& tr = o.treno;
  json j = {{"treno",
             {{"accelerazione", tr.accelerazione},
              {"frenatura", tr.frenatura},
              {"velocita_massima", tr.velocita_massima > 0 ? json(tr.velocita_massima) : json(nullptr)},
              {"lunghezza_vettura", tr.lunghezza_vettura},
              {"vetture", vetture(stato)}}},
            {"margine_minimo", o.margine_minimo},
            {"errore", t.errore.empty() ? json(nullptr) : json(t.errore)}};
  json stazioni = json::array();
  for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
    const tempo_stazione& x = t.stazioni[i];
    stazioni.push_back({{"voce", x.voce},
                        {"nome", x.nome},
                        {"posizione", x.posizione},
                        {"progressiva", x.progressiva},
                        {"ferma", x.ferma},
                        {"arrivo", i == 0 ? json(nullptr) : json(secondi(x.arrivo))},
                        {"partenza", o_null(x.partenza)},
                        {"orario", x.orario ? json(*x.orario) : json(nullptr)},
                        {"margine", o_null(x.margine)}});
  }
  j["stazioni"] = stazioni;
  json tratte = json::array();
  for (const tempo_tratta& x : t.tratte) {
    tratte.push_back({{"da", nome_di(t, x.da)},
                      {"a", nome_di(t, x.a)},
                      {"minimo", secondi(x.minimo)},
                      {"previsto", x.previsto},
                      {"margine", secondi(x.margine)},
                      {"percento", std::nearbyint(x.percento * 10) / 10}});
  }
  j["tratte"] = tratte;
  json avvisi = json::array();
  for (const avviso_orario& a : t.avvisi)
    avvisi.push_back({{"nome", nome_avviso(a)}, {"messaggio", frase_avviso(t, a)}});
  j["avvisi"] = avvisi;
  return j;
}

}  // namespace od
