#include "percorrenza/velocita_ammessa.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <set>

#include "elementi/rallentamenti.h"
#include "elementi/voci_generali.h"

namespace od {
namespace {

constexpr double kmh = 1 / 3.6;

int32_t numero_vetture(const scenario& s) { return std::max(vetture(s), 0); }

// One sweep along the track: a slowdown opens at its start cell and closes at
// its end cell (elementi/rallentamenti.h pairs them; an end closes the
// earliest start still open); while it is open its speed holds, and for a
// whole-train slowdown also over the cells that the train's length needs
// after its end. A start without an end holds to the end of the track.
class rallentamenti_aperti {
 public:
  explicit rallentamenti_aperti(std::size_t celle_coda) : celle_coda_(celle_coda) {}

  double limite(const cella& k, std::size_t c, bool chiude) {
    while (!code_.empty() && code_.front().fino < c) {
      code_limiti_.erase(code_limiti_.find(code_.front().limite));
      code_.pop_front();
    }
    if (k.oggetto == oggetto::inizio_rallentamento) {
      aperti_.push_back({std::max<double>(k.valore1, 0), k.valore3 == 1});
      limiti_.insert(aperti_.back().limite);
    }
    double v = INFINITY;
    if (!limiti_.empty()) v = *limiti_.begin();
    if (!code_limiti_.empty()) v = std::min(v, *code_limiti_.begin());
    if (chiude) chiudi(c);
    return v;
  }

 private:
  struct aperto {
    double limite;
    bool treno_intero;
  };
  struct coda {
    double limite;
    std::size_t fino;
  };

  void chiudi(std::size_t c) {
    const aperto a = aperti_.front();
    aperti_.pop_front();
    limiti_.erase(limiti_.find(a.limite));
    if (a.treno_intero && celle_coda_ > 0) {
      code_.push_back({a.limite, c + celle_coda_});
      code_limiti_.insert(a.limite);
    }
  }

  std::size_t celle_coda_;
  std::deque<aperto> aperti_;
  std::multiset<double> limiti_;
  std::deque<coda> code_;
  std::multiset<double> code_limiti_;
};

}  // namespace

std::vector<double> velocita_ammesse(const scenario& stato, const treno_percorrenza& treno) {
  const std::size_t n = stato.binario.size();
  std::vector<uint8_t> chiude(n, 0);
  for (const coppia_rallentamento& r : coppie_rallentamenti(stato)) {
    if (r.fine >= 0) chiude[static_cast<std::size_t>(r.fine)] = 1;
  }
  const double lunghezza_treno = std::max(numero_vetture(stato) * treno.lunghezza_vettura, 0.0);
  rallentamenti_aperti rallentamenti(static_cast<std::size_t>(std::ceil(lunghezza_treno / metri_cella)));
  std::vector<double> v(n);
  for (std::size_t c = 0; c < n; ++c) {
    double x = std::min(stato.binario[c].vmax * 5.0, rallentamenti.limite(stato.binario[c], c, chiude[c] != 0));
    if (treno.velocita_massima > 0) x = std::min(x, treno.velocita_massima);
    v[c] = std::max(x, velocita_minima_kmh) * kmh;
  }
  return v;
}

}  // namespace od
