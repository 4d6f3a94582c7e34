#include "builder/modello.h"

#include "builder/arrotonda.h"

namespace od {

void planimetria::crea(int32_t ultima_riga) {
  righe_ = ultima_riga + 1;
  calcolate_ = 0;
  primo_.clear();
  secondo_.clear();
  primo_.shrink_to_fit();
  secondo_.shrink_to_fit();
}

void planimetria::avvia() {
  primo_.assign({0.0, 0.0});
  secondo_.assign({0.0, 1.0});
  primo_.reserve(static_cast<std::size_t>(righe_));
  secondo_.reserve(static_cast<std::size_t>(righe_));
  calcolate_ = 2;
}

void planimetria::aggiungi(double primo, double secondo) {
  primo_.push_back(primo);
  secondo_.push_back(secondo);
  ++calcolate_;
}

planimetria::tipo_riga planimetria::tipo(int32_t riga) const {
  if (riga >= calcolate_) return tipo_riga::vuota;
  return riga < 2 ? tipo_riga::intera : tipo_riga::doppia;
}

void pulisci_tabella(stato_scenario& stato) { stato.tabella.fill(voce{}); }

void crea_binario(stato_scenario& stato, int32_t lunghezza) {
  stato.lunghezza_totale = lunghezza + 7000;
  stato.ultima_cella = static_cast<int32_t>(arrotonda_div(stato.lunghezza_totale, 50));
  stato.binario.assign(static_cast<std::size_t>(stato.ultima_cella) + 1, cella{});
  if (stato.con_planimetria != 0) stato.planimetria.crea(stato.lunghezza_totale);
}

}  // namespace od
