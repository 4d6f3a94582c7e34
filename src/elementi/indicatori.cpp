#include "elementi/indicatori.h"

#include "elementi/divisione.h"
#include "modello/arrotonda.h"

namespace od {

valori_indicatore impacca_indicatore(int32_t vas, int32_t vbs, int32_t vcs, int32_t strisces, int32_t vad, int32_t vbd,
                                     int32_t vcd, int32_t strisced) {
  const auto coppia = [](int64_t sinistra, int64_t destra) { return arrotonda_div(destra + 100 * sinistra, 5); };
  return {coppia(vas, vad), coppia(vbs, vbd), coppia(vcs, vcd), int64_t{strisces} * 10 + strisced};
}

indicatore_spacchettato spacca_indicatore(const cella& k) {
  indicatore_spacchettato b;
  const int16_t valori[3] = {k.valore1, k.valore2, k.valore3};
  for (std::size_t n = 0; n < 3; ++n) {
    b.sinistra[n] = static_cast<int>(quoziente_basso(valori[n], 20));
    b.destra[n] = static_cast<int>(resto_basso(valori[n], 20) * 5);
  }
  b.strisce_sinistra = static_cast<int>(quoziente_basso(k.valore4, 10));
  b.strisce_destra = static_cast<int>(resto_basso(k.valore4, 10));
  return b;
}

}  // namespace od
