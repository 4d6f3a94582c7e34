#include "builder/stazioni.h"

#include <set>

namespace od {

std::vector<int> stazioni_del_percorso(const stato_scenario& stato) {
  std::set<int> di_cartelli;
  for (const cella& c : stato.binario) {
    if (c.oggetto == oggetto::cartello) di_cartelli.insert(c.valore1);
  }
  std::vector<int> voci;
  for (int n = 1; n <= prima_voce_cartelli; ++n) {
    if (stato.tabella[static_cast<std::size_t>(n)] == voce{} || di_cartelli.contains(n)) continue;
    voci.push_back(n);
  }
  return voci;
}

}  // namespace od
