#include "modello/stazioni.h"

#include <set>

namespace od {

bool solo_testo(const voce& v) {
  if (v.nome.empty()) return false;
  voce senza_nome = v;
  senza_nome.nome.clear();
  return senza_nome == voce{};
}

std::vector<int> stazioni_del_percorso(const scenario& stato) {
  std::set<int> di_cartelli;
  for (const cella& c : stato.binario) {
    if (c.oggetto == oggetto::cartello) di_cartelli.insert(c.valore1);
  }
  std::vector<int> voci;
  for (int n = 1; n < prima_voce_cartelli; ++n) {
    const voce& v = stato.tabella[static_cast<std::size_t>(n)];
    if (v == voce{} || solo_testo(v) || di_cartelli.contains(n)) break;
    voci.push_back(n);
  }
  return voci;
}

}  // namespace od
