#include "percorrenza/proposta.h"

#include <cmath>

#include "percorrenza/marcia_tipo.h"
#include "percorrenza/orario.h"

namespace od {

int32_t al_mezzo_minuto_dopo(double secondi) {
  // A time a thousandth of a second past a half minute is that half minute:
  // the run's own arithmetic is not that exact.
  return static_cast<int32_t>(std::ceil((secondi - 1e-3) / 30) * 30);
}

proposta_orario proponi_orario(const scenario& stato, const treno_percorrenza& treno, double abbuono) {
  proposta_orario p;
  p.abbuono = abbuono;
  const tabella_orario veloce = calcola_orario(stato, treno, 0);
  if (!veloce.errore.empty()) {
    p.errore = veloce.errore;
    return p;
  }
  const marcia tipo = marcia_tipo(veloce.corsa, abbuono);
  // Where and when the train last left: the run's own time there, and the clock's.
  double partito = veloce.stazioni.front().arrivo;
  double corsa_partito = 0;
  for (std::size_t i = 0; i < veloce.stazioni.size(); ++i) {
    const tempo_stazione& t = veloce.stazioni[i];
    const voce& v = stato.tabella[static_cast<std::size_t>(t.voce)];
    stazione_proposta s;
    s.voce = t.voce;
    s.nome = t.nome;
    s.ferma = t.ferma;
    const double corsa = tempo_a(tipo, t.punto);
    s.tipo = partito + corsa - corsa_partito;
    const bool ultima = i + 1 == veloce.stazioni.size();
    if (i == 0) {
      s.arrivo = static_cast<int32_t>(std::nearbyint(partito));
      s.partenza = s.arrivo;
    } else if (t.ferma && !ultima) {
      s.partenza = al_mezzo_minuto_dopo(s.tipo + v.sosta);
      s.arrivo = *s.partenza - v.sosta;
      s.orario = s.partenza;
      partito = *s.partenza;
      corsa_partito = corsa;
    } else {
      s.arrivo = al_mezzo_minuto_dopo(s.tipo);
      if (t.ferma || v.orario != 0) s.orario = s.arrivo;
    }
    p.stazioni.push_back(std::move(s));
  }
  return p;
}

}  // namespace od
