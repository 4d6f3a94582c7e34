// The order is built from the end of the file backwards: a writer may come
// after all those still unplaced when every mark cell it writes, and that no
// writer placed after it writes again, holds its value. Placing such a writer
// only ever frees others, so taking one whenever one can be taken finds an
// order whenever there is one; among those that can be taken, the one that
// comes last in the usual order goes first.
#include "tools/decompila/preavvisi.h"

#include <array>
#include <queue>
#include <string>

#include "elementi/segnali.h"
#include "modello/misure_linea.h"
#include "modello/stazioni.h"
#include "tools/decompila/valori.h"

namespace od {
namespace {

int cifre(int64_t v) { return static_cast<int>(std::to_string(v).size()); }

struct scrittore {
  bool stazione = false;
  int32_t numero = 0;
  std::array<int64_t, 4> celle{-1, -1, -1, -1};  // -1: no mark
  std::array<int, 4> valori{};                   // a station's marks; a signal's j, added to its base
};

class ordinatore {
 public:
  ordinatore(const scenario& s, int stazioni) : s_(s), sistemata_(s.binario.size(), 0) {
    for (int i = 1; i <= stazioni; ++i) scrittori_.push_back(stazione(i));
    segnale_in_.assign(s.binario.size(), -1);
    for (int32_t c = 0; c <= s.ultima_cella(); ++c) {
      if (s.binario[static_cast<std::size_t>(c)].oggetto != oggetto::segnale) continue;
      segnale_in_[static_cast<std::size_t>(c)] = static_cast<int>(scrittori_.size());
      scrittori_.push_back(segnale(c));
    }
    stazioni_ = stazioni;
    messo_.assign(scrittori_.size(), 0);
    in_coda_.assign(scrittori_.size(), 0);
  }

  std::vector<scrittura_preavvisi> ordina() {
    for (int w = 0; w < static_cast<int>(scrittori_.size()); ++w) prova(w);
    std::vector<scrittura_preavvisi> dalla_fine;
    while (!coda_.empty()) {
      const int w = coda_.top();
      coda_.pop();
      std::optional<int> base;
      pronto(w, base);
      metti(w);
      dalla_fine.push_back(
          {scrittori_[static_cast<std::size_t>(w)].stazione, scrittori_[static_cast<std::size_t>(w)].numero, base});
    }
    // Writers that no order serves go first, in the usual order; the proof
    // then shows the marks that differ.
    for (int w = static_cast<int>(scrittori_.size()) - 1; w >= 0; --w) {
      if (messo_[static_cast<std::size_t>(w)] == 0) {
        dalla_fine.push_back({scrittori_[static_cast<std::size_t>(w)].stazione,
                              scrittori_[static_cast<std::size_t>(w)].numero, std::nullopt});
      }
    }
    return {dalla_fine.rbegin(), dalla_fine.rend()};
  }

 private:
  scrittore stazione(int i) {
    const voce& v = s_.tabella[static_cast<std::size_t>(i)];
    scrittore w{true, i, {-1, -1, -1, -1}, {}};
    if (v.tipo >= tipo_senza_fermata || tipo_capolinea(v.tipo)) return w;
    for (int j = 1; j <= 4; ++j) {
      const std::optional<int64_t> c = cella_preavviso_stazione(v.area_fine, j);
      if (!c || *c > s_.ultima_cella()) continue;
      w.celle[static_cast<std::size_t>(j - 1)] = *c;
      w.valori[static_cast<std::size_t>(j - 1)] = static_cast<int>(preavviso_stazione(j));
    }
    return w;
  }

  scrittore segnale(int32_t c) {
    scrittore w{false, c, {-1, -1, -1, -1}, {}};
    for (int j = 1; j <= preavvisi_per_segnale; ++j) {
      const int64_t m = cella_preavviso_segnale(c, j);
      if (m < 0) continue;
      w.celle[static_cast<std::size_t>(j - 1)] = m;
      w.valori[static_cast<std::size_t>(j - 1)] = j;
    }
    return w;
  }

  int preavviso(int64_t c) const { return s_.binario[static_cast<std::size_t>(c)].preavviso; }

  // Whether `w` can come after every writer still unplaced, and the base
  // that its marks then show.
  bool pronto(int w, std::optional<int>& base) const {
    const scrittore& x = scrittori_[static_cast<std::size_t>(w)];
    // Stations keep their order: the one after this must be placed already.
    if (x.stazione && w + 1 < stazioni_ && messo_[static_cast<std::size_t>(w + 1)] == 0) return false;
    base.reset();
    for (std::size_t j = 0; j < 4; ++j) {
      const int64_t c = x.celle[j];
      if (c < 0 || sistemata_[static_cast<std::size_t>(c)] != 0) continue;
      if (x.stazione) {
        if (preavviso(c) != x.valori[j]) return false;
        continue;
      }
      const int b = (preavviso(c) - x.valori[j]) & 0xFF;
      if (base && *base != b) return false;
      base = b;
    }
    if (x.stazione || !base) return true;
    const cella& k = s_.binario[static_cast<std::size_t>(x.numero)];
    return lati(k.valore4, k.attesa, base).has_value();
  }

  void prova(int w) {
    if (w < 0 || messo_[static_cast<std::size_t>(w)] != 0 || in_coda_[static_cast<std::size_t>(w)] != 0) return;
    std::optional<int> base;
    if (!pronto(w, base)) return;
    in_coda_[static_cast<std::size_t>(w)] = 1;
    coda_.push(w);
  }

  void metti(int w) {
    messo_[static_cast<std::size_t>(w)] = 1;
    const scrittore& x = scrittori_[static_cast<std::size_t>(w)];
    if (x.stazione) prova(w - 1);
    for (const int64_t c : x.celle) {
      if (c < 0 || sistemata_[static_cast<std::size_t>(c)] != 0) continue;
      sistemata_[static_cast<std::size_t>(c)] = 1;
      // Others that write this cell may now be free to go.
      for (int j = 1; j <= 4; ++j) {
        if (c + 2 * j <= s_.ultima_cella()) prova(segnale_in_[static_cast<std::size_t>(c + 2 * j)]);
      }
      for (int i = 0; i < stazioni_; ++i) {
        for (const int64_t d : scrittori_[static_cast<std::size_t>(i)].celle) {
          if (d == c) prova(i);
        }
      }
    }
  }

  const scenario& s_;
  std::vector<scrittore> scrittori_;  // stations in number order, then signals along the line
  std::vector<int> segnale_in_;       // the writer of the signal in each cell, -1 for none
  std::vector<uint8_t> sistemata_;    // a mark cell that a writer placed after holds
  std::vector<uint8_t> messo_, in_coda_;
  std::priority_queue<int> coda_;
  int stazioni_ = 0;
};

}  // namespace

std::optional<lati_segnale> lati(int16_t valore4, uint8_t attesa, std::optional<int> base) {
  const auto accettabile = [&](int64_t sx, int64_t dx) {
    if ((int64_t{valore4} - impacca_lati(0, sx, dx)) % 10 != 0) return false;
    if (base && (base_preavvisi_segnale(sx, dx) & 0xFF) != *base) return false;
    return attesa == 0 || sx == 2;
  };
  const lati_segnale naturale = lati_naturali(valore4);
  if (accettabile(naturale.sx, naturale.dx)) return naturale;
  std::optional<lati_segnale> migliore;
  for (int64_t sx = -20; sx <= 20; ++sx) {
    for (int64_t dx = -20; dx <= 20; ++dx) {
      if (!accettabile(sx, dx)) continue;
      const lati_segnale l{sx, dx, (int64_t{valore4} - impacca_lati(0, sx, dx)) / 10};
      if (!migliore || cifre(l.sx) + cifre(l.dx) + cifre(l.rapp) <
                           cifre(migliore->sx) + cifre(migliore->dx) + cifre(migliore->rapp)) {
        migliore = l;
      }
    }
  }
  return migliore;
}

std::vector<scrittura_preavvisi> ordine_preavvisi(const scenario& s, int stazioni) {
  return ordinatore(s, stazioni).ordina();
}

}  // namespace od
