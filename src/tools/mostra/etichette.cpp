#include "tools/mostra/etichette.h"

#include <algorithm>
#include <numeric>

namespace od {

double larghezza_testo(std::string_view testo, double corpo) {
  std::size_t caratteri = 0;
  for (const char c : testo) caratteri += (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // code points
  return static_cast<double>(caratteri) * corpo * 0.62;
}

std::vector<int> disponi_in_righe(const std::vector<estensione>& etichette, double spazio) {
  std::vector<std::size_t> ordine(etichette.size());
  std::iota(ordine.begin(), ordine.end(), std::size_t{0});
  std::stable_sort(ordine.begin(), ordine.end(),
                   [&](std::size_t a, std::size_t b) { return etichette[a].sinistra < etichette[b].sinistra; });
  std::vector<int> riga(etichette.size(), 0);
  std::vector<double> fine_riga;
  for (const std::size_t n : ordine) {
    const estensione& e = etichette[n];
    std::size_t r = 0;
    while (r < fine_riga.size() && fine_riga[r] + spazio > e.sinistra) ++r;
    if (r == fine_riga.size()) fine_riga.push_back(e.destra);
    fine_riga[r] = e.destra;
    riga[n] = static_cast<int>(r);
  }
  return riga;
}

std::vector<double> distribuisci(const std::vector<double>& volute, double passo, double minimo, double massimo) {
  std::vector<double> y = volute;
  for (std::size_t i = 0; i < y.size(); ++i) y[i] = std::max(y[i], i == 0 ? minimo : y[i - 1] + passo);
  for (std::size_t i = y.size(); i-- > 0;) {
    const double tetto = i + 1 == y.size() ? massimo : y[i + 1] - passo;
    y[i] = std::max(std::min(y[i], tetto), minimo + static_cast<double>(i) * passo);
  }
  return y;
}

bool riquadro::tocca(const riquadro& b) const {
  return x < b.x + b.larghezza && b.x < x + larghezza && y < b.y + b.altezza && b.y < y + altezza;
}

riquadro posto_libero(double x, double y, double larghezza, double altezza, const std::vector<riquadro>& occupati) {
  // Right, left, above, below, then the corners; each at growing distance.
  const double direzioni[8][2] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
  riquadro primo;
  bool primo_preso = false;
  for (const double distanza : {6.0, 16.0, 28.0, 44.0, 64.0}) {
    for (const auto& d : direzioni) {
      riquadro r;
      r.larghezza = larghezza;
      r.altezza = altezza;
      r.x = d[0] > 0 ? x + distanza : d[0] < 0 ? x - distanza - larghezza : x - larghezza / 2;
      r.y = d[1] > 0 ? y + distanza : d[1] < 0 ? y - distanza - altezza : y - altezza / 2;
      if (!primo_preso) {
        primo = r;
        primo_preso = true;
      }
      if (std::none_of(occupati.begin(), occupati.end(), [&](const riquadro& o) { return r.tocca(o); })) return r;
    }
  }
  return primo;
}

}  // namespace od
