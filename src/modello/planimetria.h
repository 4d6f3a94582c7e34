// The plan of the line: one row per metre, two coordinates per row.
//
// A row is empty, a 16-bit whole number pair (rows 0 and 1) or a pair of
// doubles, and rows are computed in order, so the kind of each row follows
// from how far the computation got. Every computed row repeats the step of
// the two rows before it, turned by the curvature of its run: a plan built
// from curves needs only those runs, at a few bytes per curve whatever the
// length, and produces its rows again, in order, whenever they are walked.
// The same operations in the same order give the same doubles, bit for bit,
// every time. A plan read back from a file has no runs: it holds the rows
// themselves.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace od {

class planimetria {
 public:
  enum class tipo_riga : uint8_t { vuota, intera, doppia };
  struct punto {
    double primo = 0, secondo = 0;
  };

  // Rows 0 to `ultima_riga`, all empty.
  void crea(int32_t ultima_riga);
  bool esiste() const { return righe_ > 0; }
  int32_t righe() const { return righe_; }
  // Rows 0 and 1: the start at the origin, heading along the second coordinate.
  void avvia();
  // Next row to compute (the geometry counter); 2 after avvia().
  int32_t calcolate() const { return calcolate_; }

  // A row as read: appends it as it is. Only before any prolunga().
  void aggiungi(double primo, double secondo);
  // Room for `righe` rows as read, so that a long plan grows in one step.
  void riserva(int32_t righe) { lette_.reserve(static_cast<std::size_t>(std::max(righe, 0))); }
  // Computes the rows from the counter up to and including `fino`, straight
  // when k is 0, else bent by k radians per metre; nothing when `fino` is
  // behind the counter. Needs avvia(); the caller keeps `fino` inside righe().
  void prolunga(int32_t fino, double k);

  tipo_riga tipo(int32_t riga) const;
  // A computed row; 0 for a row not computed. Replays the runs up to it:
  // walk many rows with per_ogni_riga instead.
  double primo(int32_t riga) const { return punto_di(riga).primo; }
  double secondo(int32_t riga) const { return punto_di(riga).secondo; }

  // Walks the computed rows in order, a stretch at a time, keeping the place
  // between stretches: a writer can fill a block, hand it on and go on.
  class cursore {
   public:
    explicit cursore(const planimetria& p);
    // The next row to be walked.
    int32_t riga() const { return riga_; }
    // Calls f(const punto&) for the next rows, at most `quante`, and
    // returns how many.
    template <typename F>
    int32_t avanza(int32_t quante, F&& f);

   private:
    const planimetria& p_;
    int32_t riga_ = 0;
    std::size_t tratto_ = 0;
    punto penultima_, ultima_;  // the rows before riga_, once past the read ones
  };

  // The row after `ultima`, with `penultima` before it, in a run bent by k
  // radians per metre (0: straight): the one step that every computed row
  // takes, for whoever needs to tell how a row was made.
  static punto passo(const punto& penultima, const punto& ultima, double k) {
    return k == 0.0 ? dritto(penultima, ultima) : curvo(penultima, ultima, k);
  }

  // A run of computed rows: its last row and its curvature.
  struct tratto {
    int32_t fino;  // last row of the run
    double k;      // radians per metre, 0 for a straight run
  };
  // The rows given as they are (read, or the two of avvia()), and the runs
  // computed after them: a reader that wants the curvature runs takes them
  // here rather than telling them again from the rows.
  int32_t righe_date() const { return static_cast<int32_t>(lette_.size()); }
  const std::vector<tratto>& tratti() const { return tratti_; }

  // Calls f(const punto&) for every computed row, 0 to calcolate() - 1, in order.
  template <typename F>
  void per_ogni_riga(F&& f) const {
    cursore(*this).avanza(calcolate_, f);
  }

 private:
  // The next row after `ultima`, with `penultima` before it. The step is not
  // normalised, so a bent row lengthens it by sqrt(1 + k*k).
  static punto dritto(const punto& penultima, const punto& ultima) {
    const double d1 = ultima.primo - penultima.primo, d2 = ultima.secondo - penultima.secondo;
    return {ultima.primo + d1, ultima.secondo + d2};
  }
  static punto curvo(const punto& penultima, const punto& ultima, double k) {
    const double d1 = ultima.primo - penultima.primo, d2 = ultima.secondo - penultima.secondo;
    return {ultima.primo + (d1 + k * d2), ultima.secondo + (d2 - k * d1)};
  }
  punto punto_di(int32_t riga) const;

  int32_t righe_ = 0;
  int32_t calcolate_ = 0;
  std::vector<punto> lette_;    // rows 0 .. lette_.size() - 1, as given
  std::vector<tratto> tratti_;  // the rows after them, run by run
};

template <typename F>
int32_t planimetria::cursore::avanza(int32_t quante, F&& f) {
  const int32_t inizio = riga_;
  const auto n_lette = static_cast<int32_t>(p_.lette_.size());
  const int32_t fine = riga_ + std::min(quante, p_.calcolate_ - riga_);  // one past the last row walked
  for (; riga_ < fine && riga_ < n_lette; ++riga_) f(p_.lette_[static_cast<std::size_t>(riga_)]);
  // The state lives in locals while a run is walked, so that it stays in registers.
  punto penultima = penultima_, ultima = ultima_;
  while (riga_ < fine) {
    const tratto& t = p_.tratti_[tratto_];
    const int32_t ultima_qui = std::min(t.fino, fine - 1);
    int32_t r = riga_;
    // Two loops rather than a test per row.
    if (t.k == 0.0) {
      for (; r <= ultima_qui; ++r) {
        const punto nuovo = dritto(penultima, ultima);
        f(nuovo);
        penultima = ultima;
        ultima = nuovo;
      }
    } else {
      const double k = t.k;
      for (; r <= ultima_qui; ++r) {
        const punto nuovo = curvo(penultima, ultima, k);
        f(nuovo);
        penultima = ultima;
        ultima = nuovo;
      }
    }
    riga_ = r;
    if (riga_ > t.fino) ++tratto_;
  }
  penultima_ = penultima;
  ultima_ = ultima;
  return riga_ - inizio;
}

}  // namespace od
