// The plan of the line: the computed rows of the plan geometry, one per
// metre, thinned to one point every few metres, turned and scaled to fill
// the panel (the second coordinate pointing up), with the stations and the
// two ends marked and a scale bar along the line.
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

// The plan turned so that the line from its first point to its last runs
// across the panel, which a line is much longer than wide: then it fills the
// width. Where the same scale across would leave the drawing a thin strip,
// the scale across the line is enlarged, so that its curves show; the
// panel says by how much.
struct trasformazione {
  double scala = 1, esagerazione = 1, ox = 0, oy = 0, min_u = 0, max_v = 0, coseno = 1, seno = 0;
  punto operator()(double primo, double secondo) const {
    const double u = primo * coseno + secondo * seno, v = -primo * seno + secondo * coseno;
    return {ox + (u - min_u) * scala, oy + (max_v - v) * scala * esagerazione};
  }
};

trasformazione adatta(const planimetria& p, double x0, double y0, double larghezza, double altezza) {
  trasformazione t;
  const int32_t ultima = p.calcolate() - 1;
  const double angolo = std::atan2(p.secondo(ultima) - p.secondo(0), p.primo(ultima) - p.primo(0));
  t.coseno = std::cos(angolo);
  t.seno = std::sin(angolo);
  double min_u = std::numeric_limits<double>::max(), max_u = -min_u, min_v = min_u, max_v = -min_u;
  for (int32_t r = 0; r <= ultima; ++r) {
    const double u = p.primo(r) * t.coseno + p.secondo(r) * t.seno;
    const double v = -p.primo(r) * t.seno + p.secondo(r) * t.coseno;
    min_u = std::min(min_u, u);
    max_u = std::max(max_u, u);
    min_v = std::min(min_v, v);
    max_v = std::max(max_v, v);
  }
  const double du = std::max(max_u - min_u, 1.0), dv = std::max(max_v - min_v, 1.0);
  const double w = larghezza - 2 * margine, h = altezza - 2 * margine;
  t.scala = std::min(w / du, h / dv);
  // Less than half the height filled: enlarge across, by a round factor.
  if (dv * t.scala < h / 2) t.esagerazione = std::max(1.0, std::floor(h / (dv * t.scala)));
  t.min_u = min_u;
  t.max_v = max_v;
  t.ox = x0 + (larghezza - du * t.scala) / 2;
  t.oy = y0 + (altezza - dv * t.scala * t.esagerazione) / 2;
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
  if (t.esagerazione > 1) {
    c.d.testo(c.asse.destra() - 8, y + altezza - 10,
              fmt::format("pianta ruotata; scala trasversale {:g} volte quella lungo la linea", t.esagerazione),
              "tacca", "end");
  }
  return y + altezza;
}

}  // namespace od::svg
