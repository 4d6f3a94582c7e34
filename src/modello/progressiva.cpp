#include "modello/progressiva.h"

namespace od {
namespace {

// The build adds 100 to the progressive of every decreasing change.
constexpr int64_t aggiunta_decrescente = 100;

bool in_vigore(const voce& cambio, int32_t posizione) {
  return cambio.area_inizio < posizione || cambio.area_inizio == 0;
}

int64_t km_in_basso(int64_t metri) { return metri >= 0 ? metri / 1000 : -((-metri + 999) / 1000); }

}  // namespace

progressiva_posta progressiva_di(const scenario& stato, int32_t posizione) {
  // Largest position first: the first change that the position has passed
  // is the one in force.
  for (int32_t v = voce_progressive; v < voce_progressive + 3; ++v) {
    const voce& cambio = stato.tabella[static_cast<std::size_t>(v)];
    if (!in_vigore(cambio, posizione)) continue;
    if (cambio.posizione == 1) return {cambio.area_fine - aggiunta_decrescente - posizione, false, v};
    return {int64_t{cambio.area_fine} + posizione, true, v};
  }
  return {posizione, true, 0};
}

int64_t cippo_precedente(const scenario& stato, int32_t posizione) {
  const progressiva_posta p = progressiva_di(stato, posizione);
  const int64_t cippo = p.crescente ? km_in_basso(p.metri) : -km_in_basso(-p.metri);
  if (p.voce == 0) return cippo;
  const voce& cambio = stato.tabella[static_cast<std::size_t>(p.voce)];
  // Where that post stands on the line under the change in force.
  const int64_t luogo = p.crescente ? cippo * 1000 - (p.metri - posizione) : (p.metri + posizione) - cippo * 1000;
  if (luogo > cambio.area_inizio || cambio.area_inizio == 0) return cippo;
  return cippo_precedente(stato, cambio.area_inizio);
}

}  // namespace od
