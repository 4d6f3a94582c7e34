// Curves from the plan geometry. Each computed row repeats the last step of
// the line, turned by the curvature k of the curve it lies in (0 on straight
// track): row(m) = row(m-1) + (d1 + k d2, d2 - k d1). Every row is checked
// against the stored previous two, so the curvature of each row is found on
// its own, bit for bit, and a damaged row does not spoil those after it.
// Consecutive rows of one curvature are one curve: its start is the row
// before the first bent row, its length the number of bent rows.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>

#include "modello/misure_linea.h"
#include "rilettura/planimetria_a_blocchi.h"
#include "tools/decompila/descrivi.h"
#include "tools/decompila/lettura_piano.h"

namespace od {
namespace {

// Curve digits run from 1 to this; a left curve turns the other way.
constexpr int cifre_curva = static_cast<int>(curvature.size());

struct tipo_curva {
  int cifra = 0;  // 0: straight
  bool sinistra = false;
  double k() const {
    if (cifra == 0) return 0.0;
    const double valore = curvature[static_cast<std::size_t>(cifra - 1)];
    return sinistra ? -valore : valore;
  }
  bool operator==(const tipo_curva&) const = default;
};

// Three consecutive rows: the two before and the one being explained.
struct tre_righe {
  planimetria::punto penultima, ultima, riga;
};

// Whether the plan's own step, bent by k, gives the row exactly.
bool genera(const tre_righe& t, double k) {
  const planimetria::punto atteso = planimetria::passo(t.penultima, t.ultima, k);
  return t.riga.primo == atteso.primo && t.riga.secondo == atteso.secondo;
}

// Equal bit for bit, as the file holds them (0.0 and -0.0 differ).
bool stessa_riga(const planimetria::punto& a, const planimetria::punto& b) {
  return std::bit_cast<uint64_t>(a.primo) == std::bit_cast<uint64_t>(b.primo) &&
         std::bit_cast<uint64_t>(a.secondo) == std::bit_cast<uint64_t>(b.secondo);
}

// The curvature that gives the row exactly, trying first that of the row
// before; failing all, the one nearest to the turn that the row shows.
tipo_curva curva_di_riga(const tre_righe& r, tipo_curva precedente) {
  if (genera(r, precedente.k())) return precedente;
  if (genera(r, 0.0)) return {};
  for (int cifra = 1; cifra <= cifre_curva; ++cifra) {
    for (const bool sinistra : {false, true}) {
      const tipo_curva t{cifra, sinistra};
      if (genera(r, t.k())) return t;
    }
  }
  const double d1 = r.ultima.primo - r.penultima.primo;
  const double d2 = r.ultima.secondo - r.penultima.secondo;
  const double e1 = r.riga.primo - r.ultima.primo - d1;
  const double e2 = r.riga.secondo - r.ultima.secondo - d2;
  const double quadrato = d1 * d1 + d2 * d2;
  const double k = quadrato > 0 ? (e1 * d2 - e2 * d1) / quadrato : 0.0;
  tipo_curva migliore;
  double distanza = std::abs(k);
  for (int cifra = 1; cifra <= cifre_curva; ++cifra) {
    for (const bool sinistra : {false, true}) {
      const tipo_curva t{cifra, sinistra};
      if (std::abs(k - t.k()) < distanza) {
        distanza = std::abs(k - t.k());
        migliore = t;
      }
    }
  }
  return migliore;
}

riga_descrizione riga_curva(tipo_curva t, int32_t prima, int32_t ultima) {
  const std::string chiave = std::string("curva") + (t.sinistra ? "s" : "d") + static_cast<char>('0' + t.cifra);
  return riga_numeri(chiave, {prima - 1, ultima - prima + 1});
}

// The curve of a run's curvature; nothing for one no curve key gives.
std::optional<tipo_curva> curva_di_k(double k) {
  if (k == 0.0) return tipo_curva{};
  for (int cifra = 1; cifra <= cifre_curva; ++cifra) {
    for (const bool sinistra : {false, true}) {
      const tipo_curva t{cifra, sinistra};
      if (t.k() == k) return t;
    }
  }
  return std::nullopt;
}

// A plan read as runs (piano_di_curve) already holds the curves that were
// found, one run per curvature, after the two starting rows: they are the
// curves, with no row walked again. Nothing when a run is not a curve key's.
std::optional<std::vector<riga_descrizione>> curve_dai_tratti(const planimetria& p) {
  if (p.righe_date() != 2 || p.tratti().empty()) return std::nullopt;
  std::vector<riga_descrizione> righe;
  int32_t inizio = 2;
  for (const planimetria::tratto& t : p.tratti()) {
    const std::optional<tipo_curva> curva = curva_di_k(t.k);
    if (!curva) return std::nullopt;
    if (curva->cifra != 0) righe.push_back(riga_curva(*curva, inizio, t.fino));
    inizio = t.fino + 1;
  }
  return righe;
}

}  // namespace

std::vector<riga_descrizione> descrivi_curve(const planimetria& p) {
  if (std::optional<std::vector<riga_descrizione>> dai_tratti = curve_dai_tratti(p)) return std::move(*dai_tratti);
  std::vector<riga_descrizione> righe;
  tipo_curva corrente;
  int32_t inizio = 0, m = 0;
  double k = 0.0;  // of `corrente`
  tre_righe r;
  // One walk over the rows, keeping the two before each; most rows go on
  // with the curvature of the row before, which is tried first.
  p.per_ogni_riga([&](const planimetria::punto& q) {
    r.penultima = r.ultima;
    r.ultima = r.riga;
    r.riga = q;
    if (m >= 2 && !genera(r, k)) {
      const tipo_curva t = curva_di_riga(r, corrente);
      if (t != corrente) {
        if (corrente.cifra != 0) righe.push_back(riga_curva(corrente, inizio, m - 1));
        corrente = t;
        k = t.k();
        inizio = m;
      }
    }
    ++m;
  });
  if (corrente.cifra != 0) righe.push_back(riga_curva(corrente, inizio, p.calcolate() - 1));
  return righe;
}

// Every row after the first two is explained by the curvature that
// descrivi_curve would find for it, and kept as a run of that curvature
// when the run replays it bit for bit. The plan so read is then the file's
// plan, row for row: the proof can compare runs instead of bytes.
std::optional<piano_letto> piano_di_curve(const std::string& percorso) {
  // The first row of each run and its curvature; a plan that starts straight
  // and one that starts bent both begin with row 2.
  std::vector<std::pair<int32_t, double>> inizi{{2, 0.0}};
  tipo_curva corrente;
  tre_righe r{.penultima = {0.0, 0.0}, .ultima = {0.0, 1.0}, .riga = {}};
  int32_t m = 2;
  bool esatto = true;
  const auto lotto = [&](std::span<const planimetria::punto> righe) {
    // Locals, so that the rows of a run are walked in registers.
    tre_righe t = r;
    double k = corrente.k();
    int32_t riga = m;
    for (const planimetria::punto& q : righe) {
      if (!esatto) return;
      if (!stessa_riga(planimetria::passo(t.penultima, t.ultima, k), q)) {
        t.riga = q;
        const tipo_curva nuova = curva_di_riga(t, corrente);
        esatto = stessa_riga(planimetria::passo(t.penultima, t.ultima, nuova.k()), q);
        if (nuova != corrente) {
          if (inizi.back().first == riga) inizi.pop_back();
          inizi.emplace_back(riga, nuova.k());
        }
        corrente = nuova;
        k = nuova.k();
      }
      t.penultima = t.ultima;
      t.ultima = q;
      ++riga;
    }
    r = t;
    m = riga;
  };
  const std::optional<forma_planimetria> forma = sfoglia_planimetria(percorso, lotto);
  if (!forma || !esatto) return std::nullopt;
  piano_letto letto{.piano = {}, .byte = forma->byte};
  letto.piano.crea(forma->righe - 1);
  if (forma->calcolate == 0) return letto;
  letto.piano.avvia();
  for (std::size_t n = 0; n < inizi.size(); ++n) {
    const int32_t fino = n + 1 < inizi.size() ? inizi[n + 1].first - 1 : m - 1;
    if (fino >= inizi[n].first) letto.piano.prolunga(fino, inizi[n].second);
  }
  return letto;
}

}  // namespace od
