#include "tools/scenari_casuali.h"

#include <array>
#include <string_view>

namespace od::test {
namespace {

void riga(std::string& t, std::string_view r) {
  t += r;
  t += "\r\n";
}

std::string n(int64_t v) { return std::to_string(v); }

}  // namespace

testi_scenario generatore_scenari::genera(int32_t lunghezza) { return {linea(lunghezza), treno(lunghezza)}; }

std::string generatore_scenari::linea(int32_t lunghezza) {
  std::string t;
  riga(t, "[generale]");
  riga(t, "lunghezza percorso, " + n(lunghezza));
  const char* nomi[3] = {"uno", "due", "tre"};
  for (const char* nome : nomi) {
    const bool usata = tra(0, 2) > 0;
    riga(t, std::string("progressiva chilometrica ") + nome + ", " + n(usata ? tra(0, lunghezza / 50) * 50 : 0) + ", " +
                n(usata ? tra(0, 4000) * 50 : 0) + ", " + n(usata ? tra(0, 1) : 0));
  }
  riga(t, "sfondo uno, " + n(tra(-5, 90000)));
  riga(t, "sfondo due, " + n(tra(0, 3)));
  riga(t, "sfondo tre, " + n(tra(0, 20000)));
  const int codici = tra(0, 2);
  riga(t, std::string("ripetizione segnali ") + (codici == 2 ? "9" : "4") + " codici, " + n(tra(0, 100) * 50) + ", " +
              n(codici == 0 ? 0 : tra(1, 100) * 50));
  riga(t, "[curve]");
  for (int32_t p = tra(1, 40) * 50; p + 2000 < lunghezza; p += tra(0, 60) * 50) {
    const int32_t l = tra(1, 40) * 50;
    riga(t, std::string("curva") + (tra(0, 1) ? "s" : "d") + n(tra(1, 6)) + ", " + n(p) + ", " + n(l));
    p += l;
  }
  riga(t, "[pendenze]");
  for (int32_t p = tra(0, 1) * 700; p < lunghezza; p += tra(1, 400) * 50)
    riga(t, "pendenza, " + n(p) + ", " + n(tra(-40, 40)));
  riga(t, "[montagne]");
  int runs = 0;
  for (int32_t p = tra(1, 20) * 50; p + 500 < lunghezza && runs < 80; ++runs) {
    const int32_t fine = p + tra(1, 60) * 50;
    riga(t, "montagna, " + n(p) + ", " + n(fine) + ", " +
                n(std::array{1, 2, 11, 12, 13}[static_cast<std::size_t>(tra(0, 4))]));
    p = fine + (tra(0, 3) == 0 ? tra(0, 3) * 50 : tra(5, 100) * 50);
  }
  // Boards and signs on cells of their own: boards at odd thousands, signs at even.
  riga(t, "[cartelli]");
  for (int32_t p = 1000; p < lunghezza && p < 40000; p += 2000 * tra(1, 3)) {
    riga(t, "indicatori_vmax, " + n(p) + ", " + n(tra(0, 160)) + ", " + n(tra(0, 160)) + ", " + n(tra(0, 160)) + ", " +
                n(tra(0, 9)) + ", " + n(tra(0, 19) * 5) + ", , " + n(tra(0, 90)) + ", " + n(tra(0, 9)));
  }
  riga(t, "[indicazioni]");
  int segni = 0;
  for (int32_t p = 2000; p < lunghezza && segni < 6; p += 2000 * tra(1, 4), ++segni) {
    riga(t, "cartello_indicatore, " + n(p) + ",   (  Galleria " + n(segni) + " )(  " + n(tra(10, 9000)) + " m.  )");
  }
  riga(t, "[fine]");
  return t;
}

std::string generatore_scenari::treno(int32_t lunghezza) {
  std::string t;
  riga(t, "[generale]");
  riga(t, "numero vetture, " + n(tra(1, 12)));
  riga(t, "percentuale massa frenata, " + n(tra(50, 160)));
  riga(t, "sabbia, " + n(tra(0, 500)));
  riga(t, "orologio, " + n(tra(0, 23)) + " " + n(tra(0, 59)) + " " + n(tra(0, 59)));
  riga(t, "[aderenze]");
  for (int32_t p = 0; p < lunghezza; p += tra(1, 300) * 50) riga(t, "aderenza, " + n(p) + ", " + n(tra(60, 100)));
  riga(t, "[vel_limite]");
  for (int32_t p = 0; p < lunghezza; p += tra(1, 300) * 50) riga(t, "velocita, " + n(p) + ", " + n(tra(4, 30) * 5));
  // Stations every 5 km from 0, each with a signal pair before it and a
  // slowdown after it, all on cells that the line's boards and signs
  // (multiples of 1000 m) and each other leave free.
  riga(t, "[stazioni]");
  std::string rallentamenti, segnali;
  int numero = 0;
  for (int32_t p = 0; p + 3000 < lunghezza && numero < 40; p += 5000, ++numero) {
    const int tipo = std::array{2, 5, 7, 12, 22, 26, 28}[static_cast<std::size_t>(tra(0, 6))];
    riga(t, "stazione, " + n(p) + ", " + n(tipo) + ", " + n(tra(1, 6) * 100) + ", " + n(tra(0, 1)) + ", " +
                n(tra(0, 1)) + ", " + n(tra(0, 1)) + ", " + n(tra(0, 4)) + ", " + n(tra(0, 1)) + ", 0, " +
                n(tra(0, 4)) + ", " + n(tra(0, 1)) + ", " + n(tra(0, 1)) + ", " +
                n(std::array{0, 1, 60, 220}[static_cast<std::size_t>(tra(0, 3))]) + ", " + n(tra(0, 23)) + ", " +
                n(tra(0, 59)) + ", 0, STAZIONE " + n(numero));
    if (p >= 3000) {
      const int sx = tra(1, 2);
      segnali += "segnale, " + n(p - 1650) + ", 1, " + n(tra(2, 5)) + ", " + n(tra(1, 4)) + ", " + n(tra(0, 1)) + ", " +
                 n(tra(0, 3)) + ", " + n(tra(0, 2)) + ", " + n(tra(0, 9)) + ", " + n(tra(0, 9)) + ", 0, 0\r\n";
      segnali += "segnale, " + n(p - 650) + ", " + n(sx) + ", 4, 1, 0, 0, 0, 0, 0, 0, " + n(tra(0, 250)) + "\r\n";
    }
    if (p + 4000 < lunghezza) {
      rallentamenti += "rallentamento, " + n(p + 2750) + ", " + n(tra(2, 24) * 5) + ", " + n(tra(1, 10) * 50) + ", " +
                       n(tra(0, 1)) + ", " + n(tra(0, 1)) + ", " + n(tra(0, 1) * tra(1, 30)) + "\r\n";
    }
  }
  riga(t, "[rallentamenti]");
  t += rallentamenti;
  riga(t, "[segnali]");
  t += segnali;
  if (lunghezza > 9000) {
    riga(t, "abbattimento, " + n(lunghezza - 1550) + ", " + n(tra(1, 300)));
    riga(t, "abbattimento, " + n(lunghezza - 1050) + ", 0");
  }
  riga(t, "[fine]");
  return t;
}

}  // namespace od::test
