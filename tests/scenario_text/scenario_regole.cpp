#include "scenario_regole.h"

#include <algorithm>
#include <array>
#include <map>
#include <regex>
#include <set>

#include "scenario_text/nomi_file.h"
#include "scenario_text/scenario_carico.h"
#include "support/cartella_temporanea.h"

namespace od::test {
namespace {

// A right-aligned number in a column `larghezza` wide, closed by a comma.
std::string colonna(int larghezza) { return "(?=[ \\d]{" + std::to_string(larghezza) + "},)( *\\d+)"; }

int32_t numero(const std::smatch& m, std::size_t i) { return static_cast<int32_t>(std::stol(m[i].str())); }

std::string di_riga(std::size_t i, const std::string& riga) {
  return "riga " + std::to_string(i + 1) + " \"" + riga + "\": ";
}

void conta(violazioni& v, const std::string& cosa, std::size_t trovate, std::size_t attese) {
  if (trovate != attese) {
    v.push_back(cosa + ": " + std::to_string(trovate) + " invece di " + std::to_string(attese));
  }
}

void presente(violazioni& v, const righe& r, const std::string& riga) {
  if (std::find(r.begin(), r.end(), riga) == r.end()) v.push_back("manca la riga \"" + riga + "\"");
}

void prima_e_ultima(violazioni& v, const righe& r, const std::string& prima, const std::string& ultima) {
  if (r.empty() || r.front() != prima) v.push_back("la prima riga non e' \"" + prima + "\"");
  if (r.empty() || r.back() != ultima) v.push_back("l'ultima riga non e' \"" + ultima + "\"");
}

template <typename T>
bool tra(const T& valore, std::initializer_list<T> ammessi) {
  return std::find(ammessi.begin(), ammessi.end(), valore) != ammessi.end();
}

std::string senza_blank(std::string_view testo) {
  const std::size_t a = testo.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  const std::size_t b = testo.find_last_not_of(' ');
  return std::string(testo.substr(a, b - a + 1));
}

struct curva {
  std::string riga;
  int32_t inizio = 0;
  int32_t lunghezza = 0;
};

// The curve rows in the two spacings; rows in neither are reported.
std::vector<curva> leggi_curve(const righe& curve, violazioni& v, std::map<std::string, std::size_t>* chiavi,
                               std::array<std::size_t, 2>* forme) {
  static const std::regex forma_a(R"(^(curva[sd][1-6]),  (\d+),  (\d+)$)");
  static const std::regex forma_b(R"(^(curva[sd][1-6]),  (\d+) , (\d+) $)");
  std::vector<curva> lette;
  for (std::size_t i = 0; i < curve.size(); ++i) {
    std::smatch m;
    const bool a = std::regex_match(curve[i], m, forma_a);
    if (!a && !std::regex_match(curve[i], m, forma_b)) {
      v.push_back(di_riga(i, curve[i]) + "non e' una riga di curva in una delle due spaziature");
      continue;
    }
    if (chiavi != nullptr) ++(*chiavi)[m[1].str()];
    if (forme != nullptr) ++(*forme)[a ? 0 : 1];
    lette.push_back({curve[i], numero(m, 2), numero(m, 3)});
  }
  return lette;
}

// The line's posted kilometric progressive at a position (metres): the
// position itself up to the first change at 8450 m, past it the position
// plus 3600, and past the second change at 81200 m a count down to 0 at
// 95900 m. A station standing on a change point (Valdrezza) is still posted
// with the old reference.
int32_t progressiva_esposta(int32_t posizione) {
  if (posizione > 81200) return 95900 - posizione;
  if (posizione > 8450) return posizione + 3600;
  return posizione;
}

struct stazione {
  std::string riga;
  int32_t posizione = 0, tipo = 0, lunghezza = 0, opzione_a = 0, opzione_b = 0, opzione_c = 0;
  std::array<int32_t, 3> terna_a{}, terna_b{};
  int32_t sosta = 0, ore = 0, minuti = 0, secondi = 0;
  std::string nome;
};

const std::regex& forma_stazione() {
  static const std::regex forma("^stazione," + colonna(8) + "," + colonna(3) + "," + colonna(5) + "," + colonna(3) +
                                "," + colonna(2) + "," + colonna(2) + ",  (\\d),(\\d),(\\d),  (\\d),(\\d),(\\d)," +
                                colonna(5) + "," + colonna(4) + "," + colonna(2) + "," + colonna(2) +
                                ", ([A-Z0-9.](?:[A-Z0-9 .]{0,16}[A-Z0-9.])?)$");
  return forma;
}

std::vector<stazione> leggi_stazioni(const righe& stazioni, violazioni* v) {
  std::vector<stazione> lette;
  for (std::size_t i = 0; i < stazioni.size(); ++i) {
    std::smatch m;
    if (!std::regex_match(stazioni[i], m, forma_stazione())) {
      if (v != nullptr) v->push_back(di_riga(i, stazioni[i]) + "non e' una riga di stazione a colonne allineate");
      continue;
    }
    stazione s;
    s.riga = stazioni[i];
    s.posizione = numero(m, 1);
    s.tipo = numero(m, 2);
    s.lunghezza = numero(m, 3);
    s.opzione_a = numero(m, 4);
    s.opzione_b = numero(m, 5);
    s.opzione_c = numero(m, 6);
    s.terna_a = {numero(m, 7), numero(m, 8), numero(m, 9)};
    s.terna_b = {numero(m, 10), numero(m, 11), numero(m, 12)};
    s.sosta = numero(m, 13);
    s.ore = numero(m, 14);
    s.minuti = numero(m, 15);
    s.secondi = numero(m, 16);
    s.nome = m[17].str();
    lette.push_back(s);
  }
  return lette;
}

// The reader's area: types 5 and 6 and 7 and 8 reach back by the length,
// every other type is centred, 50 m longer at the far end with opzione_c.
area_stazione area_di(const stazione& s) {
  if (s.tipo == 5 || s.tipo == 6) return {s.posizione - s.lunghezza, s.posizione + 150};
  if (s.tipo == 7 || s.tipo == 8) return {s.posizione - s.lunghezza, s.posizione + s.lunghezza};
  return {s.posizione - s.lunghezza / 2, s.posizione + s.lunghezza / 2 + (s.opzione_c != 0 ? 50 : 0)};
}

struct segnale {
  std::string riga;
  int32_t posizione = 0, sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0, dx = 0;
  std::array<int32_t, 3> destra{};
  int32_t tempo = 0;
};

std::vector<segnale> leggi_segnali(const righe& segnali, violazioni& v) {
  static const std::regex forma("^segnale," + colonna(8) + "," + colonna(4) + "," + colonna(2) + "," + colonna(2) +
                                "," + colonna(3) + "," + colonna(2) + "," + colonna(5) +
                                ",  (\\d),(\\d),(\\d), (\\d+)$");
  std::vector<segnale> letti;
  for (std::size_t i = 0; i < segnali.size(); ++i) {
    std::smatch m;
    if (!std::regex_match(segnali[i], m, forma)) {
      v.push_back(di_riga(i, segnali[i]) + "non e' una riga di segnale a colonne allineate");
      continue;
    }
    letti.push_back({segnali[i],
                     numero(m, 1),
                     numero(m, 2),
                     numero(m, 3),
                     numero(m, 4),
                     numero(m, 5),
                     numero(m, 6),
                     numero(m, 7),
                     {numero(m, 8), numero(m, 9), numero(m, 10)},
                     numero(m, 11)});
  }
  return letti;
}

// The last cell index of the carried track and the reader's position test.
constexpr int32_t ultima_cella = 2060;
bool sul_binario(int64_t p) { return p >= 0 && p + 100 <= 50 * int64_t{ultima_cella}; }

}  // namespace

testo_diviso dividi_crlf(const std::string& testo) {
  testo_diviso d;
  std::size_t inizio = 0;
  while (inizio < testo.size()) {
    const std::size_t crlf = testo.find("\r\n", inizio);
    if (crlf == std::string::npos) {
      d.difetti.push_back("byte dopo l'ultimo CR LF: \"" + testo.substr(inizio) + "\"");
      break;
    }
    std::string linea = testo.substr(inizio, crlf - inizio);
    if (linea.find_first_of("\r\n") != std::string::npos) {
      d.difetti.push_back("CR o LF isolato nella riga " + std::to_string(d.linee.size() + 1));
    }
    d.linee.push_back(std::move(linea));
    inizio = crlf + 2;
  }
  return d;
}

scenario_scritto scrivi_e_rileggi() {
  const cartella_temporanea cartella;
  dati_linea(cartella.percorso(), "Orsella_Drumvane");
  dati_treno(cartella.percorso(), "Orsella_Drumvane", "xr40318");
  scenario_scritto s;
  s.testo_linea = cartella.leggi(nome_file_linea("Orsella_Drumvane"));
  s.testo_treno = cartella.leggi(nome_file_treno("Orsella_Drumvane", "xr40318"));
  s.linea = dividi_crlf(s.testo_linea);
  s.treno = dividi_crlf(s.testo_treno);
  return s;
}

bool cita(const violazioni& v, std::string_view parola) {
  return std::any_of(v.begin(), v.end(), [&](const std::string& m) { return m.find(parola) != std::string::npos; });
}

righe sezione(const righe& file, std::string_view intestazione) {
  const auto h = std::find(file.begin(), file.end(), intestazione);
  if (h == file.end()) return {};
  const auto fine = std::find_if(h + 1, file.end(), [](const std::string& r) { return r.rfind('[', 0) == 0; });
  return righe(h + 1, fine);
}

std::vector<area_stazione> aree_stazioni(const righe& stazioni) {
  std::vector<area_stazione> aree;
  for (const stazione& s : leggi_stazioni(stazioni, nullptr)) aree.push_back(area_di(s));
  return aree;
}

violazioni regole_curve(const righe& curve) {
  violazioni v;
  conta(v, "righe di curva", curve.size(), 162);
  std::map<std::string, std::size_t> chiavi;
  std::array<std::size_t, 2> forme{};
  const std::vector<curva> lette = leggi_curve(curve, v, &chiavi, &forme);
  const std::map<std::string, std::size_t> attese{{"curvas3", 4},  {"curvas4", 22}, {"curvas5", 48}, {"curvas6", 11},
                                                  {"curvad4", 14}, {"curvad5", 47}, {"curvad6", 16}};
  for (const auto& [chiave, n] : attese) conta(v, "curve " + chiave, chiavi[chiave], n);
  for (const auto& [chiave, n] : chiavi) {
    if (attese.count(chiave) == 0) v.push_back("chiave di curva non in uso: " + chiave);
  }
  conta(v, "curve con la spaziatura di \"curvas4,  800,  400\"", forme[0], 6);
  conta(v, "curve con la spaziatura di \"curvas4,  3750 , 300 \"", forme[1], 156);
  if (curve.empty() || curve.front() != "curvas4,  800,  400") v.push_back("la prima curva non e' quella a 800 m");
  presente(v, curve, "curvas4,  3750 , 300 ");
  if (lette.empty()) return v;

  if (lette.front().inizio != 800) v.push_back("la prima curva non inizia a 800 m");
  if (lette.back().inizio != 95250) v.push_back("l'ultima curva non inizia a 95250 m");
  if (lette.back().inizio + lette.back().lunghezza != 95650) v.push_back("l'ultima curva non finisce a 95650 m");
  for (std::size_t i = 0; i < lette.size(); ++i) {
    const curva& c = lette[i];
    if (c.inizio % 50 != 0 || c.lunghezza % 50 != 0) v.push_back(c.riga + ": non in multipli di 50 m");
    if (c.lunghezza < 50 || c.lunghezza > 2450) v.push_back(c.riga + ": lunghezza fuori da 50..2450");
    if (i > 0 && c.inizio < lette[i - 1].inizio + lette[i - 1].lunghezza) {
      v.push_back(c.riga + ": inizia prima che la curva precedente finisca");
    }
  }
  const auto [corta, lunga] = std::minmax_element(
      lette.begin(), lette.end(), [](const curva& a, const curva& b) { return a.lunghezza < b.lunghezza; });
  if (corta->lunghezza != 50 || lunga->lunghezza != 2450) v.push_back("le lunghezze non vanno da 50 a 2450");

  // The four helical loops are the four longest; every other curve is short.
  std::vector<curva> per_lunghezza = lette;
  std::stable_sort(per_lunghezza.begin(), per_lunghezza.end(),
                   [](const curva& a, const curva& b) { return a.lunghezza > b.lunghezza; });
  const std::set<std::string> elicoidali{"curvas4,  20150 , 2450 ", "curvas4,  43000 , 1750 ",
                                         "curvas4,  51800 , 2000 ", "curvad4,  62200 , 1050 "};
  for (std::size_t i = 0; i < per_lunghezza.size(); ++i) {
    const bool attesa = elicoidali.count(per_lunghezza[i].riga) != 0;
    if (i < 4 && !attesa)
      v.push_back(per_lunghezza[i].riga + ": tra le quattro piu' lunghe senza essere un'elicoidale");
    if (i >= 4 && per_lunghezza[i].lunghezza > 950) v.push_back(per_lunghezza[i].riga + ": oltre 950 m");
  }
  return v;
}

violazioni regole_pendenze(const righe& pendenze) {
  violazioni v;
  if (pendenze.empty() || pendenze.front() != "- Altitudine iniziale Orsella = 538 m.") {
    v.push_back("la sezione delle pendenze non si apre con il commento dell'altitudine");
    return v;
  }
  const righe r(pendenze.begin() + 1, pendenze.end());
  conta(v, "righe di pendenza", r.size(), 39);
  static const std::regex forma_a(R"(^pendenza,  (\d+) , (\d+) $)");
  static const std::regex forma_b(R"(^pendenza,  (\d+) ,(-[1-9]\d*) $)");
  static const std::regex forma_c(R"(^pendenza,  (\d+),   (\d+)$)");
  std::array<std::size_t, 3> forme{};
  struct pendenza {
    std::string riga;
    int32_t posizione, valore;
  };
  std::vector<pendenza> lette;
  for (std::size_t i = 0; i < r.size(); ++i) {
    std::smatch m;
    std::size_t forma = 0;
    for (const std::regex* f : {&forma_a, &forma_b, &forma_c}) {
      if (std::regex_match(r[i], m, *f)) break;
      ++forma;
    }
    if (forma == 3) {
      v.push_back(di_riga(i, r[i]) + "non e' una riga di pendenza in una delle tre spaziature");
      continue;
    }
    ++forme[forma];
    lette.push_back({r[i], numero(m, 1), numero(m, 2)});
  }
  conta(v, "pendenze come \"pendenza,  700 , 13 \"", forme[0], 19);
  conta(v, "pendenze come \"pendenza,  30450 ,-7 \"", forme[1], 15);
  conta(v, "pendenze come \"pendenza,  10200,   16\"", forme[2], 5);
  prima_e_ultima(v, r, "pendenza,  700 , 13 ", "pendenza,  95400 , 0 ");
  for (const char* riga : {"pendenza,  30450 ,-7 ", "pendenza,  10200,   16", "pendenza,  8250 , 0 "})
    presente(v, r, riga);
  if (lette.empty()) return v;

  int32_t minimo = 0, massimo = 0;
  bool vetta = false, discesa = false;
  for (std::size_t i = 0; i < lette.size(); ++i) {
    const pendenza& p = lette[i];
    if (i > 0 && p.posizione <= lette[i - 1].posizione) v.push_back(p.riga + ": posizione non crescente");
    if (p.posizione < 700 || p.posizione > 95400) v.push_back(p.riga + ": posizione fuori da 700..95400");
    minimo = std::min(minimo, p.valore);
    massimo = std::max(massimo, p.valore);
    // Up to the summit tunnel the line climbs, from 30450 m it falls.
    if (p.posizione <= 29600 && p.valore < 0) v.push_back(p.riga + ": discesa prima della galleria di valico");
    if (p.posizione >= 30450 && p.valore > 0) v.push_back(p.riga + ": salita dopo il valico");
    if (p.posizione > 29600 && p.posizione < 30450) v.push_back(p.riga + ": tra 29600 e 30450 m");
    vetta = vetta || p.posizione == 29600;
    discesa = discesa || p.posizione == 30450;
  }
  if (!vetta || !discesa) v.push_back("mancano le righe a 29600 m e a 30450 m");
  if (minimo != -23 || massimo != 27) v.push_back("i valori non vanno da -23 a 27");
  return v;
}

violazioni regole_montagne(const righe& montagne) {
  violazioni v;
  conta(v, "righe di montagna", montagne.size(), 75);
  static const std::regex forma_a(R"(^montagna,  (\d+) , (\d+) , (\d+) $)");
  static const std::regex forma_b(R"(^montagna,   (\d+),  (\d+),  (\d+)$)");
  std::array<std::size_t, 2> forme{};
  std::map<int32_t, std::size_t> codici;
  int32_t fine_precedente = 0, piu_corta = 1 << 30, piu_lunga = 0, prima = -1, ultima = -1;
  for (std::size_t i = 0; i < montagne.size(); ++i) {
    std::smatch m;
    const bool a = std::regex_match(montagne[i], m, forma_a);
    if (!a && !std::regex_match(montagne[i], m, forma_b)) {
      v.push_back(di_riga(i, montagne[i]) + "non e' una riga di montagna in una delle due spaziature");
      continue;
    }
    ++forme[a ? 0 : 1];
    const int32_t da = numero(m, 1), a_m = numero(m, 2), codice = numero(m, 3);
    ++codici[codice];
    if (da >= a_m) v.push_back(montagne[i] + ": l'inizio non precede la fine");
    if (da < fine_precedente) v.push_back(montagne[i] + ": si sovrappone al tratto precedente o lo precede");
    piu_corta = std::min(piu_corta, a_m - da);
    piu_lunga = std::max(piu_lunga, a_m - da);
    if (prima < 0) prima = da;
    ultima = a_m;
    fine_precedente = a_m;
  }
  conta(v, "montagne come \"montagna,  800 , 2050 , 12 \"", forme[0], 58);
  conta(v, "montagne come \"montagna,   17850,  17950,  11\"", forme[1], 17);
  for (const auto& [codice, n] : std::map<int32_t, std::size_t>{{11, 45}, {12, 25}, {2, 4}, {1, 1}}) {
    conta(v, "montagne di codice " + std::to_string(codice), codici[codice], n);
  }
  if (codici.size() != 4) v.push_back("codici di montagna fuori da 1, 2, 11, 12");
  if (montagne.empty() || montagne.front() != "montagna,  800 , 2050 , 12 ")
    v.push_back("la prima montagna e' diversa");
  presente(v, montagne, "montagna,   17850,  17950,  11");
  if (prima != 800 || ultima != 93450) v.push_back("i tratti non vanno da 800 a 93450 m");
  if (piu_corta != 50 || piu_lunga != 8100) v.push_back("le lunghezze dei tratti non vanno da 50 a 8100 m");
  return v;
}

violazioni regole_indicazioni(const righe& indicazioni, const righe& curve) {
  violazioni v;
  conta(v, "cartelli", indicazioni.size(), 16);
  static const std::regex forma(R"(^cartello_indicatore,  (\d+),   ((?:\([^(),]*\)){1,3})$)");
  static const std::regex gruppo(R"(\([^()]*\))");
  static const std::regex lunghezza(R"(^(\d+) m\.$)");
  violazioni ignorate;
  std::vector<curva> elicoidali = leggi_curve(curve, ignorate, nullptr, nullptr);
  std::stable_sort(elicoidali.begin(), elicoidali.end(),
                   [](const curva& a, const curva& b) { return a.lunghezza > b.lunghezza; });
  elicoidali.resize(std::min<std::size_t>(elicoidali.size(), 4));
  std::set<int32_t> anelli_usati, confini;
  std::set<std::string> testate_gallerie;
  std::size_t gallerie = 0, elicoidali_n = 0, viadotti = 0;
  std::set<std::string> forme_viadotto;
  int32_t precedente = -1;
  bool valico = false;
  for (std::size_t i = 0; i < indicazioni.size(); ++i) {
    const std::string& r = indicazioni[i];
    std::smatch m;
    if (!std::regex_match(r, m, forma)) {
      v.push_back(di_riga(i, r) + "non e' un cartello con da uno a tre gruppi tra parentesi");
      continue;
    }
    const int32_t p = numero(m, 1);
    if (p <= precedente) v.push_back(r + ": posizione non crescente");
    if (p < 750 || p > 81100) v.push_back(r + ": posizione fuori da 750..81100");
    precedente = p;
    const std::string testo = m[2].str();
    std::vector<std::string> g;
    for (auto it = std::sregex_iterator(testo.begin(), testo.end(), gruppo); it != std::sregex_iterator(); ++it) {
      g.push_back(it->str());
    }
    const std::string tipo = senza_blank(std::string_view(g[0]).substr(1, g[0].size() - 2));
    std::smatch metri;
    const std::string terzo = g.size() == 3 ? senza_blank(std::string_view(g[2]).substr(1, g[2].size() - 2)) : "";
    const bool con_lunghezza = g.size() == 3 && std::regex_match(terzo, metri, lunghezza);
    if (tipo == "Galleria" && con_lunghezza) {
      ++gallerie;
      if (!testate_gallerie.insert(g[0]).second) v.push_back(r + ": \"Galleria\" spaziata come in un'altra galleria");
      if (p == 29600) {
        valico = true;
        if (g[0] != "(   Galleria   )") v.push_back(r + ": la galleria di valico non e' \"(   Galleria   )\"");
        // The first border lies inside the summit tunnel.
        if (p + std::stol(metri[1].str()) <= 34000) v.push_back(r + ": la galleria di valico non arriva a 34000 m");
      }
    } else if (g[0] == "(Gall.elic.)" && con_lunghezza) {
      ++elicoidali_n;
      const auto anello = std::find_if(elicoidali.begin(), elicoidali.end(), [p](const curva& c) {
        return p >= c.inizio - 50 && p < c.inizio + c.lunghezza;
      });
      if (anello == elicoidali.end() || !anelli_usati.insert(anello->inizio).second) {
        v.push_back(r + ": non sta in un anello elicoidale libero o 50 m prima");
      }
    } else if (tipo == "Viadotto" && g.size() == 2) {
      ++viadotti;
      forme_viadotto.insert(g[0]);
    } else if (g.size() == 1) {
      confini.insert(p);
    } else {
      v.push_back(r + ": cartello di tipo sconosciuto");
    }
    for (const std::string& gr : g) {
      if (senza_blank(std::string_view(gr).substr(1, gr.size() - 2)).empty()) v.push_back(r + ": gruppo vuoto");
    }
  }
  conta(v, "gallerie", gallerie, 8);
  conta(v, "gallerie elicoidali", elicoidali_n, 4);
  conta(v, "viadotti", viadotti, 2);
  if (forme_viadotto != std::set<std::string>{"(Viadotto)", "( Viadotto )"}) {
    v.push_back("i viadotti non sono \"(Viadotto)\" e \"( Viadotto )\"");
  }
  if (confini != std::set<int32_t>{34000, 81100}) v.push_back("i confini non sono a 34000 e 81100 m");
  if (!valico) v.push_back("manca la galleria di valico a 29600 m");
  return v;
}

violazioni regole_stazioni(const righe& stazioni) {
  violazioni v;
  conta(v, "stazioni", stazioni.size(), 18);
  const std::vector<stazione> s = leggi_stazioni(stazioni, &v);
  if (s.size() != 18) return v;
  prima_e_ultima(v, stazioni, "stazione,       0,  2,  600,  1, 1, 0,  4,1,0,  2,1,1,    1,  10, 3, 0, ORSELLA",
                 "stazione,   95900,  2,  500,  1, 0, 0,  1,1,0,  2,1,1,    0,  11,33, 0, DRUMVANE");
  if (stazioni[2].rfind("stazione,   10050, 28,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, ", 0) != 0) {
    v.push_back("la terza stazione non e' la fermata impresenziata a 10050 m");
  }
  if (stazioni[5].rfind("stazione,   28200, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,   60,  10,31, 0, ", 0) != 0) {
    v.push_back("la sesta stazione non e' la fermata di 60 s a 28200 m");
  }
  // Names and progressives as the timetable sheet lists them; times only
  // where the sheet has a departure or the arrival at the end.
  const std::array<std::string_view, 18> nomi{"ORSELLA",  "VALDREZZA",     "FONTEBRISA",  "CASTELGRISO", "MOLVERANO",
                                              "PRAVESSO", "BORGO TEVANO",  "LAGORSO",     "P.M. 54.250", "ROCCAVELLO",
                                              "TREMOSCA", "CAMPOLUSTRO",   "ALPE GRENNA", "MISSALDO",    "VAL CIARESE",
                                              "SOLIVERA", "PONTE ARVELLO", "DRUMVANE"};
  const std::array<int32_t, 18> progressive{0,     8450,  13650, 16550, 22900, 31800, 42150, 50400, 54250,
                                            58100, 70850, 77750, 82350, 13100, 11950, 11400, 4900,  0};
  const std::map<std::size_t, std::pair<int32_t, int32_t>> orari{
      {0, {10, 3}}, {5, {10, 31}}, {7, {10, 50}}, {11, {11, 14}}, {17, {11, 33}}};
  area_stazione precedente{};
  bool a_350 = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const stazione& st = s[i];
    const std::string& r = st.riga;
    if (st.nome != nomi[i]) v.push_back(r + ": il nome non e' " + std::string(nomi[i]));
    if (progressiva_esposta(st.posizione) != progressive[i]) v.push_back(r + ": progressiva diversa dalla scheda");
    if (st.posizione % 50 != 0 || !sul_binario(int64_t{st.posizione} + 800)) v.push_back(r + ": posizione non valida");
    if (i > 0 && st.posizione <= s[i - 1].posizione) v.push_back(r + ": posizione non crescente");
    if (!tra(st.tipo, {2, 12, 22, 26, 27, 28})) v.push_back(r + ": tipo fuori da 2, 12, 22, 26, 27, 28");
    if ((st.tipo == 2) != (i == 0 || i + 1 == s.size())) v.push_back(r + ": il tipo 2 e' dei soli capolinea");
    if (!tra(st.lunghezza, {200, 300, 400, 500, 600})) v.push_back(r + ": lunghezza fuori da 200..600");
    for (const int32_t f : {st.opzione_a, st.opzione_b, st.opzione_c}) {
      if (!tra(f, {0, 1})) v.push_back(r + ": opzione non 0 o 1");
    }
    if (!tra(st.terna_a[0], {0, 1, 4}) || !tra(st.terna_a[1], {0, 1}) || st.terna_a[2] != 0) {
      v.push_back(r + ": primo gruppo fuori dai valori ammessi");
    }
    if (!tra(st.terna_b[0], {0, 2, 4}) || !tra(st.terna_b[1], {0, 1}) || !tra(st.terna_b[2], {0, 1})) {
      v.push_back(r + ": secondo gruppo fuori dai valori ammessi");
    }
    if (!tra(st.sosta, {0, 1, 60, 220})) v.push_back(r + ": sosta fuori da 0, 1, 60, 220");
    const auto orario = orari.find(i);
    const std::pair<int32_t, int32_t> atteso = orario != orari.end() ? orario->second : std::pair{0, 0};
    if (st.ore != atteso.first || st.minuti != atteso.second || st.secondi != 0) {
      v.push_back(r + ": orario diverso dalla scheda treno");
    }
    if (orario != orari.end() && i != 0 && i + 1 != s.size() && st.sosta != 60) {
      v.push_back(r + ": fermata intermedia senza sosta di 60 s");
    }
    const area_stazione a = area_di(st);
    if (st.tipo < 25 && a.fine <= 100) v.push_back(r + ": finisce entro 100 m dall'inizio della linea");
    if (i > 0 && a.inizio - 350 < precedente.fine) v.push_back(r + ": meno di 350 m dalla stazione precedente");
    a_350 = a_350 || (i > 0 && a.inizio - precedente.fine == 350);
    precedente = a;
  }
  if (!a_350) v.push_back("nessuna coppia di stazioni a 350 m esatti");
  return v;
}

violazioni regole_segnali(const righe& segnali, const righe& stazioni) {
  violazioni v;
  conta(v, "segnali", segnali.size(), 23);
  const std::vector<segnale> s = leggi_segnali(segnali, v);
  prima_e_ultima(v, segnali, "segnale,    6650,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                 "segnale,   95000,   2, 2, 3,  0, 0,    0,  0,0,0, 0");
  for (const char* r : {"segnale,   12100,   2, 4, 1,  0, 0,    0,  0,0,0, 220",
                        "segnale,   73450,   2, 2, 3,  1, 0,    0,  0,0,0, 240",
                        "segnale,   84000,   2, 4, 1,  0, 0,    2,  2,1,0, 220"}) {
    presente(v, segnali, r);
  }
  std::size_t con_s3 = 0, con_destra = 0, con_tempo = 0, coppie = 0;
  const std::vector<area_stazione> aree = aree_stazioni(stazioni);
  std::vector<int32_t> isolati;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const segnale& g = s[i];
    const std::string& r = g.riga;
    if (i > 0 && g.posizione <= s[i - 1].posizione) v.push_back(r + ": posizione non crescente");
    if (g.posizione < 6650 || g.posizione > 95000) v.push_back(r + ": posizione fuori da 6650..95000");
    if (!tra(g.sx, {1, 2}) || g.s1 < 2 || g.s1 > 5 || !tra(g.s2, {1, 3, 4}) || !tra(g.s3, {0, 1})) {
      v.push_back(r + ": lato sinistro fuori dai valori ammessi");
    }
    if (g.rapp != 0) v.push_back(r + ": il valore dopo il lato sinistro non e' 0");
    con_s3 += g.s3 == 1 ? 1 : 0;
    if (g.dx == 2 && g.destra == std::array<int32_t, 3>{2, 1, 0}) {
      ++con_destra;
    } else if (g.dx != 0 || g.destra != std::array<int32_t, 3>{0, 0, 0}) {
      v.push_back(r + ": lato destro diverso da 0 0 0 0 e da 2 2 1 0");
    }
    if (g.tempo != 0) {
      ++con_tempo;
      if (!tra(g.tempo, {220, 230, 240}) || g.sx != 2) v.push_back(r + ": tempo fuori da 220, 230, 240 o con codice 1");
    }
    if (g.sx == 1) {
      // A distant signal: its home signal follows 1000 to 1300 m on, and both
      // stand between the previous station's area and the next one's.
      const bool coppia = i + 1 < s.size() && s[i + 1].sx == 2 && s[i + 1].posizione - g.posizione >= 1000 &&
                          s[i + 1].posizione - g.posizione <= 1300;
      if (!coppia) {
        v.push_back(r + ": non seguito da un segnale di codice 2 fra 1000 e 1300 m");
        continue;
      }
      ++coppie;
      const auto dopo =
          std::find_if(aree.begin(), aree.end(), [&](const area_stazione& a) { return a.inizio > s[i + 1].posizione; });
      const bool davanti = dopo != aree.end() && (dopo == aree.begin() || std::prev(dopo)->fine < g.posizione);
      if (!davanti) v.push_back(r + ": la coppia non sta davanti a una stazione");
    } else if (i == 0 || s[i - 1].sx != 1) {
      isolati.push_back(g.posizione);
    }
  }
  conta(v, "coppie di segnali", coppie, 11);
  if (isolati != std::vector<int32_t>{84000}) v.push_back("il solo segnale isolato non e' quello a 84000 m");
  conta(v, "segnali con il terzo valore sinistro a 1", con_s3, 1);
  conta(v, "segnali con il lato destro", con_destra, 1);
  conta(v, "segnali con un tempo", con_tempo, 5);
  return v;
}

}  // namespace od::test
