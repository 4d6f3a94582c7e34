#include "builder/modello.h"

#include "builder/arrotonda.h"

namespace od {

void pulisci_tabella(stato_scenario& stato) { stato.tabella.fill(voce{}); }

void crea_binario(stato_scenario& stato, int32_t lunghezza) {
  stato.lunghezza_totale = lunghezza + 7000;
  stato.ultima_cella = static_cast<int32_t>(arrotonda_div(stato.lunghezza_totale, 50));
  stato.binario.assign(static_cast<std::size_t>(stato.ultima_cella) + 1, cella{});
  if (stato.con_planimetria != 0) stato.planimetria.crea(stato.lunghezza_totale);
}

}  // namespace od
