#include "tools/mostra/confronto.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <utility>

#include "elementi/elementi.h"
#include "elementi/tipi_oggetto.h"
#include "rilettura/confronto_campi.h"
#include "rilettura/confronto_planimetrie.h"
#include "tools/comune/testo_utf8.h"

namespace od {
namespace {

std::string testo_oggetto(uint8_t o) {
  const std::string_view nome = nome_oggetto(o);
  return fmt::format("{} ({})", o, nome.empty() ? "sconosciuto" : nome);
}

// A field's value as shown: a cell's item code with its name.
std::string valore(const campo_diverso& d, const std::string& testo, const cella& c) {
  return d.nome == "oggetto" ? testo_oggetto(c.oggetto) : testo;
}
std::string valore(const campo_diverso&, const std::string& testo, const voce&) { return testo; }

// "campo a -> b" for every field that differs, joined with ", ".
template <typename Record>
std::string cambiamenti(const Record& a, const Record& b, std::string_view salta = {}) {
  std::string t;
  for (const campo_diverso& c : campi_diversi(a, b)) {
    if (c.nome == salta) continue;
    if (!t.empty()) t += ", ";
    t += fmt::format("{} {} -> {}", c.nome, valore(c, c.primo, a), valore(c, c.secondo, b));
  }
  return t;
}

// What each table entry is in either scenario, to name it and place it.
struct ruolo_voce {
  bool stazione = false;
  std::optional<int32_t> posizione;  // a station's position or its sign's
};

std::map<int, ruolo_voce> ruoli(const elementi_linea& e, std::map<int, ruolo_voce> r) {
  for (const stazione_letta& s : e.stazioni) {
    ruolo_voce& x = r[s.numero];
    x.stazione = true;
    if (!x.posizione) x.posizione = s.dati.posizione;
  }
  for (const cartello_letto& c : e.cartelli) {
    ruolo_voce& x = r[c.voce];
    if (!x.posizione) x.posizione = c.posizione;
  }
  return r;
}

void confronta_tabelle(const scenario_letto& a, const scenario_letto& b, std::vector<differenza>& d) {
  const std::map<int, ruolo_voce> r = ruoli(estrai_elementi(b.stato), ruoli(estrai_elementi(a.stato), {}));
  for (int n = 0; n < voci_tabella; ++n) {
    const voce& va = a.stato.tabella[static_cast<std::size_t>(n)];
    const voce& vb = b.stato.tabella[static_cast<std::size_t>(n)];
    if (va == vb) continue;
    const auto trovato = r.find(n);
    const ruolo_voce ruolo = trovato != r.end() ? trovato->second : ruolo_voce{};
    if (!ruolo.stazione) {
      d.push_back({ruolo.posizione, fmt::format("voce {}", n), cambiamenti(va, vb)});
      continue;
    }
    const std::string nome = va.nome.empty() ? vb.nome : va.nome;
    std::string dettaglio;
    if (va.posizione != vb.posizione) {
      dettaglio = fmt::format("spostata da {} m a {} m", va.posizione, vb.posizione);
    }
    const std::string resto = cambiamenti(va, vb, "posizione");
    if (!resto.empty()) dettaglio += (dettaglio.empty() ? "" : "; ") + resto;
    d.push_back({ruolo.posizione, fmt::format("stazione {} {}", n, nome), dettaglio});
  }
}

void confronta_binari(const scenario_letto& a, const scenario_letto& b, std::vector<differenza>& d) {
  const std::size_t na = a.stato.binario.size(), nb = b.stato.binario.size();
  if (na != nb) d.push_back({std::nullopt, "binario", fmt::format("{} celle -> {} celle", na, nb)});
  std::vector<std::pair<int32_t, std::string>> cambiate;
  for (std::size_t c = 0; c < std::min(na, nb); ++c) {
    if (a.stato.binario[c] == b.stato.binario[c]) continue;
    cambiate.emplace_back(static_cast<int32_t>(c), cambiamenti(a.stato.binario[c], b.stato.binario[c]));
  }
  // One entry for a row of neighbouring cells with the same change, as when
  // a gradient line moves.
  for (std::size_t i = 0; i < cambiate.size();) {
    std::size_t j = i;
    while (j + 1 < cambiate.size() && cambiate[j + 1].first == cambiate[j].first + 1 &&
           cambiate[j + 1].second == cambiate[i].second) {
      ++j;
    }
    const int32_t da = cambiate[i].first, a_ = cambiate[j].first;
    d.push_back({inizio_cella(da), da == a_ ? fmt::format("cella {}", da) : fmt::format("celle {}-{}", da, a_),
                 cambiate[i].second});
    i = j + 1;
  }
}

void confronta_piani(const scenario_letto& a, const scenario_letto& b, std::vector<differenza>& d) {
  const bool pa = a.stato.con_planimetria != 0, pb = b.stato.con_planimetria != 0;
  if (!pa || !pb) {
    if (pa != pb) d.push_back({std::nullopt, "planimetria", pa ? "presente -> assente" : "assente -> presente"});
    return;
  }
  const planimetria &x = a.stato.planimetria, &y = b.stato.planimetria;
  if (x.righe() != y.righe())
    d.push_back({std::nullopt, "planimetria", fmt::format("{} righe -> {} righe", x.righe(), y.righe())});
  int32_t prima = -1, diverse = 0, riga_massimo = 0;
  double massimo = 0;
  confronta_planimetrie(x, y, [&](int32_t r, const riga_piano& p, const riga_piano& q) {
    if (prima < 0) prima = r;
    ++diverse;
    if (p.tipo != planimetria::tipo_riga::vuota && q.tipo != planimetria::tipo_riga::vuota) {
      const double scarto = std::hypot(p.punto.primo - q.punto.primo, p.punto.secondo - q.punto.secondo);
      if (scarto > massimo) {
        massimo = scarto;
        riga_massimo = r;
      }
    }
  });
  if (prima < 0) return;
  d.push_back({prima, "planimetria",
               fmt::format("{} righe diverse dalla riga {}; scarto massimo {:.3f} m alla riga {}", diverse, prima,
                           massimo, riga_massimo)});
}

void file_illeggibili(const scenario_letto& a, const scenario_letto& b, std::vector<differenza>& d) {
  const std::pair<const char*, bool scenario_letto::*> parti[] = {
      {"tabella delle voci", &scenario_letto::tabella_letta}, {"binario", &scenario_letto::binario_letto}};
  for (const auto& [nome, letta] : parti) {
    if (a.*letta && b.*letta) continue;
    d.push_back({std::nullopt, nome,
                 fmt::format("non confrontabile: non si decodifica nel {}", !(a.*letta) ? "primo" : "secondo")});
  }
}

}  // namespace

std::vector<differenza> confronta_scenari(const scenario_letto& primo, const scenario_letto& secondo) {
  std::vector<differenza> d;
  file_illeggibili(primo, secondo, d);
  if (primo.tabella_letta && secondo.tabella_letta && primo.binario_letto && secondo.binario_letto) {
    confronta_tabelle(primo, secondo, d);
  }
  if (primo.binario_letto && secondo.binario_letto) confronta_binari(primo, secondo, d);
  confronta_piani(primo, secondo, d);
  std::stable_sort(d.begin(), d.end(), [](const differenza& x, const differenza& y) {
    if (x.posizione.has_value() != y.posizione.has_value()) return !x.posizione.has_value();
    return x.posizione.value_or(0) < y.posizione.value_or(0);
  });
  return d;
}

void scrivi_differenze(const std::vector<differenza>& d, const std::string& primo, const std::string& secondo,
                       std::ostream& uscita) {
  if (d.empty()) {
    fmt::print(uscita, "Nessuna differenza tra {} e {}\n", primo, secondo);
    return;
  }
  fmt::print(uscita, "Differenze tra {} e {} ({})\n", primo, secondo, d.size());
  for (const differenza& x : d) {
    const std::string dove = x.posizione ? fmt::format("{} m", *x.posizione) : "-";
    fmt::print(uscita, "  {:>9}  {}: {}\n", dove, x.cosa, x.dettaglio);
  }
}

void scrivi_differenze_json(const std::vector<differenza>& d, const std::string& primo, const std::string& secondo,
                            std::ostream& uscita) {
  using json = nlohmann::ordered_json;
  json elenco = json::array();
  for (const differenza& x : d) {
    elenco.push_back({{"posizione", x.posizione ? json(*x.posizione) : json(nullptr)},
                      {"cosa", x.cosa},
                      {"dettaglio", x.dettaglio}});
  }
  const json radice = {{"primo", primo}, {"secondo", secondo}, {"differenze", elenco}};
  uscita << json_utf8(radice, 2) << '\n';
}

}  // namespace od
