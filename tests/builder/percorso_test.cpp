#include "builder/percorso.h"

#include <gtest/gtest.h>

#include <vector>

namespace od {
namespace {

// A track of cells 0 .. ultima, all empty.
scenario binario_vuoto(int32_t ultima = 200) {
  scenario stato;
  stato.binario.assign(static_cast<std::size_t>(ultima) + 1, cella{});
  return stato;
}

cella& at(scenario& stato, int32_t n) { return stato.binario.at(static_cast<std::size_t>(n)); }

void metti(scenario& stato, int32_t n, uint8_t codice, int16_t valore1 = 0) {
  at(stato, n).oggetto = codice;
  at(stato, n).valore1 = valore1;
}

// A slowdown start in `inizio` at `velocita` km/h and its end in `fine`.
void rallentamento(scenario& stato, int32_t inizio, int16_t velocita, int32_t fine) {
  metti(stato, inizio, oggetto::inizio_rallentamento, velocita);
  metti(stato, fine, oggetto::fine_rallentamento, velocita);
}

// Cells holding code 12, in order; each must carry the value 180 unless the
// test placed it itself.
std::vector<int32_t> marcatori(const scenario& stato) {
  std::vector<int32_t> celle;
  for (std::size_t n = 0; n < stato.binario.size(); ++n) {
    if (stato.binario[n].oggetto == oggetto::abbattimento) celle.push_back(static_cast<int32_t>(n));
  }
  return celle;
}

using celle = std::vector<int32_t>;

TEST(CamminaBinario, SignalsBeforeAWarningGetAMarkerRightBeforeThem) {
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  metti(stato, 30, oggetto::avviso_rallentamento, 60);
  metti(stato, 15, oggetto::segnale);
  metti(stato, 25, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{14, 24}));
  EXPECT_EQ(at(stato, 14).valore1, 180);
  EXPECT_EQ(at(stato, 24).valore1, 180);
  EXPECT_EQ(sessione.codice.codice, 0);
  EXPECT_TRUE(sessione.avvisi.empty());

  // 20 cells back is the reach: a signal in 10 is treated, one in 9 is not.
  stato = binario_vuoto();
  metti(stato, 30, oggetto::avviso_rallentamento, 60);
  metti(stato, 10, oggetto::segnale);
  metti(stato, 9, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{8}));  // 9 is taken by its own signal

  // The cell right before a signal taken: the one before that.
  stato = binario_vuoto();
  metti(stato, 30, oggetto::avviso_rallentamento, 60);
  metti(stato, 25, oggetto::segnale);
  metti(stato, 24, oggetto::cartello, 80);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{23}));
}

TEST(CamminaBinario, AnExistingReductionBeforeASignalIsLoweredOnlyWhenNoCellIsFree) {
  for (const int16_t valore : {int16_t{250}, int16_t{120}}) {
    scenario stato = binario_vuoto();
    sessione_costruzione sessione;
    metti(stato, 30, oggetto::avviso_rallentamento, 60);
    metti(stato, 25, oggetto::segnale);
    metti(stato, 24, oggetto::abbattimento, valore);
    metti(stato, 23, oggetto::fermata, 2);
    cammina_binario(stato, sessione);
    EXPECT_EQ(marcatori(stato), (celle{24})) << valore;
    EXPECT_EQ(at(stato, 24).valore1, valore == 250 ? 180 : 120);
    EXPECT_EQ(at(stato, 23).oggetto, oggetto::fermata);
  }

  // A reduction two cells before, behind a taken cell, is the one lowered.
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  metti(stato, 30, oggetto::avviso_rallentamento, 60);
  metti(stato, 25, oggetto::segnale);
  metti(stato, 24, oggetto::fermata, 2);
  metti(stato, 23, oggetto::abbattimento, 300);
  cammina_binario(stato, sessione);
  EXPECT_EQ(at(stato, 23).valore1, 180);

  // A free cell wins over a reduction that stands there already.
  stato = binario_vuoto();
  metti(stato, 30, oggetto::avviso_rallentamento, 60);
  metti(stato, 25, oggetto::segnale);
  metti(stato, 24, oggetto::abbattimento, 300);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{23, 24}));
  EXPECT_EQ(at(stato, 24).valore1, 300);
}

TEST(CamminaBinario, ASignalWithoutRoomRecordsCode11AndTheWalkGoesOn) {
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  metti(stato, 30, oggetto::avviso_rallentamento, 60);
  metti(stato, 25, oggetto::segnale);
  metti(stato, 24, oggetto::fermata, 1);
  metti(stato, 23, oggetto::cartello, 80);
  metti(stato, 15, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{14}));
  EXPECT_EQ(sessione.codice.codice, 11);
  EXPECT_EQ(sessione.codice.posizione, 25 * 50);
  ASSERT_EQ(sessione.avvisi.size(), 1u);
  EXPECT_EQ(sessione.avvisi[0].codice, 11);
  EXPECT_EQ(sessione.avvisi[0].posizione, 1250);
}

TEST(CamminaBinario, RuleANeverLooksBelowCellThree) {
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  metti(stato, 5, oggetto::avviso_rallentamento, 60);
  metti(stato, 3, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{2}));

  stato = binario_vuoto();
  metti(stato, 5, oggetto::avviso_rallentamento, 60);
  metti(stato, 2, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_TRUE(marcatori(stato).empty());
}

TEST(CamminaBinario, ThreeMarkersBeforeASlowdownStart) {
  // 120 km/h: no markers through the slowdown, none after it.
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  rallentamento(stato, 100, 120, 110);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95}));
  for (const int32_t n : marcatori(stato)) EXPECT_EQ(at(stato, n).valore1, 180);

  stato = binario_vuoto();
  rallentamento(stato, 10, 120, 20);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{5}));

  stato = binario_vuoto();
  rallentamento(stato, 7, 120, 17);
  cammina_binario(stato, sessione);
  EXPECT_TRUE(marcatori(stato).empty());
}

TEST(CamminaBinario, BeforeAStartTheFirstFreeOfThreeCellsTakesTheMarkerElseCode12) {
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  rallentamento(stato, 100, 120, 110);
  metti(stato, 95, oggetto::segnale);
  metti(stato, 89, oggetto::segnale);
  metti(stato, 88, oggetto::segnale);
  metti(stato, 82, oggetto::cartello, 80);
  metti(stato, 81, oggetto::cartello, 79);
  metti(stato, 80, oggetto::cartello, 78);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{87, 94}));
  EXPECT_EQ(sessione.codice.codice, 12);
  EXPECT_EQ(sessione.codice.posizione, 5000);
  ASSERT_EQ(sessione.avvisi.size(), 1u);
  EXPECT_EQ(sessione.avvisi[0].codice, 12);
}

TEST(CamminaBinario, MarkersEvery400mThroughASlowSlowdown) {
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  rallentamento(stato, 100, 30, 120);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95, 108, 116}));

  // The eighth cell is the end itself: the marker goes right before it...
  stato = binario_vuoto();
  rallentamento(stato, 100, 30, 116);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95, 108, 115}));

  // ...or, when that is taken, right after it.
  stato = binario_vuoto();
  rallentamento(stato, 100, 30, 116);
  metti(stato, 115, oggetto::cartello, 80);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95, 108, 117}));

  // 110 km/h and more: none through it; 109 still gets them.
  stato = binario_vuoto();
  rallentamento(stato, 100, 110, 120);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95}));
  stato = binario_vuoto();
  rallentamento(stato, 100, 109, 120);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95, 108, 116}));
}

TEST(CamminaBinario, TheCountThroughASlowdownRestartsFromEachMarkerPlaced) {
  // 108 taken: the marker goes to 107 and the next ones follow 8 cells from it.
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  rallentamento(stato, 100, 30, 140);
  metti(stato, 108, oggetto::cartello, 80);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95, 107, 115, 123, 131, 139}));

  // 107, 108, 109 taken: code 13 at 108 and no further marker through it.
  stato = binario_vuoto();
  rallentamento(stato, 100, 30, 140);
  for (const int32_t n : {107, 108, 109}) metti(stato, n, oggetto::cartello, 80);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95}));
  EXPECT_EQ(sessione.codice.codice, 13);
  EXPECT_EQ(sessione.codice.posizione, 108 * 50);
}

TEST(CamminaBinario, AMarkerBeforeTheFirstSignalShortlyAfterTheEnd) {
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  rallentamento(stato, 100, 120, 120);
  metti(stato, 125, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95, 124}));

  stato = binario_vuoto();
  rallentamento(stato, 100, 120, 120);
  metti(stato, 125, oggetto::segnale);
  metti(stato, 124, oggetto::cartello, 80);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95, 123}));

  // Only the first signal counts, even when it has no room.
  stato = binario_vuoto();
  rallentamento(stato, 100, 120, 120);
  metti(stato, 125, oggetto::segnale);
  metti(stato, 124, oggetto::cartello, 80);
  metti(stato, 123, oggetto::cartello, 79);
  metti(stato, 130, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95}));
  EXPECT_EQ(sessione.codice.codice, 13);
  EXPECT_EQ(sessione.codice.posizione, 120 * 50);

  // Twelve cells after the end is the reach.
  stato = binario_vuoto();
  rallentamento(stato, 100, 120, 120);
  metti(stato, 132, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95, 131}));
  stato = binario_vuoto();
  rallentamento(stato, 100, 120, 120);
  metti(stato, 133, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{82, 89, 95}));
}

TEST(CamminaBinario, MountainRunMarkersCountAsFreeAndAreOverwritten) {
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  for (int32_t n = 0; n <= 200; ++n) metti(stato, n, oggetto::segno_montagna);
  rallentamento(stato, 100, 30, 116);
  metti(stato, 30, oggetto::avviso_rallentamento, 30);
  metti(stato, 25, oggetto::segnale);
  metti(stato, 121, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{24, 82, 89, 95, 108, 115, 120}));
  for (const int32_t n : marcatori(stato)) EXPECT_EQ(at(stato, n).valore1, 180) << n;
  EXPECT_EQ(sessione.codice.codice, 0);
}

TEST(CamminaBinario, CodesAreRecordedInOrderAndTheLastOneStays) {
  scenario stato = binario_vuoto();
  sessione_costruzione sessione;
  // Code 11 at cell 25, then code 12 at cell 100 (B1 only; B2 and B3 find room).
  metti(stato, 30, oggetto::avviso_rallentamento, 60);
  metti(stato, 25, oggetto::segnale);
  metti(stato, 24, oggetto::fermata, 1);
  metti(stato, 23, oggetto::fermata, 2);
  rallentamento(stato, 100, 120, 110);
  for (const int32_t n : {95, 94, 93}) metti(stato, n, oggetto::cartello, 80);
  cammina_binario(stato, sessione);
  ASSERT_EQ(sessione.avvisi.size(), 2u);
  EXPECT_EQ(sessione.avvisi[0].codice, 11);
  EXPECT_EQ(sessione.avvisi[0].posizione, 1250);
  EXPECT_EQ(sessione.avvisi[1].codice, 12);
  EXPECT_EQ(sessione.avvisi[1].posizione, 5000);
  EXPECT_EQ(sessione.codice.codice, 12);
  EXPECT_EQ(sessione.codice.posizione, 5000);
}

TEST(CamminaBinario, ASlowdownNearTheEndOfTheTrackNeverRunsOffIt) {
  // No end cell after the start (the start overwrote it): no markers through
  // or after it, and the search stops at the last cell.
  scenario stato = binario_vuoto(200);
  sessione_costruzione sessione;
  metti(stato, 190, oggetto::inizio_rallentamento, 30);
  metti(stato, 200, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{172, 179, 185}));
  EXPECT_EQ(sessione.codice.codice, 0);

  // The eighth cell is the last one and the cell before it is taken: the cell
  // after it does not exist, so code 13 and nothing beyond the track.
  stato = binario_vuoto(200);
  rallentamento(stato, 192, 30, 200);
  metti(stato, 199, oggetto::cartello, 80);
  cammina_binario(stato, sessione);
  EXPECT_EQ(stato.binario.size(), 201u);
  EXPECT_EQ(marcatori(stato), (celle{174, 181, 187}));
  EXPECT_EQ(sessione.codice.codice, 13);
  EXPECT_EQ(sessione.codice.posizione, 200 * 50);

  // An end two cells before the last: the signal search stops at the last cell.
  stato = binario_vuoto(200);
  rallentamento(stato, 190, 120, 198);
  metti(stato, 200, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{172, 179, 185, 199}));

  // No track at all: nothing to walk.
  scenario senza;
  sessione_costruzione sessione_senza;
  cammina_binario(senza, sessione_senza);
  EXPECT_TRUE(senza.binario.empty());
  EXPECT_EQ(sessione_senza.codice.codice, 0);
}

TEST(CamminaBinario, OnlyCellsUpToTheThirdLastAreWalked) {
  scenario stato = binario_vuoto(200);
  sessione_costruzione sessione;
  metti(stato, 199, oggetto::avviso_rallentamento, 60);
  metti(stato, 190, oggetto::segnale);
  cammina_binario(stato, sessione);
  EXPECT_TRUE(marcatori(stato).empty());

  metti(stato, 198, oggetto::avviso_rallentamento, 60);
  cammina_binario(stato, sessione);
  EXPECT_EQ(marcatori(stato), (celle{189}));
}

}  // namespace
}  // namespace od
