#include "percorrenza/marcia.h"

#include <algorithm>
#include <cmath>

#include "percorrenza/velocita_ammessa.h"

namespace od {
namespace {

// Time from s1 to s2 (s1 <= s2) on each kind of stretch of a cell.
double accelerando(double v0, double a, double s1, double s2) {
  return (std::sqrt(v0 * v0 + 2 * a * s2) - std::sqrt(v0 * v0 + 2 * a * s1)) / a;
}
double frenando(double v1, double b, double d, double s1, double s2) {
  return (std::sqrt(v1 * v1 + 2 * b * (d - s1)) - std::sqrt(v1 * v1 + 2 * b * (d - s2))) / b;
}

}  // namespace

double tempo_in_cella(double v0, double v1, double v, double a, double b, double d, double x) {
  x = std::clamp(x, 0.0, d);
  // Where the acceleration reaches the permitted speed, and where the
  // braking must begin from it.
  double fine_accelerazione = std::max(0.0, (v * v - v0 * v0) / (2 * a));
  double inizio_frenatura = d - std::max(0.0, (v * v - v1 * v1) / (2 * b));
  if (fine_accelerazione > inizio_frenatura) {
    // The two curves meet below the permitted speed.
    fine_accelerazione = std::clamp((v1 * v1 + 2 * b * d - v0 * v0) / (2 * (a + b)), 0.0, d);
    inizio_frenatura = fine_accelerazione;
  }
  double t = accelerando(v0, a, 0, std::min(x, fine_accelerazione));
  if (x > fine_accelerazione) t += (std::min(x, inizio_frenatura) - fine_accelerazione) / v;
  if (x > inizio_frenatura) t += frenando(v1, b, d, inizio_frenatura, x);
  return t;
}

marcia marcia_piu_veloce(const scenario& stato, const treno_percorrenza& treno, int32_t primo, int32_t ultimo,
                         const std::vector<int32_t>& fermate) {
  marcia m;
  m.primo = primo;
  m.ultimo = ultimo;
  m.ammessa = velocita_ammesse(stato, treno);
  const std::size_t n = m.ammessa.size();
  m.accelerazione.resize(n);
  m.frenatura.resize(n);
  for (std::size_t c = 0; c < n; ++c) {
    const double salita = gravita * pendenza_cella(stato.binario[c]) / 1000;
    m.accelerazione[c] = std::max(treno.accelerazione - salita, tasso_minimo);
    m.frenatura[c] = std::max(treno.frenatura + salita, tasso_minimo);
  }
  corri(m, fermate);
  return m;
}

void corri(marcia& m, const std::vector<int32_t>& fermate) {
  const int32_t primo = m.primo;
  const auto bordi = static_cast<std::size_t>(m.ultimo - primo + 1);
  std::vector<char> ferma(bordi, 0);
  ferma.front() = ferma.back() = 1;
  for (int32_t f : fermate) ferma[static_cast<std::size_t>(f - primo)] = 1;
  const double d = metri_cella;
  // A speed at boundary k is met at the start of cell k and at the end of
  // cell k - 1.
  const auto tetto = [&](std::size_t i) {
    const std::size_t k = static_cast<std::size_t>(primo) + i;
    return std::min(m.ammessa[k], m.ammessa[k - 1]);
  };
  std::vector<double> avanti(bordi, 0), indietro(bordi, 0);
  for (std::size_t i = 1; i < bordi; ++i) {
    if (ferma[i]) continue;
    const std::size_t c = static_cast<std::size_t>(primo) + i - 1;
    avanti[i] = std::min(std::sqrt(avanti[i - 1] * avanti[i - 1] + 2 * m.accelerazione[c] * d), tetto(i));
  }
  for (std::size_t i = bordi - 1; i-- > 0;) {
    if (ferma[i]) continue;
    const std::size_t c = static_cast<std::size_t>(primo) + i;
    indietro[i] = std::min(std::sqrt(indietro[i + 1] * indietro[i + 1] + 2 * m.frenatura[c] * d), tetto(i));
  }
  m.velocita.resize(bordi);
  m.tempo.assign(bordi, 0);
  for (std::size_t i = 0; i < bordi; ++i) m.velocita[i] = std::min(avanti[i], indietro[i]);
  for (std::size_t i = 1; i < bordi; ++i) {
    const std::size_t c = static_cast<std::size_t>(primo) + i - 1;
    m.tempo[i] = m.tempo[i - 1] + tempo_in_cella(m.velocita[i - 1], m.velocita[i], m.ammessa[c], m.accelerazione[c],
                                                 m.frenatura[c], d, d);
  }
}

double tempo_a(const marcia& m, double metri) {
  const double d = metri_cella;
  const double relativo = std::clamp(metri / d - m.primo, 0.0, static_cast<double>(m.ultimo - m.primo));
  const auto i = static_cast<std::size_t>(std::floor(relativo));
  if (i + 1 >= m.velocita.size()) return m.tempo.back();
  const std::size_t c = static_cast<std::size_t>(m.primo) + i;
  return m.tempo[i] + tempo_in_cella(m.velocita[i], m.velocita[i + 1], m.ammessa[c], m.accelerazione[c], m.frenatura[c],
                                     d, (relativo - static_cast<double>(i)) * d);
}

}  // namespace od
