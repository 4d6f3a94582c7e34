// Curves from the plan geometry. Each computed row repeats the last step of
// the line, turned by the curvature k of the curve it lies in (0 on straight
// track): row(m) = row(m-1) + (d1 + k d2, d2 - k d1). Every row is checked
// against the stored previous two, so the curvature of each row is found on
// its own, bit for bit, and a damaged row does not spoil those after it.
// Consecutive rows of one curvature are one curve: its start is the row
// before the first bent row, its length the number of bent rows.
#include <array>
#include <cmath>

#include "tools/decompila/descrivi.h"

namespace od {
namespace {

// The curvatures of the digits 1 to 6; a left curve turns the other way.
constexpr std::array<double, 6> curvature{0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

struct tipo_curva {
  int cifra = 0;  // 0: straight
  bool sinistra = false;
  double k() const {
    if (cifra == 0) return 0.0;
    const double valore = curvature[static_cast<std::size_t>(cifra - 1)];
    return sinistra ? -valore : valore;
  }
  bool operator==(const tipo_curva&) const = default;
};

bool genera(const planimetria& p, int32_t m, double k) {
  const double d1 = p.primo(m - 1) - p.primo(m - 2);
  const double d2 = p.secondo(m - 1) - p.secondo(m - 2);
  if (k == 0.0) return p.primo(m) == p.primo(m - 1) + d1 && p.secondo(m) == p.secondo(m - 1) + d2;
  return p.primo(m) == p.primo(m - 1) + (d1 + k * d2) && p.secondo(m) == p.secondo(m - 1) + (d2 - k * d1);
}

// The curvature that gives row m exactly, trying first that of the row
// before; failing all, the one nearest to the turn that the row shows.
tipo_curva curva_di_riga(const planimetria& p, int32_t m, tipo_curva precedente) {
  if (genera(p, m, precedente.k())) return precedente;
  if (genera(p, m, 0.0)) return {};
  for (int cifra = 1; cifra <= 6; ++cifra) {
    for (const bool sinistra : {false, true}) {
      const tipo_curva t{cifra, sinistra};
      if (genera(p, m, t.k())) return t;
    }
  }
  const double d1 = p.primo(m - 1) - p.primo(m - 2);
  const double d2 = p.secondo(m - 1) - p.secondo(m - 2);
  const double e1 = p.primo(m) - p.primo(m - 1) - d1;
  const double e2 = p.secondo(m) - p.secondo(m - 1) - d2;
  const double quadrato = d1 * d1 + d2 * d2;
  const double k = quadrato > 0 ? (e1 * d2 - e2 * d1) / quadrato : 0.0;
  tipo_curva migliore;
  double distanza = std::abs(k);
  for (int cifra = 1; cifra <= 6; ++cifra) {
    for (const bool sinistra : {false, true}) {
      const tipo_curva t{cifra, sinistra};
      if (std::abs(k - t.k()) < distanza) {
        distanza = std::abs(k - t.k());
        migliore = t;
      }
    }
  }
  return migliore;
}

riga_descrizione riga_curva(tipo_curva t, int32_t prima, int32_t ultima) {
  const std::string chiave = std::string("curva") + (t.sinistra ? "s" : "d") + static_cast<char>('0' + t.cifra);
  return riga_numeri(chiave, {prima - 1, ultima - prima + 1});
}

}  // namespace

std::vector<riga_descrizione> descrivi_curve(const planimetria& p) {
  std::vector<riga_descrizione> righe;
  tipo_curva corrente;
  int32_t inizio = 0;
  for (int32_t m = 2; m < p.calcolate(); ++m) {
    const tipo_curva t = curva_di_riga(p, m, corrente);
    if (t == corrente) continue;
    if (corrente.cifra != 0) righe.push_back(riga_curva(corrente, inizio, m - 1));
    corrente = t;
    inizio = m;
  }
  if (corrente.cifra != 0) righe.push_back(riga_curva(corrente, inizio, p.calcolate() - 1));
  return righe;
}

}  // namespace od
