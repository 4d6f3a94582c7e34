#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "documento_scritto.h"
#include "documents/documenti.h"

namespace od {
namespace {

using namespace prova;

constexpr std::string_view nome_scheda = "Orsella_Drumvane_xr40318_scheda_treno.txt";

std::vector<std::string> scheda(bool sopra_vecchio = false) {
  const std::string testo = scrivi_e_leggi(dati_scheda, nome_scheda, sopra_vecchio);
  controlla_testo_semplice(testo);
  return righe_lette(testo);
}

// 1-based, as the lines of the sheet are counted.
const std::string& riga(const std::vector<std::string>& r, std::size_t n) { return r.at(n - 1); }

const std::string separatore = " |-----|-----|----------|-----|----------------------------|-------------------|-----|";
const std::string regola = " |_____|_____|__________|_____|____________________________|___________________|_____|";

TEST(SchedaTreno, ThirtyEightCrLfLinesEndingWithTheNote) {
  for (bool sopra_vecchio : {false, true}) {
    const std::vector<std::string> r = scheda(sopra_vecchio);
    ASSERT_EQ(r.size(), 38U);
    EXPECT_EQ(riga(r, 10), "");
    EXPECT_EQ(riga(r, 36), "");
    EXPECT_EQ(riga(r, 37), "");
    EXPECT_EQ(riga(r, 38), "Nota: Nella colonna Orario il simbolo '+' indica 'mezzo minuto'.");
  }
}

TEST(SchedaTreno, QuotedLinesStandByteForByte) {
  const std::vector<std::string> r = scheda();
  ASSERT_EQ(r.size(), 38U);
  EXPECT_EQ(riga(r, 1), "  " + std::string(19, '_') + spazi(50) + std::string(14, '_'));
  EXPECT_EQ(riga(r, 2), " |                   |                    SCHEDA                      |              |");
  EXPECT_EQ(riga(r, 3), " |   TRENO n. 40326  |                   da: ORSELLA                  |    V140 C    |");
  EXPECT_EQ(riga(r, 4), " |___________________|                    a: DRUMVANE                 |     120%     |");
  EXPECT_EQ(riga(r, 5), spazi(70) + "|______________|");
  EXPECT_EQ(riga(r, 6), "  ___________________                ___________________ ");
  EXPECT_EQ(riga(r, 7), " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |");
  EXPECT_EQ(riga(r, 8), " |     REGIONALE     |              |      280T         |");
  EXPECT_EQ(riga(r, 9), " |___________________|              |___________________|");
  EXPECT_EQ(riga(r, 11), "  " + std::string(83, '_'));
  EXPECT_EQ(riga(r, 12), " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |      Orario       | Rec |");
  EXPECT_EQ(riga(r, 13), " | Lim.|Marc.|          |  Rs |                            |                   |     |");
  EXPECT_EQ(riga(r, 14), regola);
  EXPECT_EQ(riga(r, 15), " |  80 |  70 |   0.000  |     | ORSELLA                    |             10.03 |     |");
  EXPECT_EQ(riga(r, 34), " |     |     |   0.000  |     | DRUMVANE                   | 11.33             |     |");
  EXPECT_EQ(riga(r, 35), regola);
}

TEST(SchedaTreno, FramesKeepTheirWidthsAndColumns) {
  const std::vector<std::string> r = scheda();
  ASSERT_EQ(r.size(), 38U);
  const std::vector<std::size_t> testata = barre_tabella({19, 48, 14});
  const std::vector<std::size_t> riquadri = barre_tabella({19, 14, 19});
  const std::vector<std::size_t> tabella = barre_tabella({5, 5, 10, 5, 28, 19, 5});
  EXPECT_EQ(riga(r, 1).size(), 85U);
  EXPECT_EQ(riga(r, 11).size(), 85U);
  for (std::size_t n = 2; n <= 4; ++n) EXPECT_EQ(barre(riga(r, n)), testata) << "riga " << n;
  EXPECT_EQ(barre(riga(r, 5)), (std::vector<std::size_t>{70, 85}));
  for (std::size_t n : {2, 3, 4, 5}) EXPECT_EQ(riga(r, n).size(), 86U) << "riga " << n;
  for (std::size_t n = 6; n <= 9; ++n) EXPECT_EQ(riga(r, n).size(), 57U) << "riga " << n;
  for (std::size_t n = 7; n <= 9; ++n) EXPECT_EQ(barre(riga(r, n)), riquadri) << "riga " << n;
  for (std::size_t n = 12; n <= 35; ++n) {
    EXPECT_EQ(riga(r, n).size(), 86U) << "riga " << n;
    EXPECT_EQ(barre(riga(r, n)), tabella) << "riga " << n;
  }
  // The top rules stand over the boxes below them.
  EXPECT_EQ(riga(r, 1).find_first_not_of(' '), testata[0] + 1);
  EXPECT_EQ(riga(r, 1).find_last_of(' '), testata[2]);
  EXPECT_EQ(riga(r, 11).find_first_not_of(' '), tabella.front() + 1);
  EXPECT_EQ(riga(r, 11).size(), tabella.back());
}

struct atteso {
  std::string progressiva;
  std::string orario;
};

// The Orario cell's four forms, 19 characters each.
std::string partenza(const std::string& t) { return spazi(13) + t + " "; }
std::string transito(const std::string& t) { return a_colonna(7, t, 19); }
std::string sosta(const std::string& a, const std::string& p) { return " " + a + spazi(7) + p + " "; }
std::string arrivo(const std::string& t) { return " " + t + spazi(13); }

TEST(SchedaTreno, StationRowsCarryProgressivesAndTimes) {
  const std::vector<std::string> r = scheda();
  ASSERT_EQ(r.size(), 38U);
  const std::array<atteso, 18> attesi{{
      {"0.000", partenza("10.03")},
      {"8.450", transito("10.11")},
      {"13.650", transito("10.13")},
      {"16.550", transito("10.16")},
      {"22.900", transito("10.21")},
      {"31.800", sosta("10.30", "10.31")},
      {"42.150", transito("10.41")},
      {"50.400", sosta("10.49", "10.50")},
      {"54.250", transito("10.53+")},
      {"58.100", transito("10.57")},
      {"70.850", transito("11.07+")},
      {"77.750", sosta("11.13", "11.14")},
      {"82.350", transito("11.19")},
      {"13.100", transito("11.20+")},
      {"11.950", transito("11.21+")},
      {"11.400", transito("11.22")},
      {"4.900", transito("11.27")},
      {"0.000", arrivo("11.33")},
  }};
  const std::array<std::string, 18> localita{
      "ORSELLA",      "VALDREZZA", "FONTEBRISA",     "CASTELGRISO", "MOLVERANO",     "PRAVESSO",
      "BORGO TEVANO", "LAGORSO",   "P.M. km 54+250", "ROCCAVELLO",  "TREMOSCA",      "CAMPOLUSTRO",
      "ALPE GRENNA",  "MISSALDO",  "VAL CIARESE",    "SOLIVERA",    "PONTE ARVELLO", "DRUMVANE"};

  // The dashed separators mark where the posted progressive restarts: after
  // the second and the thirteenth station.
  std::vector<std::string> stazioni;
  std::vector<std::size_t> separatori;
  for (std::size_t n = 15; n <= 34; ++n) {
    if (riga(r, n) == separatore) {
      separatori.push_back(stazioni.size());
    } else {
      stazioni.push_back(riga(r, n));
    }
  }
  EXPECT_EQ(separatori, (std::vector<std::size_t>{2, 13}));
  ASSERT_EQ(stazioni.size(), 18U);

  for (std::size_t i = 0; i < stazioni.size(); ++i) {
    const std::vector<std::string> c = celle(stazioni[i]);
    ASSERT_EQ(c.size(), 7U) << "stazione " << i + 1;
    EXPECT_EQ(c[0], i == 0 ? "  80 " : spazi(5)) << "stazione " << i + 1;
    EXPECT_EQ(c[1], i == 0 ? "  70 " : spazi(5)) << "stazione " << i + 1;
    EXPECT_EQ(c[2], spazi(8 - attesi[i].progressiva.size()) + attesi[i].progressiva + "  ") << "stazione " << i + 1;
    EXPECT_EQ(c[3], spazi(5)) << "stazione " << i + 1;
    EXPECT_EQ(c[4], a_colonna(1, localita[i], 28)) << "stazione " << i + 1;
    EXPECT_EQ(c[5], attesi[i].orario) << "stazione " << i + 1;
    EXPECT_EQ(c[6], spazi(5)) << "stazione " << i + 1;
  }
  EXPECT_EQ(celle(stazioni[1])[5], "       10.11       ");
  EXPECT_EQ(celle(stazioni[5])[5], " 10.30       10.31 ");
  EXPECT_EQ(celle(stazioni[8])[5], "       10.53+      ");
  EXPECT_EQ(celle(stazioni[2])[2], "  13.650  ");
}

TEST(SchedaTreno, NamesAreInCapitalsButTheBlockPost) {
  const std::vector<std::string> r = scheda();
  ASSERT_EQ(r.size(), 38U);
  std::vector<std::size_t> in_minuscolo;
  for (std::size_t n = 15; n <= 34; ++n) {
    if (riga(r, n) == separatore) continue;
    const std::string nome = celle(riga(r, n))[4];
    EXPECT_EQ(nome[0], ' ');
    EXPECT_NE(nome[1], ' ') << "riga " << n;
    EXPECT_EQ(nome.back(), ' ') << "riga " << n << ": al piu' 27 caratteri";
    for (char ch : nome) {
      if (std::islower(static_cast<unsigned char>(ch))) {
        in_minuscolo.push_back(n);
        break;
      }
    }
  }
  EXPECT_EQ(in_minuscolo, (std::vector<std::size_t>{24}));  // the block post, ninth station
}

TEST(SchedaTreno, ShowsTrainFortyThreeTwentySixNotTheRunsTrain) {
  const std::vector<std::string> r = scheda();
  ASSERT_EQ(r.size(), 38U);
  EXPECT_NE(riga(r, 3).find("TRENO n. 40326"), std::string::npos);
  for (const std::string& l : r) EXPECT_EQ(l.find("40318"), std::string::npos) << l;
}

TEST(SchedaTreno, ListMatchesTheFile) {
  const std::vector<std::string> r = scheda();
  const lista_righe lista = righe_scheda();
  ASSERT_EQ(r.size(), 38U);
  for (std::size_t i = 0; i < r.size(); ++i) EXPECT_EQ(lista[i], r[i]);
  EXPECT_EQ(lista[38], "riferimento fine del file");
}

}  // namespace
}  // namespace od
