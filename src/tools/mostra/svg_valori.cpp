// The running values along the common axis: the height profile, integrated
// cell by cell from the gradients (50 m at g per mille rise 0.05 g m), the
// speed limit and the adhesion as steps, and the mountain-side runs as bars.
#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "tools/mostra/etichette.h"
#include "tools/mostra/svg_interno.h"

namespace od::svg {

double passo_tondo(double ampiezza, int quante) {
  if (!(ampiezza > 0)) return 1;
  const double grezzo = ampiezza / quante;
  const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * potenza >= grezzo) return m * potenza;
  }
  return 10 * potenza;
}

void intestazione(contesto& c, double y, const std::string& titolo) {
  c.d.testo(c.asse.x0, y + 13, titolo, "titolo-pannello");
}

void pannello::cornice_e_tacche(const char* unita, int tacche) {
  c.d.rettangolo(c.asse.x0, y, c.asse.larghezza, altezza, "cornice");
  const double passo = passo_tondo(alto - basso, tacche);
  for (double v = std::ceil(basso / passo) * passo; v <= alto + passo * 1e-9; v += passo) {
    c.d.linea(c.asse.x0 - 4, yv(v), c.asse.x0, yv(v), "asse");
    c.d.linea(c.asse.x0, yv(v), c.asse.destra(), yv(v), "griglia");
    const double tondo = std::abs(v) < passo * 1e-6 ? 0.0 : v;  // no "-0" from accumulated steps
    c.d.testo(c.asse.x0 - 6, yv(v) + 4, fmt::format("{:g}{}", tondo, unita), "tacca", "end");
  }
}

namespace {

void gradini(contesto& c, const pannello& p, const std::vector<tratto>& t, int scala, const char* classe) {
  std::vector<punto> punti;
  for (const tratto& x : t) {
    const double v = p.yv(x.valore * scala);
    punti.emplace_back(c.asse.x(inizio_cella(x.da)), v);
    punti.emplace_back(c.asse.x(inizio_cella(x.a + 1)), v);
  }
  c.d.polilinea(punti, classe);
}

double massimo(const std::vector<tratto>& t, int scala, double almeno) {
  double m = almeno;
  for (const tratto& x : t) m = std::max(m, static_cast<double>(x.valore * scala));
  return m;
}

// The gradient of every run, in per mille, under the profile where it
// begins; in rows, so that no label covers another.
double pendenze(contesto& c, double y) {
  std::vector<estensione> estensioni;
  std::vector<std::string> testi;
  std::vector<double> xs;
  for (const tratto& t : c.e.pendenze) {
    const double x = c.asse.x(inizio_cella(t.da));
    testi.push_back(fmt::format("{:+}\u2030", t.valore - 100));
    xs.push_back(x);
    estensioni.push_back({x + 1, x + 1 + larghezza_testo(testi.back(), corpo_etichetta)});
  }
  const std::vector<int> righe = disponi_in_righe(estensioni, 4);
  int quante = 0;
  for (std::size_t n = 0; n < testi.size(); ++n) {
    const double y_testo = y + 12 + 12 * righe[n];
    c.d.linea(xs[n], y, xs[n], y_testo - 8, "guida");
    c.d.testo(estensioni[n].sinistra, y_testo, testi[n], "tacca");
    quante = std::max(quante, righe[n] + 1);
  }
  return y + 12 * quante + 10;
}

double profilo(contesto& c, double y) {
  intestazione(c, y, "Profilo altimetrico (quota relativa all'inizio, m)");
  y += altezza_intestazione;
  std::vector<double> quote{0};
  for (const tratto& x : c.e.pendenze) {
    for (int32_t k = x.da; k <= x.a; ++k) quote.push_back(quote.back() + (x.valore - 100) * 0.05);
  }
  const auto [minimo, massimo_] = std::minmax_element(quote.begin(), quote.end());
  const double margine = std::max((*massimo_ - *minimo) * 0.08, 5.0);
  pannello p{c, y, 170, *minimo - margine, *massimo_ + margine};
  p.cornice_e_tacche("", 7);
  std::vector<punto> area{{c.asse.x(0), p.yv(p.basso)}};
  for (std::size_t k = 0; k < quote.size(); ++k) {
    area.emplace_back(c.asse.x(inizio_cella(static_cast<int32_t>(k))), p.yv(quote[k]));
  }
  area.emplace_back(area.back().first, p.yv(p.basso));
  c.d.poligono(area, "profilo");
  return pendenze(c, y + p.altezza);
}

double velocita(contesto& c, double y) {
  intestazione(c, y, "Velocita' massima (km/h)");
  y += altezza_intestazione;
  pannello p{c, y, 90, 0, massimo(c.e.velocita, 5, 20) * 1.15};
  p.cornice_e_tacche("");
  gradini(c, p, c.e.velocita, 5, "velocita");
  return y + p.altezza + 8;
}

double aderenza(contesto& c, double y) {
  intestazione(c, y, "Aderenza (%)");
  y += altezza_intestazione;
  pannello p{c, y, 70, 0, massimo(c.e.aderenze, 1, 100) * 1.1};
  p.cornice_e_tacche("");
  gradini(c, p, c.e.aderenze, 1, "aderenza");
  return y + p.altezza + 8;
}

double montagne(contesto& c, double y) {
  intestazione(c, y, "Lato montagna (tipo 1, 2, 3)");
  y += altezza_intestazione;
  constexpr double altezza = 18;
  c.d.rettangolo(c.asse.x0, y, c.asse.larghezza, altezza, "cornice");
  for (const tratto& m : c.e.montagne) {
    const double x1 = c.asse.x(inizio_cella(m.da)), x2 = c.asse.x(inizio_cella(m.a + 1));
    c.d.rettangolo(x1, y + 2, std::max(x2 - x1, 1.0), altezza - 4,
                   fmt::format("montagna-{}", std::clamp(m.valore, 1, 3)));
  }
  return y + altezza + 8;
}

}  // namespace

double disegna_valori(contesto& c, double y) {
  y = profilo(c, y);
  y = velocita(c, y);
  y = aderenza(c, y);
  return montagne(c, y);
}

double disegna_asse_km(contesto& c, double y) {
  const double km = c.asse.metri / 1000;
  const double passo = passo_tondo(km, 25);
  for (double k = 0; k <= km + 1e-9; k += passo) {
    const double x = c.asse.x(k * 1000);
    c.d.linea(x, y, x, y + 5, "asse");
    c.d.testo(x, y + 17, fmt::format("{:g}", k), "tacca", "middle");
  }
  c.d.testo(c.asse.destra(), y + 31, "km dall'inizio della linea", "tacca", "end");
  return y + 36;
}

void disegna_griglia(contesto& c, disegno& griglia, double da_y, double a_y) {
  const double km = c.asse.metri / 1000;
  const double passo = passo_tondo(km, 25);
  for (double k = 0; k <= km + 1e-9; k += passo) {
    const double x = c.asse.x(k * 1000);
    griglia.linea(x, da_y, x, a_y, "griglia");
  }
}

}  // namespace od::svg
