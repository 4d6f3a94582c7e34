#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "documento_scritto.h"
#include "documents/documenti.h"

namespace od {
namespace {

using namespace prova;

constexpr std::string_view nome_ordine = "Orsella_Drumvane_xr40318_rallentamenti.txt";

std::vector<std::string> ordine(bool sopra_vecchio = false) {
  const std::string testo = scrivi_e_leggi(dati_rallentamenti, nome_ordine, sopra_vecchio);
  controlla_testo_semplice(testo);
  return righe_lette(testo);
}

const std::string& riga(const std::vector<std::string>& r, std::size_t n) { return r.at(n - 1); }

const std::string regola = " |___|____________________________|____________|__________|_________|____________|";
const std::string vuota = " |   |                            |            |          |         |            |";

TEST(OrdineRallentamento, FortyOneCrLfLinesFromEmptyToTheLegend) {
  for (bool sopra_vecchio : {false, true}) {
    const std::vector<std::string> r = ordine(sopra_vecchio);
    ASSERT_EQ(r.size(), 41U);
    EXPECT_EQ(riga(r, 1), "");
    EXPECT_EQ(riga(r, 41), "     i giorni esclusi i seguenti:.........");
  }
}

TEST(OrdineRallentamento, QuotedLinesStandByteForByte) {
  const std::vector<std::string> r = ordine();
  ASSERT_EQ(r.size(), 41U);
  EXPECT_EQ(riga(r, 2), spazi(31) + "Modulo M. 3");
  EXPECT_EQ(riga(r, 3), spazi(27) + "ORDINE DI RALLENTAMENTO");
  EXPECT_EQ(riga(r, 4), " " + std::string(80, '_'));
  EXPECT_EQ(riga(r, 5), "  Linea  Orsella - Drumvane");
  EXPECT_EQ(riga(r, 6), "");
  EXPECT_EQ(riga(r, 7), "  Si ordina al macchinista del treno 40318 di effettuare i seguenti rallentamenti");
  EXPECT_EQ(riga(r, 8), "  " + std::string(79, '_'));
  EXPECT_EQ(riga(r, 9), " |   |                            |Inizio dopo |          |         |            |");
  EXPECT_EQ(riga(r, 10), " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|");
  EXPECT_EQ(riga(r, 11), " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |");
  EXPECT_EQ(riga(r, 12), regola);
  EXPECT_EQ(riga(r, 34), regola);
  EXPECT_EQ(riga(r, 35), "");
  EXPECT_EQ(riga(r, 36), spazi(14) + "Prescrizioni specifiche");
  EXPECT_EQ(riga(r, 37), " A - Da rispettare con tutto il treno (per i treni viaggiatori)");
  EXPECT_EQ(riga(r, 38), " B - Interessa anche la stazione di.......");
  EXPECT_EQ(riga(r, 39), " D - Rallentamento N. ... e N. ...  sono contigui");
  EXPECT_EQ(riga(r, 40), " C - Da rispettare dalle ore ....  alle ore ..... di tutti");
}

TEST(OrdineRallentamento, TableKeepsItsWidthAndTwentyOneBodyLines) {
  const std::vector<std::string> r = ordine();
  ASSERT_EQ(r.size(), 41U);
  const std::vector<std::size_t> colonne = barre_tabella({3, 28, 12, 10, 9, 12});
  for (std::size_t n = 9; n <= 34; ++n) {
    EXPECT_EQ(riga(r, n).size(), 82U) << "riga " << n;
    EXPECT_EQ(barre(riga(r, n)), colonne) << "riga " << n;
  }
  // The rule over the table spans it from the first bar to the last.
  EXPECT_EQ(riga(r, 8).find_first_not_of(' '), colonne.front() + 1);
  EXPECT_EQ(riga(r, 8).size(), colonne.back());
  // An empty row before each slowdown, thirteen after the last.
  std::vector<std::size_t> piene;
  for (std::size_t n = 13; n <= 33; ++n) {
    EXPECT_NE(riga(r, n), regola) << "riga " << n;
    if (riga(r, n) != vuota) piene.push_back(n);
  }
  EXPECT_EQ(piene, (std::vector<std::size_t>{14, 16, 18, 20}));
}

struct rallentamento_atteso {
  std::string numero, stazioni, cippo, velocita, lunghezza, prescrizione;
};

TEST(OrdineRallentamento, SlowdownRowsCarryPostsSpeedsLengthsAndPrescriptions) {
  const std::vector<std::string> r = ordine();
  ASSERT_EQ(r.size(), 41U);
  const std::array<rallentamento_atteso, 4> attesi{{
      {"1", "Orsella - Valdrezza", "8", "30", "150", "---"},
      {"2", "Pravesso - Borgo Tevano", "32", "50", "500", "---"},
      {"3", "Tremosca - Campolustro", "72", "30", "300", "---"},
      {"4", "Solivera - Ponte Arvello", "6", "20", "150", "A"},
  }};
  for (std::size_t i = 0; i < attesi.size(); ++i) {
    const std::vector<std::string> c = celle(riga(r, 14 + 2 * i));
    const rallentamento_atteso& a = attesi[i];
    ASSERT_EQ(c.size(), 6U) << "rallentamento " << a.numero;
    EXPECT_EQ(c[0], " " + a.numero + " ");
    EXPECT_EQ(c[1], a_colonna(1, a.stazioni, 28));
    EXPECT_EQ(c[1].back(), ' ') << "al piu' 27 caratteri";
    EXPECT_EQ(c[2], a_colonna(5, a.cippo, 12));
    EXPECT_EQ(c[3], a_colonna(4, a.velocita, 10));
    EXPECT_EQ(c[4], a_colonna(3, a.lunghezza, 9));
    EXPECT_EQ(c[5], a_colonna(3, a.prescrizione, 12));
  }
  EXPECT_EQ(celle(riga(r, 14))[2], "     8      ");
  EXPECT_EQ(celle(riga(r, 16))[2], "     32     ");
  EXPECT_EQ(celle(riga(r, 14))[3], "    30    ");
  EXPECT_EQ(celle(riga(r, 14))[4], "   150   ");
  EXPECT_EQ(celle(riga(r, 14))[5], "   ---      ");
  EXPECT_EQ(celle(riga(r, 20))[5], "   A        ");
}

TEST(OrdineRallentamento, OrdersTheRunsTrain) {
  const std::vector<std::string> r = ordine();
  for (const std::string& l : r) EXPECT_EQ(l.find("40326"), std::string::npos) << l;
  const lista_righe lista = righe_rallentamenti();
  ASSERT_EQ(r.size(), 41U);
  for (std::size_t i = 0; i < r.size(); ++i) EXPECT_EQ(lista[i], r[i]);
  EXPECT_EQ(lista[41], "riferimento fine del file");
}

}  // namespace
}  // namespace od
