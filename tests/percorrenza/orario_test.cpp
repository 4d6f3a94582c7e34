// The running-time calculation against closed forms, on small lines built
// cell by cell: each case fixes a train and a track where the fastest run can
// be worked out by hand.
#include "percorrenza/orario.h"

#include <gtest/gtest.h>

#include "percorrenza/marcia_tipo.h"
#include "percorrenza/proposta.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace od {
namespace {

constexpr double tolleranza = 0.5;  // seconds
constexpr double partenza = 36000;  // 10.00

struct linea_prova {
  scenario s;
  treno_percorrenza treno{0.5, 1.0, 0, 25};

  explicit linea_prova(int celle, int kmh = 90) {
    cella c;
    c.vmax = static_cast<uint8_t>(kmh / 5);
    c.pendenza = 100;
    s.binario.assign(static_cast<std::size_t>(celle), c);
  }
  // A station whose train stands at the start of `fermata` (a cell).
  void stazione(int voce_n, int32_t fermata, int32_t orario = 0, int sosta = 0) {
    voce& v = s.tabella[static_cast<std::size_t>(voce_n)];
    v.tipo = 2;
    v.nome = "S" + std::to_string(voce_n);
    v.posizione = fermata * 50;
    v.orario = orario;
    v.sosta = static_cast<uint8_t>(sosta);
    s.binario[static_cast<std::size_t>(fermata)].oggetto = oggetto::fermata;
    s.binario[static_cast<std::size_t>(fermata)].valore1 = static_cast<int16_t>(voce_n);
  }
  void rallentamento(int inizio, int fine, int kmh, int treno_intero = 0) {
    s.binario[static_cast<std::size_t>(inizio)] = {oggetto::inizio_rallentamento,
                                                   static_cast<int16_t>(kmh),
                                                   0,
                                                   static_cast<int16_t>(treno_intero),
                                                   0,
                                                   0,
                                                   0,
                                                   0,
                                                   14,
                                                   100,
                                                   0};
    s.binario[static_cast<std::size_t>(fine)].oggetto = oggetto::fine_rallentamento;
  }
  tabella_orario calcola() const { return calcola_orario(s, treno, 3); }
};

// Start to stop under one limit: accelerate, cruise, brake.
double sotto_un_limite(double d, double v, double a, double b) { return d / v + v / (2 * a) + v / (2 * b); }

TEST(Orario, StartToStopUnderOneLimitAndOnGradients) {
  linea_prova l(200);
  l.stazione(1, 2, 36000);
  l.stazione(2, 102);  // 5000 m further on
  tabella_orario t = l.calcola();
  ASSERT_EQ(t.errore, "");
  EXPECT_NEAR(t.stazioni[1].arrivo - partenza, sotto_un_limite(5000, 25, 0.5, 1.0), tolleranza);

  // 10 per mille up: acceleration and braking shift by g i / 1000.
  for (cella& c : l.s.binario) c.pendenza = 110;
  t = l.calcola();
  EXPECT_NEAR(t.stazioni[1].arrivo - partenza, sotto_un_limite(5000, 25, 0.5 - 0.0981, 1.0 + 0.0981), tolleranza);
  // 10 per mille down; 100 per mille down leaves the brake the lowest rate.
  for (cella& c : l.s.binario) c.pendenza = 90;
  t = l.calcola();
  EXPECT_NEAR(t.stazioni[1].arrivo - partenza, sotto_un_limite(5000, 25, 0.5 + 0.0981, 1.0 - 0.0981), tolleranza);
  linea_prova lunga(300);
  lunga.stazione(1, 2, 36000);
  lunga.stazione(2, 202);
  for (cella& c : lunga.s.binario) c.pendenza = 0;
  t = lunga.calcola();
  EXPECT_NEAR(t.stazioni[1].arrivo - partenza, sotto_un_limite(10000, 25, 0.5 + 0.981, tasso_minimo), tolleranza);
}

TEST(Orario, ALimitTooShortToReach) {
  linea_prova l(50, 140);
  l.stazione(1, 2, 36000);
  l.stazione(2, 6);  // 200 m: the peak stays far below 140 km/h
  const tabella_orario t = l.calcola();
  const double a = 0.5, b = 1.0, picco = std::sqrt(2 * a * b * 200 / (a + b));
  EXPECT_NEAR(t.stazioni[1].arrivo - partenza, picco / a + picco / b, tolleranza);
}

TEST(Orario, ASlowdownInTheMiddleAndTheWholeTrainRule) {
  // Per slowdown: brake to u and accelerate back cost (V - u)² / 2bV and
  // (V - u)² / 2aV over cruising, and its cells are run at u.
  const double v = 25, u = 30 / 3.6, a = 0.5, b = 1.0;
  const auto atteso = [&](double lento) {
    return sotto_un_limite(8000, v, a, b) + (v - u) * (v - u) / (2 * b * v) + (v - u) * (v - u) / (2 * a * v) +
           lento / u - lento / v;
  };
  linea_prova l(200);
  l.stazione(1, 2, 36000);
  l.stazione(2, 162);
  l.rallentamento(80, 85, 30);  // cells 80 to 85: 300 m
  tabella_orario t = l.calcola();
  EXPECT_NEAR(t.stazioni[1].arrivo - partenza, atteso(300), tolleranza);
  // Four cars of 25 m: the rear leaves the slowdown two cells later.
  l.s.tabella[voce_treno].posizione = 4;
  EXPECT_NEAR(l.calcola().stazioni[1].arrivo - partenza, atteso(300), tolleranza);
  l.rallentamento(80, 85, 30, 1);
  EXPECT_NEAR(l.calcola().stazioni[1].arrivo - partenza, atteso(400), tolleranza);
  // The train's own top speed lowers the whole line.
  l.treno.velocita_massima = 36;
  t = l.calcola();
  EXPECT_NEAR(t.stazioni[1].arrivo - partenza,
              sotto_un_limite(8000, 10, a, b) + (10 - u) * (10 - u) * (1 / (2 * b * 10) + 1 / (2 * a * 10)) + 400 / u -
                  400 / 10.0,
              tolleranza);
}

TEST(Orario, AStopWithItsStopTimeAndALaterScheduledDeparture) {
  const double tratto = sotto_un_limite(3000, 25, 0.5, 1.0);
  linea_prova l(300);
  l.stazione(1, 2, 36000);
  l.stazione(2, 62, 36000 + 600, 60);  // a timed stop 3000 m on
  l.stazione(3, 92);                   // passed 1500 m later, no time
  l.stazione(4, 122, 36000 + 900);     // the last, 3000 m after the stop
  tabella_orario t = l.calcola();
  ASSERT_EQ(t.errore, "");
  ASSERT_TRUE(t.stazioni[1].ferma);
  EXPECT_FALSE(t.stazioni[2].ferma);
  EXPECT_NEAR(t.stazioni[1].arrivo - partenza, tratto, tolleranza);
  EXPECT_NEAR(*t.stazioni[1].partenza - partenza, tratto + 60, tolleranza);
  EXPECT_NEAR(*t.stazioni[1].margine, 600 - tratto - 60, tolleranza);
  // The train waits for its scheduled departure at 10.10: the rest of the
  // run counts from it.
  const double dopo = 600 + 1500.0 / 25 + 25 / (2 * 0.5);
  EXPECT_NEAR(t.stazioni[2].arrivo - partenza, dopo, tolleranza);
  EXPECT_NEAR(t.stazioni[3].arrivo - partenza, 600 + tratto, tolleranza);
  ASSERT_EQ(t.tratte.size(), 2u);
  EXPECT_NEAR(t.tratte[0].minimo, tratto + 60, tolleranza);
  EXPECT_NEAR(t.tratte[1].minimo, tratto, tolleranza);
  EXPECT_NEAR(t.tratte[1].percento, 100 * (300 - tratto) / tratto, 0.1);
  EXPECT_TRUE(t.avvisi.empty());

  // Without the wait the stop time alone delays the run; a stop time
  // without a scheduled time is no stop.
  l.s.tabella[2].orario = 36000 + 100;
  l.s.tabella[3].sosta = 200;
  t = l.calcola();
  EXPECT_FALSE(t.stazioni[2].ferma);
  EXPECT_NEAR(t.stazioni[3].arrivo - partenza, 2 * tratto + 60, tolleranza);
  ASSERT_EQ(t.avvisi.size(), 1u);
  EXPECT_EQ(t.avvisi[0].genere, avviso_orario::tipo::impossibile);
  EXPECT_EQ(t.avvisi[0].stazione, 1u);
  EXPECT_EQ(t.avvisi[0].tratta, 0u);
  EXPECT_NEAR(*t.stazioni[1].margine, 100 - tratto - 60, tolleranza);

  // On time again, with a last section of 2.5 s over its minimum: below 3 %.
  l.s.tabella[2].orario = 36000 + 600;
  l.s.tabella[4].orario = static_cast<int32_t>(36000 + 600 + tratto + 2.5);
  t = l.calcola();
  ASSERT_EQ(t.avvisi.size(), 1u);
  EXPECT_EQ(t.avvisi[0].genere, avviso_orario::tipo::stretto);
  EXPECT_EQ(t.avvisi[0].tratta, 1u);
}

TEST(Orario, StationsOutOfOrderOrAStopWithoutAStoppingPoint) {
  linea_prova l(300);
  l.stazione(1, 2, 36000);
  l.stazione(2, 62, 36600, 60);
  l.stazione(3, 182);
  l.s.tabella[2].tipo = 26;  // no stopping point: passed, with a warning
  tabella_orario t = l.calcola();
  EXPECT_FALSE(t.stazioni[1].ferma);
  ASSERT_FALSE(t.avvisi.empty());
  EXPECT_EQ(t.avvisi[0].genere, avviso_orario::tipo::fermata_senza_punto);
  l.s.tabella[2].posizione = 9500;
  EXPECT_NE(l.calcola().errore, "");
  l.s.tabella[2] = voce{};
  l.s.tabella[3] = voce{};
  EXPECT_NE(l.calcola().errore, "");
}

// The linear allowance on one section under one limit: the speeds scaled by
// f give d / (f v) + f v / 2a + f v / 2b, and the bisection finds the f whose
// time is the fastest plus 5 %; the scaled run never exceeds the limit.
TEST(MarciaTipo, TheAllowanceOnOneSectionUnderOneLimit) {
  linea_prova l(200);
  l.stazione(1, 2, 36000);
  l.stazione(2, 102, 36000 + 600, 0);
  const tabella_orario veloce = l.calcola();
  ASSERT_EQ(veloce.errore, "");
  const double minimo = sotto_un_limite(5000, 25, 0.5, 1.0);
  const marcia tipo = marcia_tipo(veloce.corsa, 5);
  EXPECT_NEAR(tipo.tempo.back(), minimo * 1.05, tolleranza);
  for (double v : tipo.velocita) EXPECT_LE(v, 25 + 1e-9);
  EXPECT_LT(*std::max_element(tipo.velocita.begin(), tipo.velocita.end()), 25 * 0.97);
  // Against the standard run the scheduled 600 s leave 600 less 5 % more than the minimum.
  const tabella_orario t = calcola_orario(l.s, l.treno, 3, 5);
  EXPECT_NEAR(*t.stazioni[1].margine, 600 - minimo * 1.05, tolleranza);

  // The proposal: the arrival rounded up to the next half minute.
  const proposta_orario p = proponi_orario(l.s, l.treno, 5);
  ASSERT_EQ(p.errore, "");
  ASSERT_EQ(p.stazioni.size(), 2U);
  EXPECT_NEAR(p.stazioni[1].tipo, 36000 + minimo * 1.05, tolleranza);
  EXPECT_EQ(*p.stazioni[1].orario, al_mezzo_minuto_dopo(p.stazioni[1].tipo));
  EXPECT_GE(*p.stazioni[1].orario, p.stazioni[1].tipo);
  EXPECT_LT(*p.stazioni[1].orario, p.stazioni[1].tipo + 30);
  EXPECT_EQ(al_mezzo_minuto_dopo(27000), 27000);
  EXPECT_EQ(al_mezzo_minuto_dopo(27000.5), 27030);
}

// Two sections, a stop between: each section keeps its own share, and the
// proposed departure is the arrival plus the stop time, rounded up.
TEST(MarciaTipo, EachSectionBetweenStopsTakesItsShare) {
  linea_prova l(400);
  l.stazione(1, 2, 36000);
  l.stazione(2, 102, 36000 + 700, 60);
  l.stazione(3, 302);
  const tabella_orario veloce = l.calcola();
  ASSERT_EQ(veloce.errore, "");
  const marcia tipo = marcia_tipo(veloce.corsa, 10);
  const double primo = sotto_un_limite(5000, 25, 0.5, 1.0), secondo = sotto_un_limite(10000, 25, 0.5, 1.0);
  EXPECT_NEAR(tempo_a(tipo, 102 * 50), primo * 1.1, tolleranza);
  EXPECT_NEAR(tipo.tempo.back(), (primo + secondo) * 1.1, 2 * tolleranza);
  const proposta_orario p = proponi_orario(l.s, l.treno, 10);
  ASSERT_EQ(p.errore, "");
  const int32_t partenza_proposta = 36000 + al_mezzo_minuto_dopo(primo * 1.1 + 60);
  EXPECT_NEAR(*p.stazioni[1].partenza, partenza_proposta, 1);
  EXPECT_EQ(p.stazioni[1].arrivo, *p.stazioni[1].partenza - 60);
  EXPECT_FALSE(p.stazioni[2].partenza);
  EXPECT_GE(p.stazioni[2].arrivo, partenza_proposta + secondo * 1.1 - tolleranza);
  EXPECT_EQ(p.stazioni[2].arrivo % 30, 0);
}

}  // namespace
}  // namespace od
