// The page: a title, the plot with its two axes and grid, the stations'
// labels on the left, the lines and their legend at the foot. Every label
// of a column is spread so that none covers another.
#include "tools/mostra/grafico.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "modello/misure_linea.h"
#include "percorrenza/avvisi_orario.h"
#include "tools/mostra/etichette.h"
#include "tools/mostra/grafico_corse.h"
#include "tools/mostra/svg_disegno.h"

namespace od {
namespace {

// A4 landscape at 96 pixels to the inch.
constexpr double larghezza_pagina = 1123;
constexpr double altezza_pagina = 794;
constexpr double corpo = 10;       // px, labels
constexpr double passo_nomi = 12;  // px between two station labels
constexpr double dieci_minuti = 600;

constexpr std::string_view foglio = R"(text { font-family: 'DejaVu Sans', Arial, sans-serif; }
.titolo { font-size: 16px; font-weight: bold; fill: #111; }
.sottotitolo { font-size: 10px; fill: #444; }
.etichetta { font-size: 10px; fill: #111; }
.ora { font-size: 9px; fill: #444; }
.nota { font-size: 9px; fill: #c00000; font-weight: bold; }
.cornice { fill: none; stroke: #555; stroke-width: 1; }
.griglia-ora { stroke: #d0d0d0; stroke-width: 0.6; }
.griglia-stazione { stroke: #d0d0d0; stroke-width: 0.6; }
.guida { stroke: #aaaaaa; stroke-width: 0.5; }
.rallentamento { fill: #ffe2c0; }
.previsto { fill: none; stroke: #111; stroke-width: 1.8; }
.veloce { fill: none; stroke: #1f4e9a; stroke-width: 1.1; }
.tipo { fill: none; stroke: #2a8a2a; stroke-width: 1.1; stroke-dasharray: 5 3; }
.impossibile { fill: none; stroke: #c00000; stroke-width: 4; stroke-opacity: 0.55; }
.stretto { fill: none; stroke: #e07000; stroke-width: 4; stroke-opacity: 0.55; }
)";

using impianto = scala_grafico;

std::string ora_breve(double secondi) {
  const auto m = static_cast<int64_t>(std::nearbyint(secondi / 60));
  return fmt::format("{:02}:{:02}", (m / 60) % 24, m % 60);
}

impianto misura(const tabella_orario& veloce, const tabella_orario& tipo) {
  impianto p{190, larghezza_pagina - 40, 80, altezza_pagina - 80};
  double inizio = veloce.stazioni.front().arrivo, fine = inizio + 60;
  for (const tabella_orario* t : {&veloce, &tipo}) {
    for (const tempo_stazione& s : t->stazioni) {
      fine = std::max({fine, s.arrivo, s.partenza.value_or(0), static_cast<double>(s.orario.value_or(0))});
      if (s.orario) inizio = std::min(inizio, static_cast<double>(*s.orario));
    }
  }
  p.t0 = std::floor(inizio / dieci_minuti) * dieci_minuti;
  p.t1 = std::ceil(fine / dieci_minuti) * dieci_minuti;
  if (p.t1 <= p.t0) p.t1 = p.t0 + dieci_minuti;
  p.m0 = veloce.stazioni.front().punto;
  p.m1 = std::max<double>(veloce.stazioni.back().punto, p.m0 + metri_cella);
  return p;
}

void griglia_ore(disegno& d, const impianto& p) {
  const double ogni = (p.t1 - p.t0) / dieci_minuti > 24 ? 2 * dieci_minuti : dieci_minuti;
  for (double t = p.t0; t <= p.t1 + 1; t += ogni) {
    d.linea(p.x(t), p.y0, p.x(t), p.y1, "griglia-ora");
    d.testo(p.x(t), p.y0 - 14, ora_breve(t), "ora", "middle");
    d.testo(p.x(t), p.y1 + 14, ora_breve(t), "ora", "middle");
  }
}

// Names on the left, spread down the column, with a guide to their line.
void stazioni(disegno& d, const impianto& p, const tabella_orario& t) {
  std::vector<double> volute;
  for (const tempo_stazione& s : t.stazioni) volute.push_back(p.y(s.punto));
  const std::vector<double> y = distribuisci(volute, passo_nomi, p.y0 - 4, p.y1 + 4);
  for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
    const tempo_stazione& s = t.stazioni[i];
    d.linea(p.x0, volute[i], p.x1, volute[i], "griglia-stazione");
    d.linea(p.x0 - 6, y[i], p.x0, volute[i], "guida");
    const int64_t km = s.progressiva < 0 ? -s.progressiva : s.progressiva;
    d.testo(p.x0 - 56, y[i] + 3.5, s.nome, "etichetta", "end");
    d.testo(p.x0 - 8, y[i] + 3.5, fmt::format("{}{}.{:03}", s.progressiva < 0 ? "-" : "", km / 1000, km % 1000), "ora",
            "end");
  }
}

void rallentamenti(disegno& d, const impianto& p, const elementi_linea& e) {
  for (const rallentamento_letto& r : e.rallentamenti) {
    const double da = std::clamp<double>(r.cella_inizio * metri_cella, p.m0, p.m1);
    const double a =
        std::clamp<double>((r.cella_fine >= 0 ? r.cella_fine + 1 : r.cella_inizio + 1) * metri_cella, p.m0, p.m1);
    if (a <= da) continue;
    d.rettangolo(p.x0, p.y(da), p.x1 - p.x0, std::max(p.y(a) - p.y(da), 1.5), "rallentamento");
  }
}

void legenda(disegno& d, const impianto& p, double abbuono) {
  const struct {
    const char* classe;
    std::string testo;
  } voci[] = {{"previsto", "orario previsto (fermata: tratto orizzontale)"},
              {"veloce", "marcia piu' veloce"},
              {"tipo", fmt::format("marcia tipo (abbuono {:g} %)", abbuono)},
              {"impossibile", "tratta impossibile"},
              {"stretto", "tratta stretta"}};
  double x = p.x0, y = p.y1 + 36;
  // A row that is full goes on below.
  const auto posto = [&](const std::string& testo) {
    const double larghezza = 30 + larghezza_testo(testo, corpo) + 18;
    if (x + larghezza > p.x1 && x > p.x0) {
      x = p.x0;
      y += 16;
    }
    const double qui = x;
    x += larghezza;
    return qui;
  };
  for (const auto& v : voci) {
    const double qui = posto(v.testo);
    d.linea(qui, y, qui + 24, y, v.classe);
    d.testo(qui + 30, y + 3.5, v.testo, "etichetta");
  }
  const double qui = posto("rallentamento");
  d.rettangolo(qui, y - 5, 24, 10, "rallentamento");
  d.testo(qui + 30, y + 3.5, "rallentamento", "etichetta");
}

}  // namespace

std::string disegna_grafico(const scenario& stato, const elementi_linea& e, const tabella_orario& veloce,
                            const tabella_orario& tipo, double abbuono) {
  disegno d;
  const std::string titolo = fmt::format("{} - treno {}: grafico orario", stato.nome_percorso, stato.nome_treno);
  d.testo(40, 30, titolo, "titolo");
  if (!veloce.errore.empty() || veloce.stazioni.size() < 2) {
    d.testo(40, 60, "Nessun grafico: " + veloce.errore, "nota");
    return d.documento(larghezza_pagina, altezza_pagina, titolo, foglio);
  }
  const impianto p = misura(veloce, tipo);
  d.testo(40, 48,
          fmt::format("tempo in orizzontale (griglia ogni 10 minuti), distanza in verticale; {} stazioni, {:.1f} km",
                      veloce.stazioni.size(), (p.m1 - p.m0) / 1000),
          "sottotitolo");
  rallentamenti(d, p, e);
  griglia_ore(d, p);
  stazioni(d, p, veloce);
  d.rettangolo(p.x0, p.y0, p.x1 - p.x0, p.y1 - p.y0, "cornice");
  disegna_corse(d, p, stato, veloce, tipo);
  legenda(d, p, abbuono);
  return d.documento(larghezza_pagina, altezza_pagina, titolo, foglio);
}

}  // namespace od
