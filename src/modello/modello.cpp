#include "modello/modello.h"

#include "modello/misure_linea.h"

namespace od {

void pulisci_tabella(scenario& stato) { stato.tabella.fill(voce{}); }

void crea_binario(scenario& stato, int32_t lunghezza) {
  stato.lunghezza_totale = static_cast<int32_t>(metri_binario(lunghezza));
  // New cells are value-initialised in place (every field 0), not copied
  // one by one from a blank cell: a long line has tens of thousands.
  stato.binario.clear();
  stato.binario.resize(static_cast<std::size_t>(ultima_cella_di(lunghezza)) + 1);
  if (stato.con_planimetria != 0) stato.planimetria.crea(stato.lunghezza_totale);
}

}  // namespace od
