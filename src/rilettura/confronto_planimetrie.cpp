#include "rilettura/confronto_planimetrie.h"

#include <algorithm>

namespace od {
namespace {

// The rows of a plan in order.
class righe_piano {
 public:
  explicit righe_piano(const planimetria& p) : p_(p), c_(p) {}
  riga_piano prossima() {
    riga_piano r{p_.tipo(c_.riga()), {}};
    if (r.tipo == planimetria::tipo_riga::vuota) return r;
    c_.avanza(1, [&r](const planimetria::punto& q) { r.punto = q; });
    return r;
  }

 private:
  const planimetria& p_;
  planimetria::cursore c_;
};

bool uguali(const riga_piano& a, const riga_piano& b) {
  return a.tipo == b.tipo && (a.tipo == planimetria::tipo_riga::vuota ||
                              (a.punto.primo == b.punto.primo && a.punto.secondo == b.punto.secondo));
}

}  // namespace

void confronta_planimetrie(const planimetria& primo, const planimetria& secondo,
                           const std::function<void(int32_t riga, const riga_piano& a, const riga_piano& b)>& diversa) {
  righe_piano righe_a(primo), righe_b(secondo);
  for (int32_t riga = 0; riga < std::min(primo.righe(), secondo.righe()); ++riga) {
    const riga_piano a = righe_a.prossima(), b = righe_b.prossima();
    if (!uguali(a, b)) diversa(riga, a, b);
  }
}

}  // namespace od
