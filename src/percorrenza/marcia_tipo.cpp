#include "percorrenza/marcia_tipo.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace od {
namespace {

// Bisection on the factor: the time of a section grows as its speeds shrink.
constexpr double fattore_minimo = 0.01;
constexpr double precisione = 0.01;  // s
constexpr int passi_massimi = 100;

// The run from boundary `da` to `a` (a section between two stops) with the
// permitted speeds of its cells scaled by `fattore`.
marcia sezione(const marcia& veloce, int32_t da, int32_t a, double fattore) {
  marcia m;
  m.primo = da;
  m.ultimo = a;
  m.ammessa = veloce.ammessa;
  m.accelerazione = veloce.accelerazione;
  m.frenatura = veloce.frenatura;
  for (auto c = static_cast<std::size_t>(da); c < static_cast<std::size_t>(a); ++c) m.ammessa[c] *= fattore;
  corri(m, {});
  return m;
}

marcia sezione_tipo(const marcia& veloce, int32_t da, int32_t a, double percento) {
  const marcia piena = sezione(veloce, da, a, 1);
  const double obiettivo = piena.tempo.back() * (1 + percento / 100);
  if (percento <= 0) return piena;
  double basso = fattore_minimo, alto = 1;
  marcia migliore = sezione(veloce, da, a, basso);
  if (migliore.tempo.back() <= obiettivo) return migliore;
  for (int passo = 0; passo < passi_massimi; ++passo) {
    const double medio = (basso + alto) / 2;
    marcia m = sezione(veloce, da, a, medio);
    const double t = m.tempo.back();
    const bool vicino = std::fabs(t - obiettivo) < precisione;
    if (t > obiettivo) {
      basso = medio;
    } else {
      alto = medio;
    }
    migliore = std::move(m);
    if (vicino) break;
  }
  return migliore;
}

}  // namespace

marcia marcia_tipo(const marcia& veloce, double percento) {
  marcia tipo = veloce;
  if (veloce.velocita.size() < 2) return tipo;
  // The stops: every boundary after the first where the fastest run stands.
  std::vector<int32_t> soste{veloce.primo};
  for (std::size_t i = 1; i < veloce.velocita.size(); ++i) {
    if (veloce.velocita[i] == 0) soste.push_back(veloce.primo + static_cast<int32_t>(i));
  }
  double inizio = 0;
  for (std::size_t k = 0; k + 1 < soste.size(); ++k) {
    const marcia s = sezione_tipo(veloce, soste[k], soste[k + 1], percento);
    for (int32_t b = soste[k]; b <= soste[k + 1]; ++b) {
      const auto i = static_cast<std::size_t>(b - veloce.primo);
      const auto j = static_cast<std::size_t>(b - soste[k]);
      tipo.velocita[i] = s.velocita[j];
      tipo.tempo[i] = inizio + s.tempo[j];
    }
    for (auto c = static_cast<std::size_t>(soste[k]); c < static_cast<std::size_t>(soste[k + 1]); ++c)
      tipo.ammessa[c] = s.ammessa[c];
    inizio = tipo.tempo[static_cast<std::size_t>(soste[k + 1] - veloce.primo)];
  }
  return tipo;
}

}  // namespace od
