#include "tools/mostra/svg.h"

#include <fmt/format.h>

#include <algorithm>

#include "tools/comune/opzioni_orario.h"
#include "tools/mostra/etichette.h"
#include "tools/mostra/svg_interno.h"

namespace od {
namespace {

constexpr double larghezza_pagina = 2400;
constexpr double margine_sinistro = 70;
constexpr double margine_destro = 30;
constexpr double altezza_piano = 420;

constexpr std::string_view foglio = R"(text { font-family: 'DejaVu Sans', Arial, sans-serif; }
.titolo { font-size: 22px; font-weight: bold; fill: #111; }
.sottotitolo { font-size: 13px; fill: #444; }
.danno { font-size: 13px; fill: #c00000; font-weight: bold; }
.titolo-pannello { font-size: 13px; font-weight: bold; fill: #222; }
.tacca { font-size: 11px; fill: #444; }
.etichetta { font-size: 11px; fill: #111; }
.etichetta-piano { font-size: 11px; fill: #111; paint-order: stroke; stroke: #ffffff; stroke-width: 3px; }
.cornice { fill: none; stroke: #999; stroke-width: 1; }
.asse { stroke: #666; stroke-width: 1; }
.griglia { stroke: #e6e6e6; stroke-width: 1; }
.base-corsia { stroke: #bbb; stroke-width: 1; }
.guida { stroke: #c8c8c8; stroke-width: 0.7; }
.guida-piano { stroke: #666666; stroke-width: 0.8; }
.fine-linea { stroke: #c00000; stroke-width: 1.5; stroke-dasharray: 6 4; }
.testo-fine-linea { font-size: 11px; fill: #c00000; }
.barra-scala { stroke: #333; stroke-width: 2; }
.tracciato { fill: none; stroke: #1f4e9a; stroke-width: 2.5; }
.estremo { fill: #c00000; }
.profilo { fill: #dce8cc; stroke: #4d7a1f; stroke-width: 1.5; }
.velocita { fill: none; stroke: #b0306e; stroke-width: 2; }
.velocita-ammessa { fill: none; stroke: #b0306e; stroke-width: 1.2; stroke-dasharray: 4 3; }
.marcia { fill: none; stroke: #1f4e9a; stroke-width: 2; }
.fermata-marcia { fill: #c00000; }
.aderenza { fill: none; stroke: #1f8a8a; stroke-width: 2; }
.montagna-1 { fill: #a0785a; }
.montagna-2 { fill: #6b9e4a; }
.montagna-3 { fill: #8c8c8c; }
.area-stazione { fill: #cfe0f5; stroke: #1f4e9a; stroke-width: 0.5; }
.stazione { fill: #1f4e9a; }
.fermata { fill: #ffffff; stroke: #1f4e9a; stroke-width: 1.5; }
.segnale-1 { stroke: #d9a000; stroke-width: 2.5; }
.segnale-2 { stroke: #c00000; stroke-width: 2.5; }
.rallentamento { fill: #ffd8a8; stroke: #e07000; stroke-width: 1; }
.rallentamento-segno { stroke: #e07000; stroke-width: 2.5; }
.avviso { fill: #e07000; }
.preavviso { stroke: #e07000; stroke-width: 1; }
.indicatore { stroke: #6a3d9a; stroke-width: 2.5; }
.cartello { stroke: #555555; stroke-width: 2.5; }
.abbattimento { stroke: #2a8a2a; stroke-width: 2; }
)";

double titolo(disegno& d, const scenario_letto& s, const elementi_linea& e, double y) {
  d.testo(margine_sinistro, y + 22, fmt::format("{} - treno {}", s.stato.nome_percorso, s.stato.nome_treno), "titolo");
  const generale_letto& g = e.generale;
  d.testo(margine_sinistro, y + 42,
          fmt::format("linea {:.1f} km, binario {:.1f} km ({} celle); {} stazioni, {} segnali, {} rallentamenti, {} "
                      "indicatori, {} cartelli, {} abbattimenti",
                      g.lunghezza_linea / 1000.0, g.lunghezza_totale / 1000.0, g.ultima_cella + 1, e.stazioni.size(),
                      e.segnali.size(), e.rallentamenti.size(), e.indicatori.size(), e.cartelli.size(),
                      e.abbattimenti.size()),
          "sottotitolo");
  y += 50;
  if (!s.danni.empty()) {
    d.testo(margine_sinistro, y + 14,
            fmt::format("Attenzione: {} danni nei file (vedi lo standard error), il primo: {}", s.danni.size(),
                        testo_danno(s.danni.front())),
            "danno");
    y += 22;
  }
  return y + 10;
}

struct voce_legenda {
  std::string classe;
  enum { tacca, triangolo, cerchio, fascia, linea } forma;
  std::string testo;
};

double legenda(disegno& d, double y) {
  const voce_legenda voci[] = {
      {"area-stazione", voce_legenda::fascia, "area di stazione"},
      {"stazione", voce_legenda::triangolo, "stazione"},
      {"fermata", voce_legenda::cerchio, "punto di fermata"},
      {"segnale-1", voce_legenda::tacca, "segnale di avviso"},
      {"segnale-2", voce_legenda::tacca, "segnale di protezione"},
      {"avviso", voce_legenda::triangolo, "avviso di rallentamento"},
      {"preavviso", voce_legenda::tacca, "preavviso di rallentamento"},
      {"rallentamento", voce_legenda::fascia, "rallentamento"},
      {"indicatore", voce_legenda::tacca, "indicatore di velocita'"},
      {"cartello", voce_legenda::tacca, "cartello"},
      {"abbattimento", voce_legenda::tacca, "abbattimento (segno di riduzione)"},
      {"montagna-1", voce_legenda::fascia, "montagna a lato, tipo 1"},
      {"montagna-2", voce_legenda::fascia, "montagna a lato, tipo 2"},
      {"montagna-3", voce_legenda::fascia, "montagna a lato, tratto attaccato al precedente (tipo 3)"},
      {"velocita-ammessa", voce_legenda::linea, "velocita' ammessa"},
      {"marcia", voce_legenda::linea, "marcia piu' veloce"},
      {"fermata-marcia", voce_legenda::cerchio, "fermata della marcia"},
      {"fine-linea", voce_legenda::linea, "fine linea"},
  };
  d.testo(margine_sinistro, y + 13, "Legenda", "titolo-pannello");
  y += 30;
  double x = margine_sinistro;
  for (const voce_legenda& v : voci) {
    const double larghezza = 30 + larghezza_testo(v.testo, svg::corpo_etichetta) + 24;
    if (x + larghezza > larghezza_pagina - margine_destro) {
      x = margine_sinistro;
      y += 22;
    }
    switch (v.forma) {
      case voce_legenda::tacca:
        d.linea(x + 10, y - 7, x + 10, y + 7, v.classe);
        break;
      case voce_legenda::triangolo:
        d.poligono({{x + 5, y - 7}, {x + 15, y - 7}, {x + 10, y + 3}}, v.classe);
        break;
      case voce_legenda::cerchio:
        d.cerchio(x + 10, y, 3, v.classe);
        break;
      case voce_legenda::fascia:
        d.rettangolo(x, y - 5, 22, 10, v.classe);
        break;
      case voce_legenda::linea:
        d.linea(x, y, x + 22, y, v.classe);
        break;
    }
    d.testo(x + 30, y + 4, v.testo, "etichetta");
    x += larghezza;
  }
  return y + 20;
}

}  // namespace

std::string disegna_svg(const scenario_letto& s, const elementi_linea& e) {
  return disegna_svg(s, e, calcola_orario(s.stato, treno_percorrenza{}, opzioni_orario{}.margine_minimo));
}

std::string disegna_svg(const scenario_letto& s, const elementi_linea& e, const tabella_orario& orario) {
  disegno d, griglia;
  svg::asse_linea asse{margine_sinistro, larghezza_pagina - margine_sinistro - margine_destro,
                       double(std::max(e.generale.lunghezza_totale, 1))};
  svg::contesto c{d, s.stato, e, asse};
  double y = titolo(d, s, e, 10);
  y = svg::disegna_piano(c, y, altezza_piano) + 20;
  const double inizio_comune = y;
  y = svg::disegna_valori(c, y);
  y = svg::disegna_marcia(c, orario, y);
  y = svg::disegna_asse_km(c, y);
  y = svg::disegna_corsie(c, y);
  const double fine_comune = y;
  y = svg::disegna_asse_km(c, y);
  svg::disegna_griglia(c, griglia, inizio_comune, fine_comune);
  const double x_fine = asse.x(e.generale.lunghezza_linea);
  d.linea(x_fine, inizio_comune, x_fine, fine_comune, "fine-linea");
  d.testo(x_fine + 4, inizio_comune + 12, "fine linea", "testo-fine-linea");
  y = legenda(d, y + 10);
  d.inserisci_sotto(griglia);
  return d.documento(larghezza_pagina, y + 10,
                     fmt::format("Scenario {}, treno {}", s.stato.nome_percorso, s.stato.nome_treno), foglio);
}

}  // namespace od
