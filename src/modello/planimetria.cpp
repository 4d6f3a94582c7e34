#include "modello/planimetria.h"

#include <stdexcept>

namespace od {

void planimetria::crea(int32_t ultima_riga) {
  righe_ = ultima_riga + 1;
  calcolate_ = 0;
  lette_.clear();
  lette_.shrink_to_fit();
  tratti_.clear();
  tratti_.shrink_to_fit();
}

void planimetria::avvia() {
  lette_.assign({{0.0, 0.0}, {0.0, 1.0}});
  tratti_.clear();
  calcolate_ = 2;
}

void planimetria::aggiungi(double primo, double secondo) {
  // A row after computed runs would need storing every row before it.
  if (!tratti_.empty()) throw std::logic_error("planimetria: riga letta dopo righe calcolate");
  lette_.push_back({primo, secondo});
  ++calcolate_;
}

void planimetria::prolunga(int32_t fino, double k) {
  if (calcolate_ < 2) throw std::logic_error("planimetria: prolungata prima di essere avviata");
  if (fino < calcolate_) return;
  // A run that goes on with the curvature of the one before only moves its end.
  if (!tratti_.empty() && tratti_.back().k == k) {
    tratti_.back().fino = fino;
  } else {
    tratti_.push_back({fino, k});
  }
  calcolate_ = fino + 1;
}

planimetria::cursore::cursore(const planimetria& p) : p_(p) {
  if (p.lette_.size() >= 2) {
    penultima_ = p.lette_[p.lette_.size() - 2];
    ultima_ = p.lette_.back();
  }
}

planimetria::tipo_riga planimetria::tipo(int32_t riga) const {
  if (riga < 0 || riga >= calcolate_) return tipo_riga::vuota;
  return riga < 2 ? tipo_riga::intera : tipo_riga::doppia;
}

planimetria::punto planimetria::punto_di(int32_t riga) const {
  punto trovato;
  if (riga < 0 || riga >= calcolate_) return trovato;
  if (riga < static_cast<int32_t>(lette_.size())) return lette_[static_cast<std::size_t>(riga)];
  cursore c(*this);
  c.avanza(riga, [](const punto&) {});
  c.avanza(1, [&trovato](const punto& p) { trovato = p; });
  return trovato;
}

}  // namespace od
