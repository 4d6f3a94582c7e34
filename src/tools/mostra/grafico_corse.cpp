#include "tools/mostra/grafico_corse.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <vector>

#include "modello/misure_linea.h"

namespace od {
namespace {

// The run of `t` on the clock: its own times shifted by every wait at a stop.
std::vector<punto> corsa(const scala_grafico& s, const tabella_orario& t) {
  const marcia& m = t.corsa;
  // Per boundary of a stop: how long the train stands there.
  std::map<int32_t, double> attese;
  for (std::size_t i = 1; i + 1 < t.stazioni.size(); ++i) {
    const tempo_stazione& x = t.stazioni[i];
    if (!x.ferma || !x.partenza) continue;
    const double parte = std::max(*x.partenza, static_cast<double>(x.orario.value_or(0)));
    attese[x.punto / metri_cella] = parte - x.arrivo;
  }
  std::vector<punto> punti;
  double spostamento = t.stazioni.front().arrivo;
  for (std::size_t i = 0; i < m.tempo.size(); ++i) {
    const int32_t bordo = m.primo + static_cast<int32_t>(i);
    const double y = s.y(static_cast<double>(bordo) * metri_cella);
    punti.emplace_back(s.x(m.tempo[i] + spostamento), y);
    if (const auto a = attese.find(bordo); a != attese.end()) {
      spostamento += a->second;
      punti.emplace_back(s.x(m.tempo[i] + spostamento), y);
    }
  }
  return punti;
}

// The scheduled times of `t`, from station `da` to station `a`: a stop as
// its arrival (the time less the stop time) and its departure.
std::vector<punto> previsto(const scala_grafico& s, const scenario& stato, const tabella_orario& t, std::size_t da,
                            std::size_t a) {
  std::vector<punto> punti;
  for (std::size_t i = da; i <= a && i < t.stazioni.size(); ++i) {
    const tempo_stazione& x = t.stazioni[i];
    if (!x.orario) continue;
    const double y = s.y(x.punto);
    const bool sosta = x.ferma && x.partenza && i > 0 && i + 1 < t.stazioni.size();
    if (sosta && i != da) punti.emplace_back(s.x(*x.orario - stato.tabella[static_cast<std::size_t>(x.voce)].sosta), y);
    if (!sosta || i != a) punti.emplace_back(s.x(*x.orario), y);
  }
  return punti;
}

}  // namespace

void disegna_corse(disegno& d, const scala_grafico& s, const scenario& stato, const tabella_orario& veloce,
                   const tabella_orario& tipo) {
  for (const avviso_orario& a : veloce.avvisi) {
    const bool impossibile = a.genere == avviso_orario::tipo::impossibile;
    if ((!impossibile && a.genere != avviso_orario::tipo::stretto) || a.tratta >= veloce.tratte.size()) continue;
    const tempo_tratta& x = veloce.tratte[a.tratta];
    d.polilinea(previsto(s, stato, veloce, x.da, x.a), impossibile ? "impossibile" : "stretto");
  }
  if (tipo.errore.empty()) d.polilinea(corsa(s, tipo), "tipo");
  d.polilinea(corsa(s, veloce), "veloce");
  d.polilinea(previsto(s, stato, veloce, 0, veloce.stazioni.size() - 1), "previsto");
}

}  // namespace od
