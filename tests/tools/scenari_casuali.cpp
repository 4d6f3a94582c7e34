#include "tools/scenari_casuali.h"

#include <array>
#include <cctype>
#include <string_view>

namespace od::test {
namespace {

void riga(std::string& t, std::string_view r) {
  t += r;
  t += "\r\n";
}

std::string n(int64_t v) { return std::to_string(v); }

// Values parted by commas. Drawn inside a braced list, they are drawn in
// the order written whatever the compiler, so a seed gives the same
// scenario everywhere.
std::string elenco(std::initializer_list<int64_t> valori) {
  std::string r;
  for (const int64_t v : valori) r += (r.empty() ? "" : ", ") + n(v);
  return r;
}

// The end of a station's area, where its stopping point and marks go.
int32_t fine_area(int tipo, int32_t posizione, int32_t lunghezza, bool opzione_c) {
  if (tipo == 5 || tipo == 6) return posizione + 150;
  if (tipo == 7 || tipo == 8) return posizione + lunghezza;
  return posizione + lunghezza / 2 + (opzione_c ? 50 : 0);
}

}  // namespace

testi_scenario generatore_scenari::genera(int32_t lunghezza) { return {linea(lunghezza), treno(lunghezza)}; }

std::string generatore_scenari::a_caso(std::string_view chiave) {
  std::string r(chiave);
  if (tra(0, 2) != 0) return r;
  for (char& c : r) c = static_cast<char>(tra(0, 1) ? std::toupper(static_cast<unsigned char>(c)) : c);
  return r;
}

std::string generatore_scenari::mescola(std::vector<std::vector<std::string>> liste) {
  std::vector<std::size_t> prossima(liste.size(), 0);
  std::size_t rimaste = 0;
  for (const auto& l : liste) rimaste += l.size();
  std::string t;
  for (; rimaste > 0; --rimaste) {
    // A list drawn in proportion to the rows it has left.
    std::size_t scelta = static_cast<std::size_t>(tra(0, static_cast<int32_t>(rimaste) - 1));
    std::size_t l = 0;
    for (; scelta >= liste[l].size() - prossima[l]; ++l) scelta -= liste[l].size() - prossima[l];
    riga(t, liste[l][prossima[l]++]);
  }
  return t;
}

std::string generatore_scenari::riga_di(std::string_view chiave, std::initializer_list<int64_t> valori) {
  return a_caso(chiave) + (valori.size() > 0 ? ", " + elenco(valori) : "");
}

std::string generatore_scenari::linea(int32_t lunghezza) {
  std::string t;
  riga(t, "[generale]");
  riga(t, riga_di("lunghezza percorso", {lunghezza}));
  const char* nomi[3] = {"uno", "due", "tre"};
  for (const char* nome : nomi) {
    const bool usata = tra(0, 2) > 0;
    riga(t,
         std::string("progressiva chilometrica ") + nome + ", " +
             elenco({usata ? tra(0, lunghezza / 50) * 50 : 0, usata ? tra(0, 4000) * 50 : 0, usata ? tra(0, 1) : 0}));
  }
  riga(t, "sfondo uno, " + n(tra(-5, 90000)));
  riga(t, "sfondo due, " + n(tra(0, 3)));
  riga(t, "sfondo tre, " + n(tra(0, 20000)));
  const int codici = tra(0, 2);
  riga(t, std::string("ripetizione segnali ") + (codici == 2 ? "9" : "4") + " codici, " +
              elenco({tra(0, 100) * 50, codici == 0 ? 0 : tra(1, 100) * 50}));
  riga(t, "[curve]");
  // Curves, gradients and mountain runs each in their own order (curves and
  // gradients go along the line, a run is compared with the one before it);
  // boards and signs anywhere among them.
  std::vector<std::vector<std::string>> liste(3);
  for (int32_t p = tra(1, 40) * 50; p + 2000 < lunghezza; p += tra(0, 60) * 50) {
    const int32_t l = tra(1, 40) * 50;
    const std::string chiave = std::string("curva") + (tra(0, 1) ? "s" : "d");
    const int cifra = tra(1, 6);
    liste[0].push_back(riga_di(chiave + n(cifra), {p, l}));
    p += l;
  }
  for (int32_t p = tra(0, 1) * 700; p < lunghezza; p += tra(1, 400) * 50) {
    liste[1].push_back(riga_di("pendenza", {p, tra(-40, 40)}));
  }
  int runs = 0;
  for (int32_t p = tra(1, 20) * 50; p + 500 < lunghezza && runs < 80; ++runs) {
    const int32_t fine = p + tra(1, 60) * 50;
    liste[2].push_back(
        riga_di("montagna", {p, fine, std::array{1, 2, 11, 12, 13}[static_cast<std::size_t>(tra(0, 4))]}));
    p = fine + (tra(0, 3) == 0 ? tra(0, 3) * 50 : tra(5, 100) * 50);
  }
  // Boards and signs on cells of their own: boards at odd thousands, signs at even.
  for (int32_t p = 1000; p < lunghezza && p < 40000; p += 2000 * tra(1, 3)) {
    std::string r = riga_di("indicatori_vmax", {p, tra(0, 160), tra(0, 160), tra(0, 160), tra(0, 9), tra(0, 19) * 5});
    liste.push_back({r + ", , " + elenco({tra(0, 90), tra(0, 9)})});
  }
  int segni = 0;
  for (int32_t p = 2000; p < lunghezza && segni < 6; p += 2000 * tra(1, 4), ++segni) {
    const std::string chiave = riga_di("cartello_indicatore", {p});
    liste.push_back({chiave + ",   (  Galleria " + n(segni) + " )(  " + n(tra(10, 9000)) + " m.  )"});
  }
  t += mescola(std::move(liste));
  riga(t, "[fine]");
  return t;
}

std::string generatore_scenari::treno(int32_t lunghezza) {
  std::string t;
  riga(t, "[generale]");
  // The train's values, adhesion, speed limit and stations each in their own
  // order; every slowdown, signal and reduction anywhere among them.
  std::vector<std::vector<std::string>> liste(4);
  liste[0].push_back(riga_di("numero vetture", {tra(1, 12)}));
  liste[0].push_back(riga_di("percentuale massa frenata", {tra(50, 160)}));
  liste[0].push_back(riga_di("sabbia", {tra(0, 500)}));
  const std::string orologio = riga_di("orologio", {});
  const int32_t ore = tra(0, 23), minuti = tra(0, 59), secondi = tra(0, 59);
  liste[0].push_back(orologio + ", " + n(ore) + " " + n(minuti) + " " + n(secondi));
  for (int32_t p = 0; p < lunghezza; p += tra(1, 300) * 50) liste[1].push_back(riga_di("aderenza", {p, tra(60, 100)}));
  for (int32_t p = 0; p < lunghezza; p += tra(1, 300) * 50)
    liste[2].push_back(riga_di("velocita", {p, tra(4, 30) * 5}));
  // Stations every 5 km from 0, each with a signal pair before it and a
  // slowdown after it, all on cells that the line's boards and signs
  // (multiples of 1000 m) and each other leave free; now and then a signal
  // whose marks fall on some of the station's.
  const auto segnale = [&](int32_t p, int sx) {
    liste.push_back({riga_di("segnale", {p + tra(-24, 24), sx, tra(2, 5), tra(1, 4), tra(0, 1), tra(0, 3), tra(0, 2),
                                         tra(0, 9), tra(0, 9), 0, sx == 2 ? tra(0, 250) : 0})});
  };
  int numero = 0;
  for (int32_t p = 0; p + 3000 < lunghezza && numero < 40; p += 5000, ++numero) {
    const int tipo = std::array{2, 5, 7, 12, 22, 26, 28}[static_cast<std::size_t>(tra(0, 6))];
    const int32_t lunghezza_area = tra(1, 6) * 100;
    const int opzione_a = tra(0, 1), opzione_b = tra(0, 1), opzione_c = tra(0, 1);
    const std::string r = riga_di(
        "stazione",
        {p, tipo, lunghezza_area, opzione_a, opzione_b, opzione_c, tra(0, 4), tra(0, 1), 0, tra(0, 4), tra(0, 1),
         tra(0, 1), std::array{0, 1, 60, 220}[static_cast<std::size_t>(tra(0, 3))], tra(0, 23), tra(0, 59), 0});
    liste[3].push_back(r + ", STAZIONE " + n(numero));
    if (p >= 3000) {
      segnale(p - 1650, 1);
      segnale(p - 650, tra(1, 2));
    }
    // The stopping point's cell is the area's end less one; a signal one
    // cell above it or two below it marks two or one of the station's cells.
    const int32_t fermata = fine_area(tipo, p, lunghezza_area, opzione_c != 0 && numero > 0) / 50 - 1;
    if (tipo < 25 && tra(0, 1) == 0 && fermata > 12) {
      const int32_t sotto = tra(0, 1) ? 0 : -3;
      segnale((fermata + sotto) * 50, tra(1, 2));
    }
    if (p + 4000 < lunghezza) {
      const int32_t x = p + 2750 + tra(-25, 25), v = tra(2, 24) * 5, l = tra(2, 9) * 50;
      liste.push_back(
          {riga_di("rallentamento", {x, v, l + tra(-25, 25), tra(0, 1), tra(0, 1), tra(0, 1) ? tra(1, 30) : 0})});
    }
  }
  // A reduction and its end between the second station's slowdown
  // warning and its start, where the walk puts markers of its own.
  if (lunghezza > 9000) {
    liste.push_back({riga_di("abbattimento", {7250 + tra(-25, 24), tra(1, 300)})});
    const int32_t fine = 7250 + 50 * tra(1, 8);
    liste.push_back({riga_di("abbattimento", {fine + tra(-25, 24), 0})});
  }
  t += mescola(std::move(liste));
  riga(t, "[fine]");
  return t;
}

}  // namespace od::test
