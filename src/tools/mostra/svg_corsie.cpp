// Lanes of markers under the common axis, one per kind of item. Each marker
// is a symbol on the lane's base line; its label hangs below it, in as many
// rows as the labels need so that none covers another, with a thin guide
// from the symbol down to a label that had to drop to a lower row.
#include <fmt/format.h>

#include "tools/mostra/etichette.h"
#include "tools/mostra/svg_interno.h"

namespace od::svg {
namespace {

constexpr double altezza_riga = 14;
constexpr double spazio_etichette = 6;

enum class simbolo { tacca, triangolo, cerchio };

struct marcatore {
  double metri = 0;
  std::string etichetta;
  std::string classe;
  simbolo forma = simbolo::tacca;
};

struct fascia {  // a band along the line, as a station area or a slowdown
  double da = 0, a = 0;
  std::string classe;
};

struct corsia {
  std::string titolo;
  std::vector<fascia> fasce;
  std::vector<marcatore> marcatori;
};

std::string km(int32_t metri) { return fmt::format("{:.1f}", metri / 1000.0); }

corsia stazioni(const elementi_linea& e) {
  corsia k{"Stazioni (area, posizione, fermata)", {}, {}};
  for (const stazione_letta& s : e.stazioni) {
    k.fasce.push_back({double(s.dati.area_inizio), double(s.dati.area_fine), "area-stazione"});
    k.marcatori.push_back({double(s.dati.posizione), s.dati.nome, "stazione", simbolo::triangolo});
    if (s.cella_fermata >= 0) {
      k.marcatori.push_back({double(posizione_puntuale(s.cella_fermata)), "", "fermata", simbolo::cerchio});
    }
  }
  return k;
}

corsia segnali(const elementi_linea& e) {
  corsia k{"Segnali (km)", {}, {}};
  for (const segnale_letto& s : e.segnali) {
    k.marcatori.push_back(
        {double(s.posizione), km(s.posizione), s.sx == 2 ? "segnale-2" : "segnale-1", simbolo::tacca});
  }
  return k;
}

corsia rallentamenti(const elementi_linea& e) {
  corsia k{"Rallentamenti (avviso, inizio, fine)", {}, {}};
  for (const rallentamento_letto& r : e.rallentamenti) {
    const double inizio = posizione_puntuale(r.cella_inizio);
    const double fine = r.cella_fine >= 0 ? posizione_puntuale(r.cella_fine) : inizio;
    k.fasce.push_back({inizio, fine, "rallentamento"});
    if (r.cella_avviso >= 0) {
      k.marcatori.push_back({double(posizione_puntuale(r.cella_avviso)), fmt::format("avviso {}", r.velocita), "avviso",
                             simbolo::triangolo});
    }
    for (const int32_t m : r.celle_preavviso)
      k.marcatori.push_back({double(posizione_puntuale(m)), "", "preavviso", simbolo::tacca});
    // One label for the slowdown: the band shows where it ends.
    k.marcatori.push_back({inizio, fmt::format("{} km/h", r.velocita), "rallentamento-segno", simbolo::tacca});
    if (r.cella_fine >= 0) k.marcatori.push_back({fine, "", "rallentamento-segno", simbolo::tacca});
  }
  for (const parte_isolata& p : e.isolate) {
    k.marcatori.push_back({double(posizione_puntuale(p.cella)), "parte isolata", "preavviso", simbolo::tacca});
  }
  return k;
}

corsia indicatori(const elementi_linea& e) {
  corsia k{"Indicatori di velocita' (sinistra | destra, km/h)", {}, {}};
  for (const indicatore_letto& b : e.indicatori) {
    std::string t = fmt::format("{}/{}/{}", b.sinistra[0], b.sinistra[1], b.sinistra[2]);
    if (b.destra != std::array<int, 3>{}) t += fmt::format(" | {}/{}/{}", b.destra[0], b.destra[1], b.destra[2]);
    k.marcatori.push_back({double(b.posizione), t, "indicatore", simbolo::tacca});
  }
  return k;
}

corsia cartelli(const elementi_linea& e) {
  corsia k{"Cartelli", {}, {}};
  for (const cartello_letto& c : e.cartelli)
    k.marcatori.push_back({double(c.posizione), c.testo, "cartello", simbolo::tacca});
  return k;
}

corsia abbattimenti(const elementi_linea& e) {
  corsia k{"Abbattimenti (valore)", {}, {}};
  for (const abbattimento_letto& a : e.abbattimenti) {
    k.marcatori.push_back(
        {double(a.posizione), a.fine ? "fine" : fmt::format("{}", a.valore), "abbattimento", simbolo::tacca});
  }
  return k;
}

void disegna_simbolo(disegno& d, const marcatore& m, double x, double y) {
  switch (m.forma) {
    case simbolo::tacca:
      d.linea(x, y - 7, x, y + 7, m.classe);
      break;
    case simbolo::triangolo:
      d.poligono({{x - 5, y - 7}, {x + 5, y - 7}, {x, y + 3}}, m.classe);
      break;
    case simbolo::cerchio:
      d.cerchio(x, y, 3, m.classe);
      break;
  }
}

double disegna_corsia(contesto& c, const corsia& k, double y) {
  intestazione(c, y, k.titolo);
  const double base = y + altezza_intestazione + 10;
  c.d.linea(c.asse.x0, base, c.asse.destra(), base, "base-corsia");
  for (const fascia& f : k.fasce) {
    c.d.rettangolo(c.asse.x(f.da), base - 5, std::max(c.asse.x(f.a) - c.asse.x(f.da), 1.5), 10, f.classe);
  }
  std::vector<const marcatore*> con_testo;
  std::vector<estensione> estensioni;
  for (const marcatore& m : k.marcatori) {
    disegna_simbolo(c.d, m, c.asse.x(m.metri), base);
    if (m.etichetta.empty()) continue;
    const double x = c.asse.x(m.metri) - 2;
    // The same text again within reach of the last one says nothing new: one
    // label stands for both markers, instead of two stacked.
    if (!con_testo.empty() && con_testo.back()->etichetta == m.etichetta &&
        x < estensioni.back().destra + spazio_etichette)
      continue;
    con_testo.push_back(&m);
    estensioni.push_back({x, x + larghezza_testo(m.etichetta, corpo_etichetta)});
  }
  const std::vector<int> righe = disponi_in_righe(estensioni, spazio_etichette);
  int quante = 0;
  for (std::size_t n = 0; n < con_testo.size(); ++n) {
    const double x = c.asse.x(con_testo[n]->metri);
    const double y_testo = base + 8 + altezza_riga * (righe[n] + 1);
    if (righe[n] > 0) c.d.linea(x, base + 8, x, y_testo - corpo_etichetta + 1, "guida");
    c.d.testo(estensioni[n].sinistra, y_testo, con_testo[n]->etichetta, "etichetta");
    quante = std::max(quante, righe[n] + 1);
  }
  return base + 8 + altezza_riga * quante + 10;
}

}  // namespace

double disegna_corsie(contesto& c, double y) {
  for (const corsia& k :
       {stazioni(c.e), segnali(c.e), rallentamenti(c.e), indicatori(c.e), cartelli(c.e), abbattimenti(c.e)}) {
    y = disegna_corsia(c, k, y);
  }
  return y;
}

}  // namespace od::svg
