#include "tools/mostra/svg.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <random>
#include <regex>

#include "costruzione/memorizza_percorso.h"
#include "scenario_text/scenario_carico.h"
#include "support/scenario_incorporato.h"
#include "tools/mostra/etichette.h"
#include "tools/mostra/svg_disegno.h"
#include "tools/scenario_prova.h"

namespace od {
namespace {

using test::cartella_temporanea;

TEST(Etichette, LabelsInOneRowNeverOverlap) {
  std::mt19937 caso(7);
  std::uniform_real_distribution<double> dove(0, 2000), larghezza(5, 160);
  std::vector<estensione> etichette;
  for (int n = 0; n < 400; ++n) {
    const double x = dove(caso);
    etichette.push_back({x, x + larghezza(caso)});
  }
  etichette.push_back({100, 150});
  etichette.push_back({100, 150});  // two labels at the very same place
  const std::vector<int> righe = disponi_in_righe(etichette, 6);
  ASSERT_EQ(righe.size(), etichette.size());
  for (std::size_t a = 0; a < etichette.size(); ++a) {
    for (std::size_t b = a + 1; b < etichette.size(); ++b) {
      if (righe[a] != righe[b]) continue;
      const bool separate =
          etichette[a].destra + 6 <= etichette[b].sinistra || etichette[b].destra + 6 <= etichette[a].sinistra;
      ASSERT_TRUE(separate) << "labels " << a << " and " << b << " in row " << righe[a];
    }
  }
  EXPECT_NE(righe[400], righe[401]);
  // Sparse labels stay in the first row.
  EXPECT_EQ(disponi_in_righe({{0, 10}, {20, 30}, {40, 50}}, 6), (std::vector<int>{0, 0, 0}));
}

TEST(Etichette, APlanLabelFindsARoomThatTouchesNoOtherBox) {
  const std::vector<riquadro> occupati{{100, 95, 60, 12}, {40, 95, 52, 12}, {90, 80, 20, 10}};
  const riquadro r = posto_libero(100, 100, 50, 12, occupati);
  for (const riquadro& o : occupati) EXPECT_FALSE(r.tocca(o));
  EXPECT_LT(std::abs(r.x + r.larghezza / 2 - 100) + std::abs(r.y + r.altezza / 2 - 100), 120);
}

TEST(TestoXml, EscapesAndConvertsToUtf8) {
  EXPECT_EQ(testo_xml("(Galleria) <A & B> \"x\" 'y'"), "(Galleria) &lt;A &amp; B&gt; &quot;x&quot; &apos;y&apos;");
  EXPECT_EQ(testo_xml("citt\xE0"), "citt\xC3\xA0") << "8-bit text is read as Latin-1";
  EXPECT_EQ(testo_xml("citt\xC3\xA0"), "citt\xC3\xA0") << "UTF-8 stays";
  EXPECT_EQ(testo_xml(std::string("a\x01"
                                  "b",
                                  3)),
            "a?b");
}

std::string tra_apici(const std::string& s) {
  std::string q = "'";
  for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

int esegui(const std::string& comando) {
  const int grezzo = std::system(comando.c_str());
  return WIFEXITED(grezzo) ? WEXITSTATUS(grezzo) : -1;
}

// Draws with the real executable and renders with the system's renderer;
// returns the SVG text.
std::string disegna_e_rendi(const cartella_temporanea& c, const std::string& percorso, const std::string& treno) {
  const std::string svg = c.file("linea.svg"), png = c.file("linea.png");
  EXPECT_EQ(esegui(tra_apici(OD_MOSTRA) + " --svg " + tra_apici(svg) + " " + tra_apici(c.percorso()) + " " + percorso +
                   " " + treno + " 2>" + tra_apici(c.file("err"))),
            0)
      << c.leggi("err");
  EXPECT_EQ(c.leggi("err"), "");
  const std::string renderer = OD_RSVG_CONVERT;
  EXPECT_NE(renderer.find("rsvg-convert"), std::string::npos)
      << "rsvg-convert is missing: install librsvg2-bin (.ci/run does)";
  EXPECT_EQ(esegui(tra_apici(renderer) + " " + tra_apici(svg) + " -o " + tra_apici(png) + " 2>" +
                   tra_apici(c.file("err-rsvg"))),
            0)
      << c.leggi("err-rsvg");
  EXPECT_EQ(c.leggi("err-rsvg"), "") << "the renderer should not complain";
  const std::string immagine = c.leggi("linea.png");
  EXPECT_GT(immagine.size(), 10000u);
  EXPECT_EQ(immagine.substr(0, 8), "\x89PNG\r\n\x1a\n");
  return c.leggi("linea.svg");
}

void contiene(const std::string& svg, std::initializer_list<std::string> etichette) {
  for (const std::string& e : etichette) {
    EXPECT_NE(svg.find(">" + testo_xml(e) + "<"), std::string::npos) << "label missing: " << e;
  }
}

TEST(SvgLinea, TheTestScenarioRendersWithItsLabels) {
  const cartella_temporanea c;
  ASSERT_NO_FATAL_FAILURE(test::costruisci(c));
  const std::string svg = disegna_e_rendi(c, test::percorso_prova, test::treno_prova);
  contiene(svg, {"Planimetria", "Profilo altimetrico (quota relativa all'inizio, m)", "Velocita' massima (km/h)",
                 "Aderenza (%)", "Lato montagna (tipo 1, 2, 3)", "ORSELLA", "CASTELGRISO", "DRUMVANE", "4.1", "12.1",
                 "avviso 30", "30 km/h", "80/80/80 | 60/0/0", "(  Galleria  )(  Sgrevonda  )(  620 m.  )", "180",
                 "fine linea", "Legenda", "km dall'inizio della linea"});
}

TEST(SvgLinea, WithoutAPlanTheRestIsStillDrawn) {
  const cartella_temporanea c;
  ASSERT_NO_FATAL_FAILURE(test::costruisci(c, test::linea_prova(), test::treno_prova_testo(), 0));
  const std::string svg = disegna_e_rendi(c, test::percorso_prova, test::treno_prova);
  EXPECT_NE(svg.find("planimetria assente"), std::string::npos);
  contiene(svg, {"CASTELGRISO", "avviso 30"});
}

TEST(SvgLinea, TheCarriedScenarioRendersWithItsLabels) {
  const cartella_temporanea c;
  const esito_build esito = test::costruisci_incorporato(c.percorso()).esito;
  if (c.leggi("Orsella_Drumvane_linea.txt").empty()) GTEST_SKIP() << "the carried scenario is not in this build";
  ASSERT_EQ(esito, esito_build::completato);
  const std::string svg = disegna_e_rendi(c, "Orsella_Drumvane", "xr40318");
  contiene(svg,
           {"Orsella_Drumvane - treno xr40318", "ORSELLA", "PRAVESSO", "P.M. 54.250", "DRUMVANE", "84.0", "avviso 20"});
  EXPECT_NE(svg.find("Galleria"), std::string::npos);
  // The speed panel: both curves, a mark at each of the five stops, and the
  // posted progressive under it (at 85 km it counts down: 10.900).
  contiene(svg, {"Velocita' ammessa e marcia piu' veloce (km/h)", "progr.", "0.000", "5.000", "13.600", "10.900"});
  EXPECT_NE(svg.find("class=\"marcia\""), std::string::npos);
  EXPECT_NE(svg.find("class=\"velocita-ammessa\""), std::string::npos);
  std::size_t fermate = 0;
  for (std::size_t p = 0; (p = svg.find("class=\"fermata-marcia\"", p)) != std::string::npos; ++p) ++fermate;
  EXPECT_EQ(fermate, 5u + 1u) << "five stops and the legend";
}

// The box of every text of a picture, from its position, anchor and the font
// size of its class, as the labels' placement estimates widths.
struct testo_svg {
  riquadro r;
  std::string testo;
};

std::vector<testo_svg> testi_di(const std::string& svg, const std::map<std::string, double>& corpi) {
  std::vector<testo_svg> testi;
  const std::regex elemento(
      "<text x=\"([-0-9.]+)\" y=\"([-0-9.]+)\" class=\"([a-z-]+)\" text-anchor=\"([a-z]+)\">([^<]*)</text>");
  for (auto i = std::sregex_iterator(svg.begin(), svg.end(), elemento); i != std::sregex_iterator(); ++i) {
    const std::smatch& m = *i;
    const auto corpo = corpi.find(m[3]);
    const double h = corpo == corpi.end() ? 11 : corpo->second;
    const double w = larghezza_testo(m[5].str(), h);
    double x = std::stod(m[1]);
    if (m[4] == "middle") x -= w / 2;
    if (m[4] == "end") x -= w;
    testi.push_back({{x, std::stod(m[2]) - 0.75 * h, w, h * 0.95}, m[5]});
  }
  return testi;
}

void nessuna_sovrapposizione(const std::vector<testo_svg>& testi) {
  ASSERT_GT(testi.size(), 10u);
  for (std::size_t a = 0; a < testi.size(); ++a) {
    for (std::size_t b = a + 1; b < testi.size(); ++b) {
      EXPECT_FALSE(testi[a].r.tocca(testi[b].r)) << "\"" << testi[a].testo << "\" covers \"" << testi[b].testo << "\"";
    }
  }
}

// Both pictures of the carried scenario, rendered by the system's renderer:
// no label covers another, and each tool names the file it wrote.
TEST(SvgLinea, NoLabelCoversAnotherInThePictureAndTheGraph) {
  const cartella_temporanea c;
  const esito_build esito = test::costruisci_incorporato(c.percorso()).esito;
  if (c.leggi("Orsella_Drumvane_linea.txt").empty()) GTEST_SKIP() << "the carried scenario is not in this build";
  ASSERT_EQ(esito, esito_build::completato);
  const std::string svg = disegna_e_rendi(c, "Orsella_Drumvane", "xr40318");
  contiene(svg, {"+0\u2030", "salto 8.450 | 12.050", "10:30-10:31", "segnale di protezione"});
  nessuna_sovrapposizione(testi_di(svg, {{"titolo", 22}, {"sottotitolo", 13}, {"danno", 13}, {"titolo-pannello", 13}}));

  const std::string grafico = c.file("grafico.svg"), png = c.file("grafico.png");
  EXPECT_EQ(esegui(tra_apici(OD_MOSTRA) + " --grafico " + tra_apici(grafico) + " " + tra_apici(c.percorso()) +
                   " Orsella_Drumvane xr40318 >" + tra_apici(c.file("out"))),
            0);
  EXPECT_EQ(c.leggi("out"), "scritto " + grafico + "\n");
  EXPECT_EQ(esegui(tra_apici(OD_RSVG_CONVERT) + " " + tra_apici(grafico) + " -o " + tra_apici(png)), 0);
  EXPECT_EQ(c.leggi("grafico.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
  const std::string testo = c.leggi("grafico.svg");
  EXPECT_NE(testo.find("width=\"1123.0\" height=\"794.0\""), std::string::npos) << "a landscape A4 page";
  contiene(testo, {"ORSELLA", "MISSALDO", "VAL CIARESE", "SOLIVERA", "13.100", "10:00", "11:40", "marcia piu' veloce"});
  for (const char* classe : {"previsto", "veloce", "tipo", "rallentamento"})
    EXPECT_NE(testo.find(std::string("class=\"") + classe + "\""), std::string::npos) << classe;
  nessuna_sovrapposizione(
      testi_di(testo, {{"titolo", 16}, {"sottotitolo", 10}, {"etichetta", 10}, {"ora", 9}, {"nota", 9}}));
}

}  // namespace
}  // namespace od
