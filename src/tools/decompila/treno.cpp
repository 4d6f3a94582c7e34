// The train description file from the model: the train's values of entries
// 84 and 86, adhesion and speed limit from their runs of cells, stations
// from entry 1 up, slowdowns from their start cells, signals from their
// cells and approach marks, and the reduction records asked for.
#include <optional>
#include <set>

#include "builder/stazioni.h"
#include "tools/decompila/descrivi.h"
#include "tools/decompila/valori.h"

namespace od {
namespace {

const voce& voce_n(const stato_scenario& s, int n) { return s.tabella[static_cast<std::size_t>(n)]; }
const cella& cella_n(const stato_scenario& s, int64_t c) { return s.binario[static_cast<std::size_t>(c)]; }
bool dentro(const stato_scenario& s, int64_t c) { return c >= 0 && c <= s.ultima_cella; }

sezione_descrizione generale_treno(const stato_scenario& s) {
  sezione_descrizione g{"[generale]", {}, false};
  const voce& treno = voce_n(s, voce_treno);
  const voce& r = voce_n(s, voce_ripetizione);
  g.righe.push_back(riga_numeri("numero vetture", {treno.posizione}));
  g.righe.push_back(riga_numeri("percentuale massa frenata", {treno.area_inizio}));
  g.righe.push_back(riga_numeri("sabbia", {r.terna_a1}));
  // The clock's three numbers are parted by blanks only.
  g.righe.push_back(
      {"orologio",
       {std::to_string(r.terna_b1) + "  " + std::to_string(r.terna_b2) + "  " + std::to_string(r.terna_b3)},
       false});
  return g;
}

// A running value from one cell onward: a row at each change, the reader
// holding 0 before the first.
std::vector<riga_descrizione> cambiamenti(const stato_scenario& s, uint8_t cella::*campo, const char* chiave,
                                          int scala) {
  std::vector<riga_descrizione> righe;
  int corrente = 0;
  for (int32_t c = 0; c <= ultima_riempita(s); ++c) {
    const int v = cella_n(s, c).*campo;
    if (v == corrente) continue;
    righe.push_back(riga_numeri(chiave, {int64_t{c} * 50, int64_t{v} * scala}));
    corrente = v;
  }
  return righe;
}

// Entries 1, 2, 3, ... that hold more than a text and that no sign names.
int numero_stazioni(const stato_scenario& s) { return static_cast<int>(stazioni_del_percorso(s).size()); }

riga_descrizione riga_stazione(const voce& v, int numero) {
  const int64_t p = v.posizione;
  int64_t lunghezza = 0;
  int64_t opzione_c = 0;
  if (v.tipo >= 5 && v.tipo <= 8) {
    lunghezza = p - v.area_inizio;  // the area reaches back the length from the position
  } else {
    lunghezza = 2 * (p - v.area_inizio);  // centred on the position
    // The first station's flag is cleared once its area has been worked out:
    // the 50 m it added to the area's end tell it.
    opzione_c = numero == 1 ? (v.area_fine - (p + lunghezza / 2) == 50 ? 1 : 0) : v.opzione_c;
  }
  const int64_t o = v.orario;
  riga_descrizione r = riga_numeri(
      "stazione", {p, v.tipo, lunghezza, v.opzione_a, v.opzione_b, opzione_c, v.terna_a1, v.terna_a2, v.terna_a3,
                   v.terna_b1, v.terna_b2, v.terna_b3, v.sosta, o / 3600, o % 3600 / 60, o % 60});
  r.campi.push_back(testo_leggibile(v.nome));
  r.ultimo_testo = true;
  return r;
}

// A slowdown's warning stands 24 cells before its start, its four approach
// marks in the four cells below the warning.
constexpr int32_t distanza_avviso = 24;
constexpr int32_t prima_cella_con_avviso = 32;  // a start more than 1500 m along

std::vector<riga_descrizione> rallentamenti(const stato_scenario& s) {
  std::vector<riga_descrizione> righe;
  std::set<int32_t> fini_prese;
  for (int32_t c = 0; c <= s.ultima_cella; ++c) {
    const cella k = cella_senza_segni(s, c);
    if (k.oggetto != oggetto::inizio_rallentamento) continue;
    int32_t fine = c + 1;
    for (int32_t f = c + 1; f <= s.ultima_cella; ++f) {
      if (cella_n(s, f).oggetto == oggetto::fine_rallentamento && !fini_prese.contains(f)) {
        fine = f;
        break;
      }
    }
    fini_prese.insert(fine);
    const int32_t avviso = c - distanza_avviso;
    const bool con_preavvisi = c >= prima_cella_con_avviso && dentro(s, avviso - 1) &&
                               cella_n(s, avviso - 1).oggetto == oggetto::preavviso_rallentamento;
    righe.push_back(riga_numeri("rallentamento", {posizione_di_cella(c), k.valore1, int64_t{fine - c} * 50, k.valore3,
                                                  con_preavvisi ? 1 : 0, k.valore2}));
  }
  return righe;
}

int cifre(int64_t v) { return static_cast<int>(std::to_string(v).size()); }

struct lati_segnale {
  int64_t sx = 0, dx = 0, rapp = 0;
};

// valore4 = 10 rapp + 3 sx + dx does not part sx from dx by itself: the
// approach marks, 30 sx + 10 dx + j, and the held time, kept only for sx 2,
// do. The shortest parts that agree with all that the cell and its intact
// mark show; failing those, the plain split of the units.
lati_segnale lati(int16_t valore4, uint8_t attesa, std::optional<int> marca) {
  const auto accettabile = [&](int64_t sx, int64_t dx) {
    if ((int64_t{valore4} - 3 * sx - dx) % 10 != 0) return false;
    if (marca && ((30 * sx + 10 * dx) & 0xFF) != *marca) return false;
    return attesa == 0 || sx == 2;
  };
  const int64_t unita = resto_basso(valore4, 10);
  lati_segnale naturale{unita / 3, unita % 3, quoziente_basso(valore4, 10)};
  if (accettabile(naturale.sx, naturale.dx)) return naturale;
  std::optional<lati_segnale> migliore;
  for (int64_t sx = -20; sx <= 20; ++sx) {
    for (int64_t dx = -20; dx <= 20; ++dx) {
      if (!accettabile(sx, dx)) continue;
      const lati_segnale l{sx, dx, (int64_t{valore4} - 3 * sx - dx) / 10};
      if (!migliore || cifre(l.sx) + cifre(l.dx) + cifre(l.rapp) <
                           cifre(migliore->sx) + cifre(migliore->dx) + cifre(migliore->rapp)) {
        migliore = l;
      }
    }
  }
  return migliore.value_or(naturale);
}

// Signals are written in the order of their cells, so a signal's mark j
// stays as it put it unless a signal 2, 4 or 6 cells above it, written
// later, put its own mark there.
std::optional<int> marca_intatta(const stato_scenario& s, int32_t c) {
  for (int32_t j = 1; j <= 4; ++j) {
    bool coperta = false;
    for (int32_t altro = j + 1; altro <= 4; ++altro) {
      const int64_t sopra = int64_t{c} + 2 * (altro - j);
      coperta = coperta || (dentro(s, sopra) && cella_n(s, sopra).oggetto == oggetto::segnale);
    }
    if (coperta || !dentro(s, int64_t{c} - 2 * j)) continue;
    return (cella_n(s, int64_t{c} - 2 * j).preavviso - j) & 0xFF;
  }
  return std::nullopt;
}

std::vector<riga_descrizione> segnali(const stato_scenario& s) {
  std::vector<riga_descrizione> righe;
  for (int32_t c = 0; c <= s.ultima_cella; ++c) {
    const cella k = cella_senza_segni(s, c);
    if (k.oggetto != oggetto::segnale) continue;
    const lati_segnale l = lati(k.valore4, k.attesa, marca_intatta(s, c));
    const int16_t v[3] = {k.valore1, k.valore2, k.valore3};
    const auto s_n = [&](std::size_t n) { return quoziente_basso(v[n], 10); };
    const auto d_n = [&](std::size_t n) { return resto_basso(v[n], 10); };
    righe.push_back(riga_numeri("segnale", {posizione_di_cella(c), l.sx, s_n(0), s_n(1), s_n(2), l.rapp, l.dx, d_n(0),
                                            d_n(1), d_n(2), k.attesa}));
  }
  return righe;
}

}  // namespace

riga_descrizione riga_abbattimento(int32_t indice, const cella& c) {
  // A value above 0 marks a reduction point and keeps its low 16 bits; 0 or
  // less, the end of a reduction.
  const int64_t valore = c.oggetto == oggetto::fine_abbattimento ? 0 : c.valore1 > 0 ? c.valore1 : c.valore1 + 65536;
  return riga_numeri("abbattimento", {int64_t{indice} * 50, valore});
}

descrizione_file descrivi_treno(const stato_scenario& s, const std::vector<riga_descrizione>& abbattimenti) {
  descrizione_file d;
  d.sezioni.push_back(generale_treno(s));
  d.sezioni.push_back({"[aderenze]", cambiamenti(s, &cella::aderenza, "aderenza", 1)});
  d.sezioni.push_back({"[vel_limite]", cambiamenti(s, &cella::vmax, "velocita", 5)});
  sezione_descrizione stazioni{"[stazioni]", {}};
  const int n = numero_stazioni(s);
  for (int i = 1; i <= n; ++i) stazioni.righe.push_back(riga_stazione(voce_n(s, i), i));
  d.sezioni.push_back(std::move(stazioni));
  d.sezioni.push_back({"[rallentamenti]", rallentamenti(s)});
  d.sezioni.push_back({"[segnali]", segnali(s)});
  d.sezioni.push_back({"[abbattimenti]", abbattimenti});
  d.sezioni.push_back({"[codici]", {}});
  return d;
}

}  // namespace od
