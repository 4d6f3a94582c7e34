// The plan of the line: the computed rows of the plan geometry, one per
// metre, thinned to one point every few metres, scaled into the panel with
// equal scales on both axes (the second coordinate pointing up), with the
// stations and the two ends marked and a scale bar.
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "tools/mostra/etichette.h"
#include "tools/mostra/svg_interno.h"

namespace od::svg {
namespace {

constexpr int32_t passo_righe = 20;  // metres between the points drawn
constexpr double margine = 24;

struct trasformazione {
  double scala = 1, ox = 0, oy = 0, min_x = 0, max_y = 0;
  punto operator()(double primo, double secondo) const {
    return {ox + (primo - min_x) * scala, oy + (max_y - secondo) * scala};
  }
};

trasformazione adatta(const planimetria& p, double x0, double y0, double larghezza, double altezza) {
  double min_x = std::numeric_limits<double>::max(), max_x = -min_x, min_y = min_x, max_y = -min_x;
  for (int32_t r = 0; r < p.calcolate(); ++r) {
    min_x = std::min(min_x, p.primo(r));
    max_x = std::max(max_x, p.primo(r));
    min_y = std::min(min_y, p.secondo(r));
    max_y = std::max(max_y, p.secondo(r));
  }
  const double dx = std::max(max_x - min_x, 1.0), dy = std::max(max_y - min_y, 1.0);
  trasformazione t;
  t.scala = std::min((larghezza - 2 * margine) / dx, (altezza - 2 * margine) / dy);
  t.min_x = min_x;
  t.max_y = max_y;
  t.ox = x0 + (larghezza - dx * t.scala) / 2;
  t.oy = y0 + (altezza - dy * t.scala) / 2;
  return t;
}

// The next round length below `metri` (5 -> 2 -> 1 -> 0.5 ...).
double passo_sotto(double metri) {
  const double potenza = std::pow(10.0, std::floor(std::log10(metri) + 1e-9));
  const double m = metri / potenza;
  return m > 4.9 ? 2 * potenza : m > 1.9 ? potenza : potenza / 2;
}

// Scale bar of a round length, at most a sixth of the panel.
void scala_grafica(disegno& d, const trasformazione& t, double x, double y, double larghezza) {
  double metri = passo_tondo(larghezza / 6 / t.scala, 1);
  while (metri * t.scala > larghezza / 6 && metri > 1) metri = passo_sotto(metri);
  const double px = metri * t.scala;
  d.linea(x, y, x + px, y, "barra-scala");
  d.linea(x, y - 4, x, y + 4, "barra-scala");
  d.linea(x + px, y - 4, x + px, y + 4, "barra-scala");
  const std::string testo = metri >= 1000 ? fmt::format("{:g} km", metri / 1000) : fmt::format("{:g} m", metri);
  d.testo(x + px / 2, y - 7, testo, "tacca", "middle");
}

struct punto_nominato {
  int32_t riga = 0;
  std::string nome;
  std::string classe;
};

// Labels keep off the drawn track as well as off each other.
void nomi_sul_piano(disegno& d, const planimetria& p, const trasformazione& t, const std::vector<punto>& tracciato,
                    const std::vector<punto_nominato>& punti) {
  std::vector<riquadro> occupati;
  for (const auto& [x, y] : tracciato) occupati.push_back({x - 2, y - 2, 4, 4});
  for (const punto_nominato& n : punti) {
    const auto [x, y] = t(p.primo(n.riga), p.secondo(n.riga));
    occupati.push_back({x - 4, y - 4, 8, 8});
  }
  for (const punto_nominato& n : punti) {
    const auto [x, y] = t(p.primo(n.riga), p.secondo(n.riga));
    d.cerchio(x, y, 4, n.classe);
    const double w = larghezza_testo(n.nome, corpo_etichetta);
    const riquadro r = posto_libero(x, y, w, corpo_etichetta + 2, occupati);
    occupati.push_back(r);
    // A label pushed away from its point keeps a thin line back to it.
    const double vx = std::clamp(x, r.x, r.x + r.larghezza), vy = std::clamp(y, r.y, r.y + r.altezza);
    if (std::hypot(vx - x, vy - y) > 10) d.linea(x, y, vx, vy, "guida-piano");
    d.testo(r.x, r.y + corpo_etichetta, n.nome, "etichetta-piano");
  }
}

}  // namespace

double disegna_piano(contesto& c, double y, double altezza) {
  const planimetria& p = c.stato.planimetria;
  intestazione(c, y, "Planimetria");
  y += altezza_intestazione;
  if (c.stato.con_planimetria == 0 || p.calcolate() < 2) {
    c.d.testo(c.asse.x0, y + 16, "planimetria assente: nessun file della planimetria, o nessuna riga calcolata",
              "tacca");
    return y + 30;
  }
  c.d.rettangolo(c.asse.x0, y, c.asse.larghezza, altezza, "cornice");
  const trasformazione t = adatta(p, c.asse.x0, y, c.asse.larghezza, altezza);
  std::vector<punto> tracciato;
  for (int32_t r = 0; r < p.calcolate(); r += passo_righe) tracciato.push_back(t(p.primo(r), p.secondo(r)));
  tracciato.push_back(t(p.primo(p.calcolate() - 1), p.secondo(p.calcolate() - 1)));
  c.d.polilinea(tracciato, "tracciato");

  auto in_piano = [&](int32_t m) { return std::clamp(m, 0, p.calcolate() - 1); };
  std::vector<punto_nominato> punti;
  for (const stazione_letta& s : c.e.stazioni) {
    punti.push_back({in_piano(s.dati.posizione), s.dati.nome, "stazione"});
  }
  if (c.e.stazioni.empty()) punti.push_back({0, "inizio", "estremo"});
  punti.push_back({in_piano(c.e.generale.lunghezza_linea), "fine linea", "estremo"});
  nomi_sul_piano(c.d, p, t, tracciato, punti);
  scala_grafica(c.d, t, c.asse.x0 + 16, y + altezza - 14, c.asse.larghezza);
  return y + altezza;
}

}  // namespace od::svg
