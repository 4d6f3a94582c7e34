#include "builder/memo_linea.h"

#include <array>
#include <utility>

#include "modello/misure_linea.h"
#include "scenario_text/flusso_campi.h"

namespace od {
namespace {

struct progressiva {
  int32_t x, y, z;  // position, progressive, direction flag
};

progressiva leggi_progressiva(const voce& v) { return {v.area_inizio, v.area_fine, v.posizione}; }

void scrivi_progressiva(voce& v, const progressiva& p) {
  v.area_inizio = p.x;
  v.area_fine = p.y;
  v.posizione = p.z;
}

// Order when the positions sum to something: by position, largest first;
// between equal smaller positions "uno" before "due" before "tre".
std::array<progressiva, 3> ordina_per_posizione(const progressiva& t, const progressiva& d, const progressiva& u) {
  std::array<progressiva, 3> ordine{u, d, t};  // tie order
  // A stable sort by descending position keeps the tie order.
  for (int i = 1; i < 3; ++i) {
    for (int j = i; j > 0 && ordine[j].x > ordine[j - 1].x; --j) std::swap(ordine[j], ordine[j - 1]);
  }
  if (ordine[0].x == ordine[1].x) ordine = {};  // the largest position is shared
  return ordine;
}

// Order when the positions sum to zero: by which progressive is set.
std::array<progressiva, 3> ordina_per_progressiva(const progressiva& t, const progressiva& d, const progressiva& u) {
  if (u.y > 0) return {u, d, t};
  if (d.y > 0) return {d, t, u};
  if (t.y > 0) return {t, d, u};
  return {};
}

}  // namespace

void progressive_ordina(scenario& stato) {
  const progressiva t = leggi_progressiva(stato.tabella[voce_progressive]);
  const progressiva d = leggi_progressiva(stato.tabella[voce_progressive + 1]);
  const progressiva u = leggi_progressiva(stato.tabella[voce_progressive + 2]);
  const int64_t somma = int64_t{t.x} + d.x + u.x;
  std::array<progressiva, 3> ordine = somma != 0 ? ordina_per_posizione(t, d, u) : ordina_per_progressiva(t, d, u);
  for (int i = 0; i < 3; ++i) {
    // Summed wide: a progressive written near the 32-bit limit must not
    // overflow; the entry keeps the low 32 bits, as it always stored them.
    if (ordine[i].z == 1) ordine[i].y = static_cast<int32_t>(int64_t{ordine[i].y} + 100);
    scrivi_progressiva(stato.tabella[voce_progressive + i], ordine[i]);
  }
}

void memo_montagna(scenario& stato, montagne_lette& montagne, int32_t& inizio, int32_t& fine, int32_t& tipo) {
  const bool con_segni = tipo > 10;
  if (con_segni) tipo -= 10;
  const int32_t n = ++montagne.quanti;
  montagne.inizio[n] = inizio;
  montagne.fine[n] = fine;
  if (n > 1 && int64_t{montagne.inizio[n]} - montagne.fine[n - 1] <= 150) tipo = 3;
  const int64_t prima = cella_di(inizio);
  const int64_t ultima = cella_di(int64_t{fine} - metri_cella);
  int64_t conteggio = 0;
  for (int64_t c = prima; c <= ultima; ++c) {
    cella& cella_run = stato.binario[static_cast<std::size_t>(c)];
    cella_run.montagna = static_cast<uint8_t>(tipo);
    ++conteggio;
    if (con_segni && conteggio % 4 == 0 && cella_run.oggetto == oggetto::vuoto)
      cella_run.oggetto = oggetto::segno_montagna;
  }
}

double curvatura_chiave(const std::string& chiave) {
  for (std::size_t i = 0; i < curvature.size(); ++i) {
    if (contiene(chiave, std::string(1, static_cast<char>('1' + i)))) return curvature[i];
  }
  return 0.0;
}

void prolunga_planimetria(planimetria& p, int32_t fino, int32_t fino_curva, double k) {
  p.prolunga(fino, 0.0);
  p.prolunga(fino_curva, k);
}

}  // namespace od
