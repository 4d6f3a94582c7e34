// The plan held as runs must give, bit for bit, the rows that computing and
// storing every row gives: the reference below is that computation, row by
// row into two vectors, as the reader's algorithm states it.
#include "modello/planimetria.h"

#include <gtest/gtest.h>

#include <bit>
#include <stdexcept>
#include <vector>

#include "builder/memo_linea.h"
#include "output/file_binari.h"

namespace od {
namespace {

struct curva_prova {
  int32_t inizio, fine;
  double k;
};

struct righe_riferimento {
  std::vector<double> primo{0.0, 0.0}, secondo{0.0, 1.0};

  void prolunga(int32_t fino, int32_t fino_curva, double k) {
    auto riga = [this] { return static_cast<int32_t>(primo.size()); };
    while (riga() <= fino) {
      const std::size_t m = primo.size();
      const double d1 = primo[m - 1] - primo[m - 2], d2 = secondo[m - 1] - secondo[m - 2];
      primo.push_back(primo[m - 1] + d1);
      secondo.push_back(secondo[m - 1] + d2);
    }
    while (riga() <= fino_curva) {
      const std::size_t m = primo.size();
      const double d1 = primo[m - 1] - primo[m - 2], d2 = secondo[m - 1] - secondo[m - 2];
      primo.push_back(primo[m - 1] + (d1 + k * d2));
      secondo.push_back(secondo[m - 1] + (d2 - k * d1));
    }
  }
};

// Both forms of one line of `ultima` rows, with the reader's final straight.
void costruisci(const std::vector<curva_prova>& curve, int32_t ultima, planimetria& p, righe_riferimento& r) {
  p.crea(ultima);
  p.avvia();
  for (const curva_prova& c : curve) {
    prolunga_planimetria(p, c.inizio, c.fine, c.k);
    r.prolunga(c.inizio, c.fine, c.k);
  }
  prolunga_planimetria(p, ultima - 2, 0, 0.0);
  r.prolunga(ultima - 2, 0, 0.0);
}

buffer immagine_riferimento(const righe_riferimento& r, int32_t righe) {
  buffer b;
  for (const std::vector<double>* colonna : {&r.primo, &r.secondo}) {
    for (int32_t riga = 0; riga < righe; ++riga) {
      const auto i = static_cast<std::size_t>(riga);
      if (i >= colonna->size()) {
        put_u16(b, 0);
      } else if (riga < 2) {
        put_u16(b, 2);
        put_i16(b, static_cast<int16_t>((*colonna)[i]));
      } else {
        put_u16(b, 5);
        put_f64(b, (*colonna)[i]);
      }
    }
  }
  return b;
}

TEST(Planimetria, RunsGiveTheRowsOfTheRowByRowComputationBitForBit) {
  const std::vector<std::vector<curva_prova>> linee = {
      {},
      {{800, 1200, 0.001}},
      // Left and right, every curvature, one right after the other with the
      // same curvature, and one that starts inside the previous one.
      {{100, 400, -0.0001},
       {400, 900, -0.0001},
       {900, 1500, 0.0002},
       {1200, 2500, 0.0004},
       {3000, 3001, -0.002},
       {3001, 9000, 0.003},
       {12000, 30000, -0.001}},
      // A curve wholly behind the counter adds nothing.
      {{5000, 8000, 0.002}, {6000, 7000, -0.003}, {20000, 39000, 0.0001}},
  };
  for (std::size_t n = 0; n < linee.size(); ++n) {
    SCOPED_TRACE(n);
    planimetria p;
    righe_riferimento r;
    costruisci(linee[n], 40000, p, r);
    ASSERT_EQ(p.calcolate(), static_cast<int32_t>(r.primo.size()));
    // Over 64 KiB per column, so the image crosses several output blocks.
    EXPECT_EQ(immagine_planimetria(p), immagine_riferimento(r, p.righe()));
    std::size_t riga = 0;
    bool uguali = true;
    p.per_ogni_riga([&](const planimetria::punto& q) {
      uguali = uguali && std::bit_cast<uint64_t>(q.primo) == std::bit_cast<uint64_t>(r.primo[riga]) &&
               std::bit_cast<uint64_t>(q.secondo) == std::bit_cast<uint64_t>(r.secondo[riga]);
      ++riga;
    });
    EXPECT_TRUE(uguali);
    EXPECT_EQ(riga, r.primo.size());
    for (const int32_t campione : {0, 1, 2, 801, 2500, 9000, 39998}) {
      const auto i = static_cast<std::size_t>(campione);
      EXPECT_EQ(std::bit_cast<uint64_t>(p.primo(campione)), std::bit_cast<uint64_t>(r.primo[i])) << campione;
      EXPECT_EQ(std::bit_cast<uint64_t>(p.secondo(campione)), std::bit_cast<uint64_t>(r.secondo[i])) << campione;
    }
  }
}

TEST(Planimetria, ACursorResumesWhereItStopped) {
  planimetria p;
  righe_riferimento r;
  costruisci({{300, 700, 0.002}, {900, 950, -0.003}}, 2000, p, r);
  planimetria::cursore c(p);
  std::vector<double> primo;
  for (const int32_t passo : {1, 2, 297, 400, 1, 5000}) {
    const int32_t prima = c.riga();
    const int32_t fatte = c.avanza(passo, [&primo](const planimetria::punto& q) { primo.push_back(q.primo); });
    EXPECT_EQ(fatte, c.riga() - prima);
  }
  EXPECT_EQ(c.riga(), p.calcolate());
  EXPECT_EQ(c.avanza(10, [](const planimetria::punto&) {}), 0) << "nothing after the last computed row";
  EXPECT_EQ(primo, r.primo);
}

TEST(Planimetria, RowsOutsideTheComputationAndMisuse) {
  planimetria p;
  p.crea(100);
  EXPECT_EQ(p.tipo(0), planimetria::tipo_riga::vuota);
  EXPECT_EQ(p.primo(0), 0.0) << "a plan never started has no values";
  EXPECT_THROW(p.prolunga(10, 0.0), std::logic_error);
  p.avvia();
  p.prolunga(50, 0.001);
  EXPECT_EQ(p.tipo(1), planimetria::tipo_riga::intera);
  EXPECT_EQ(p.tipo(50), planimetria::tipo_riga::doppia);
  EXPECT_EQ(p.tipo(51), planimetria::tipo_riga::vuota);
  EXPECT_EQ(p.secondo(51), 0.0);
  EXPECT_EQ(p.tipo(-1), planimetria::tipo_riga::vuota);
  EXPECT_THROW(p.aggiungi(1.0, 2.0), std::logic_error) << "a read row cannot follow computed ones";
  p.prolunga(20, 0.0);
  EXPECT_EQ(p.calcolate(), 51) << "an end behind the counter computes nothing";
}

}  // namespace
}  // namespace od
