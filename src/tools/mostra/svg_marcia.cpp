// The speed panel: the permitted speed of every cell that the run covers as
// steps, the fastest run as a line through the speeds at the cell
// boundaries, a mark where the train stands at each stop, and under the
// panel the kilometric progressive that the line posts at each grid line
// (the common axis counts metres from the start of the line).
#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "modello/progressiva.h"
#include "percorrenza/velocita_ammessa.h"
#include "tools/mostra/etichette.h"
#include "tools/mostra/svg_interno.h"

namespace od::svg {
namespace {

constexpr double kmh = 3.6;

void progressive_sotto(contesto& c, double y) {
  const double km = c.asse.metri / 1000;
  const double passo = passo_tondo(km, 25);
  // The line posts no progressive beyond its end.
  const double fine = std::min(km, c.e.generale.lunghezza_linea / 1000.0);
  for (double k = 0; k <= fine + 1e-9; k += passo) {
    const double x = c.asse.x(k * 1000);
    const int64_t metri = progressiva_di(c.stato, static_cast<int32_t>(std::lround(k * 1000))).metri;
    c.d.testo(x, y + 16, fmt::format("{:.3f}", static_cast<double>(metri) / 1000), "tacca", "middle");
  }
  c.d.testo(c.asse.x0 - 24, y + 16, "progr.", "tacca", "end");
}

// Where the posted progressive jumps (a change of reference): a mark on the
// row of progressives and, in a row of their own, the two figures.
bool salti_di_progressiva(contesto& c, double y) {
  std::vector<estensione> estensioni;
  std::vector<std::pair<double, std::string>> salti;
  for (int32_t v = voce_progressive; v < voce_progressive + 3; ++v) {
    const int32_t x = c.stato.tabella[static_cast<std::size_t>(v)].area_inizio;
    if (x <= 0 || x >= c.e.generale.lunghezza_linea) continue;
    const progressiva_posta prima = progressiva_di(c.stato, x), dopo = progressiva_di(c.stato, x + 1);
    const int64_t nuova = dopo.crescente ? dopo.metri - 1 : dopo.metri + 1;
    salti.emplace_back(c.asse.x(x), fmt::format("salto {:.3f} | {:.3f}", static_cast<double>(prima.metri) / 1000,
                                                static_cast<double>(nuova) / 1000));
    estensioni.push_back(
        {salti.back().first - 2, salti.back().first - 2 + larghezza_testo(salti.back().second, corpo_etichetta)});
  }
  const std::vector<int> righe = disponi_in_righe(estensioni, 6);
  for (std::size_t n = 0; n < salti.size(); ++n) {
    c.d.linea(salti[n].first, y, salti[n].first, y + 22 + 12 * righe[n], "fine-linea");
    c.d.testo(estensioni[n].sinistra + 4, y + 30 + 12 * righe[n], salti[n].second, "testo-fine-linea");
  }
  return !salti.empty();
}

std::string ora_breve(int32_t secondi) {
  const int32_t s = secondi % 60;
  return s == 0 ? fmt::format("{:02}:{:02}", secondi / 3600 % 24, secondi / 60 % 60)
                : fmt::format("{:02}:{:02}:{:02}", secondi / 3600 % 24, secondi / 60 % 60, s);
}

// The scheduled time of every timed station, at the top of the panel above
// its position (arrival and departure at a stop), in rows that do not touch.
void orari_nel_pannello(contesto& c, const tabella_orario& orario, const pannello& p) {
  std::vector<estensione> estensioni;
  std::vector<std::pair<double, std::string>> testi;
  for (std::size_t i = 0; i < orario.stazioni.size(); ++i) {
    const tempo_stazione& s = orario.stazioni[i];
    if (!s.orario) continue;
    const int sosta = c.stato.tabella[static_cast<std::size_t>(s.voce)].sosta;
    const bool ferma = s.ferma && i > 0 && i + 1 < orario.stazioni.size() && sosta > 0;
    std::string t = ferma ? ora_breve(*s.orario - sosta) + "-" + ora_breve(*s.orario) : ora_breve(*s.orario);
    const double x = c.asse.x(s.punto);
    estensioni.push_back({x + 3, x + 3 + larghezza_testo(t, corpo_etichetta)});
    testi.emplace_back(x, std::move(t));
  }
  const std::vector<int> righe = disponi_in_righe(estensioni, 6);
  for (std::size_t n = 0; n < testi.size(); ++n) {
    const double y = p.y + 12 + 12 * righe[n];
    c.d.linea(testi[n].first, p.y, testi[n].first, y, "guida");
    c.d.testo(estensioni[n].sinistra, y, testi[n].second, "etichetta-piano");
  }
}

}  // namespace

double disegna_marcia(contesto& c, const tabella_orario& orario, double y) {
  intestazione(c, y, "Velocita' ammessa e marcia piu' veloce (km/h)");
  y += altezza_intestazione;
  const marcia& m = orario.corsa;
  if (!orario.errore.empty() || m.velocita.empty()) {
    c.d.testo(c.asse.x0, y + 14, "Nessuna marcia: " + (orario.errore.empty() ? "nessun orario" : orario.errore),
              "etichetta");
    return y + 24;
  }
  double alto = 20;
  for (int32_t k = m.primo; k < m.ultimo; ++k) alto = std::max(alto, m.ammessa[static_cast<std::size_t>(k)] * kmh);
  pannello p{c, y, 110, 0, alto * 1.15};
  p.cornice_e_tacche("");
  std::vector<punto> ammessa, corsa;
  for (int32_t k = m.primo; k < m.ultimo; ++k) {
    const double v = p.yv(m.ammessa[static_cast<std::size_t>(k)] * kmh);
    ammessa.emplace_back(c.asse.x(k * double(metri_cella)), v);
    ammessa.emplace_back(c.asse.x((k + 1) * double(metri_cella)), v);
  }
  for (std::size_t i = 0; i < m.velocita.size(); ++i) {
    corsa.emplace_back(c.asse.x((m.primo + double(i)) * metri_cella), p.yv(m.velocita[i] * kmh));
  }
  c.d.polilinea(ammessa, "velocita-ammessa");
  c.d.polilinea(corsa, "marcia");
  for (const tempo_stazione& s : orario.stazioni) {
    if (s.ferma) c.d.cerchio(c.asse.x(s.punto), p.yv(0), 3.5, "fermata-marcia");
  }
  orari_nel_pannello(c, orario, p);
  progressive_sotto(c, y + p.altezza);
  const bool salti = salti_di_progressiva(c, y + p.altezza);
  return y + p.altezza + (salti ? 44 : 26);
}

}  // namespace od::svg
