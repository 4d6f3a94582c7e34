#include "modello/modello.h"

#include "modello/misure_linea.h"

namespace od {

void pulisci_tabella(scenario& stato) { stato.tabella.fill(voce{}); }

void crea_binario(scenario& stato, int32_t lunghezza) {
  stato.lunghezza_totale = static_cast<int32_t>(metri_binario(lunghezza));
  stato.binario.assign(static_cast<std::size_t>(ultima_cella_di(lunghezza)) + 1, cella{});
  if (stato.con_planimetria != 0) stato.planimetria.crea(stato.lunghezza_totale);
}

}  // namespace od
