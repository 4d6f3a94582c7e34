#include "elementi/rallentamenti.h"

#include <deque>

namespace od {

// Starts wait in order; an end closes the earliest one still open. This is
// the same pairing as letting each start in turn take the first free end
// after it: the ends taken that way come in increasing order.
std::vector<coppia_rallentamento> coppie_rallentamenti(const scenario& s) {
  std::vector<coppia_rallentamento> coppie;
  std::deque<std::size_t> aperte;
  for (std::size_t c = 0; c < s.binario.size(); ++c) {
    const uint8_t o = s.binario[c].oggetto;
    if (o == oggetto::fine_rallentamento && !aperte.empty()) {
      coppie[aperte.front()].fine = static_cast<int32_t>(c);
      aperte.pop_front();
    } else if (o == oggetto::inizio_rallentamento) {
      aperte.push_back(coppie.size());
      coppie.push_back({static_cast<int32_t>(c), -1});
    }
  }
  return coppie;
}

}  // namespace od
