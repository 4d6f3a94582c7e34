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
    c.d.testo(x, y + 12, fmt::format("{:.3f}", static_cast<double>(metri) / 1000), "tacca", "middle");
  }
  c.d.testo(c.asse.x0 - 24, y + 12, "progr.", "tacca", "end");
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
  progressive_sotto(c, y + p.altezza);
  return y + p.altezza + 22;
}

}  // namespace od::svg
