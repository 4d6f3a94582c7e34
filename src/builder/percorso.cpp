// The walk over the finished track.
//
// One pass over cells 1 .. last - 2 looks at slowdown warnings (code 4) and
// slowdown starts (code 3) and places reduction markers (code 12, value 180)
// where the driver has to be slowed down ahead of time:
//   rule A   right before every signal in the 20 cells before a warning;
//   B1..B3   at three distances before a start (about 250, 550 and 900 m);
//   B4       every 400 m through a slowdown slower than 110 km/h;
//   B5       right before the first signal within 12 cells after the end.
// Each placement takes the first free cell (empty, or a mountain-run marker)
// of a short list; where none is free the walk records code 11, 12 or 13 and
// goes on. The walk sees what it placed at lower cells: a marker takes its
// cell for every later rule.
//
// A start whose end cell was overwritten (both in the same cell) has no end
// after it: such a slowdown gets neither the markers through it nor the one
// after it. Every index is checked against the track, so nothing outside it
// is ever read or written, whatever the reader left in the cells.
#include "builder/percorso.h"

#include <algorithm>
#include <array>

#include "builder/codici.h"
#include "builder/minimo.h"
#include "modello/misure_linea.h"

namespace od {
namespace {

constexpr int16_t valore_marcatore = 180;
constexpr int32_t celle_prima_avviso = 20;         // rule A looks this far back
constexpr int32_t prima_cella_segnale = 3;         // rule A: d - 2 stays on cell 1 or above
constexpr int16_t velocita_senza_marcatori = 110;  // km/h: B4 only below it
constexpr int32_t passo_marcatori = 8;             // B4: 400 m
constexpr int32_t celle_dopo_fine = 12;            // B5 looks this far ahead

// B1, B2, B3: the nearest of the three cells tried; the other two follow it
// downwards.
constexpr std::array<int32_t, 3> distanze_inizio{5, 11, 18};

constexpr int32_t codice_segnale = numero(codici::posto_segnale);
constexpr int32_t codice_inizio = numero(codici::posto_inizio);
constexpr int32_t codice_rallentamento = numero(codici::posto_rallentamento);

class cammino {
 public:
  cammino(scenario& stato, sessione_costruzione& sessione)
      : stato_(stato), sessione_(sessione), ultima_(static_cast<int32_t>(stato.binario.size()) - 1) {}

  int32_t ultima() const { return ultima_; }
  bool sul_binario(int32_t n) const { return n >= 0 && n <= ultima_; }
  cella& at(int32_t n) { return stato_.binario[static_cast<std::size_t>(n)]; }
  bool ha(int32_t n, uint8_t codice) { return sul_binario(n) && at(n).oggetto == codice; }
  bool libera(int32_t n) { return sul_binario(n) && cella_libera(at(n)); }

  // Places a marker at n when the cell is free; false when it is not.
  bool marca(int32_t n) {
    if (!libera(n)) return false;
    at(n).oggetto = oggetto::abbattimento;
    at(n).valore1 = valore_marcatore;
    return true;
  }

  // Records a code at the position of cell n for the item (signal or
  // slowdown start) in cell `elemento`; the walk goes on.
  void registra(int32_t codice, int32_t n, int32_t elemento) {
    const int32_t posizione = n * metri_cella;
    sessione_.codice.codice = codice;
    sessione_.codice.posizione = posizione;
    const auto origine = sessione_.origini.find(elemento);
    registra_avviso(sessione_, avviso_del_percorso(codice, posizione,
                                                   origine != sessione_.origini.end() ? &origine->second : nullptr));
  }

 private:
  scenario& stato_;
  sessione_costruzione& sessione_;
  int32_t ultima_;  // taken once, from the size of the track
};

// Rule A for the signal in cell d: a free cell before it is preferred; only
// when both are taken does an existing reduction there come down to 180.
void prima_del_segnale(cammino& w, int32_t d) {
  if (w.marca(d - 1) || w.marca(d - 2)) return;
  for (const int32_t n : {d - 1, d - 2}) {
    if (w.ha(n, oggetto::abbattimento)) {
      w.at(n).valore1 = minimo<int16_t>(valore_marcatore, w.at(n).valore1);
      return;
    }
  }
  w.registra(codice_segnale, d, d);
}

// Every signal in reach of the warning is treated, not only the nearest.
void regola_a(cammino& w, int32_t i) {
  for (int32_t b = 1; b <= celle_prima_avviso && i - b >= prima_cella_segnale; ++b) {
    if (w.ha(i - b, oggetto::segnale)) prima_del_segnale(w, i - b);
  }
}

// B1 to B3: a distance applies only when all three of its cells lie on cell 1
// or above.
void prima_dell_inizio(cammino& w, int32_t i) {
  for (const int32_t distanza : distanze_inizio) {
    if (i - distanza - 2 < 1) continue;
    if (!(w.marca(i - distanza) || w.marca(i - distanza - 1) || w.marca(i - distanza - 2))) {
      w.registra(codice_inizio, i, i);
    }
  }
}

// The slowdown's end: the first cell with code 2 after the start, or -1 when
// none lies on the track.
int32_t cella_fine(cammino& w, int32_t i) {
  for (int32_t k = i + 1; k <= w.ultima(); ++k) {
    if (w.ha(k, oggetto::fine_rallentamento)) return k;
  }
  return -1;
}

// B4. The count starts again from each marker actually placed, so a marker
// moved one cell down (or up) shifts the ones after it. When the eighth cell
// is the end itself, the marker goes just before it or, failing that, just
// after it. After a code 13 the count grows on and the slowdown gets no more.
void attraverso(cammino& w, int32_t i, int32_t fine) {
  int32_t contatore = 0;
  for (int32_t k = i + 1; k <= fine; ++k) {
    ++contatore;
    if (contatore != passo_marcatori) continue;
    if (w.marca(k)) {
      contatore = 0;
    } else if (w.marca(k - 1)) {
      contatore = 1;
    } else if (w.marca(k + 1)) {
      contatore = -1;
    } else {
      w.registra(codice_rallentamento, k, i);
    }
  }
}

// B5: a signal shortly after the end gets a marker right before it.
void dopo_la_fine(cammino& w, int32_t i, int32_t fine) {
  const int32_t ultima_cercata = std::min(fine + celle_dopo_fine, w.ultima());
  for (int32_t n = fine; n <= ultima_cercata; ++n) {
    if (!w.ha(n, oggetto::segnale)) continue;
    const int32_t s = n - 1;
    if (s > 0 && !(w.marca(s) || w.marca(s - 1))) w.registra(codice_rallentamento, fine, i);
    return;
  }
}

void regola_b(cammino& w, int32_t i) {
  prima_dell_inizio(w, i);
  const int32_t fine = cella_fine(w, i);
  if (fine < 0) return;
  if (w.at(i).valore1 < velocita_senza_marcatori) attraverso(w, i, fine);
  dopo_la_fine(w, i, fine);
}

}  // namespace

void cammina_binario(scenario& stato, sessione_costruzione& sessione) {
  cammino w(stato, sessione);
  for (int32_t i = 1; i <= w.ultima() - 2; ++i) {
    const uint8_t codice = w.at(i).oggetto;
    if (codice == oggetto::avviso_rallentamento) {
      regola_a(w, i);
    } else if (codice == oggetto::inizio_rallentamento) {
      regola_b(w, i);
    }
  }
}

}  // namespace od
