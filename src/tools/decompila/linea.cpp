// The line description file from the model: the general values of entries
// 81 to 86, then curves, gradients, mountain runs, boards and signs.
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <map>

#include "builder/memo_linea.h"
#include "elementi/indicatori.h"
#include "modello/misure_linea.h"
#include "modello/stazioni.h"
#include "tools/decompila/descrivi.h"
#include "tools/decompila/valori.h"

namespace od {
namespace {

// The line length: entry 84, unless the track's size says otherwise; the
// cells are what the simulator runs on, so they decide.
int32_t lunghezza_descritta(const scenario& s) {
  const int32_t scritta = lunghezza_linea(s);
  if (scritta >= 0 && scritta <= lunghezza_massima && ultima_cella_di(scritta) == s.ultima_cella()) return scritta;
  const int64_t dalle_celle = inizio_cella(s.ultima_cella()) - coda_binario;
  return static_cast<int32_t>(std::clamp<int64_t>(dalle_celle, 0, lunghezza_massima));
}

struct progressiva {
  int32_t x, y, z;
};

// The three progressive lines whose ordering gives entries 81 to 83 as
// stored: each stored entry, less the 100 that its direction flag added, is
// tried under each of the three keys, and the reader's own ordering decides.
std::array<progressiva, 3> progressive_scritte(const scenario& s) {
  std::array<progressiva, 3> memorizzate{};
  for (int n = 0; n < 3; ++n) {
    const voce& v = voce_n(s, voce_progressive + n);
    const int64_t y = v.posizione == 1 ? int64_t{v.area_fine} - 100 : v.area_fine;
    memorizzate[static_cast<std::size_t>(n)] = {v.area_inizio, static_cast<int32_t>(std::max<int64_t>(y, INT32_MIN)),
                                                v.posizione};
  }
  std::array<int, 3> ordine{0, 1, 2};  // stored entry written as "uno", "due", "tre"
  do {
    scenario prova;
    for (int chiave = 0; chiave < 3; ++chiave) {
      // Before ordering, entry 81 holds "tre", 82 "due", 83 "uno".
      voce& v = prova.tabella[static_cast<std::size_t>(voce_progressive + 2 - chiave)];
      const progressiva& p = memorizzate[static_cast<std::size_t>(ordine[static_cast<std::size_t>(chiave)])];
      v.area_inizio = p.x;
      v.area_fine = p.y;
      v.posizione = p.z;
    }
    progressive_ordina(prova);
    bool uguali = true;
    for (int n = 0; n < 3; ++n) {
      const voce& a = voce_n(prova, voce_progressive + n);
      const voce& b = voce_n(s, voce_progressive + n);
      uguali = uguali && a.area_inizio == b.area_inizio && a.area_fine == b.area_fine && a.posizione == b.posizione;
    }
    if (uguali) break;
  } while (std::next_permutation(ordine.begin(), ordine.end()));
  // When none fits, the loop has come back to the stored order, as near as any.
  return {memorizzate[static_cast<std::size_t>(ordine[0])], memorizzate[static_cast<std::size_t>(ordine[1])],
          memorizzate[static_cast<std::size_t>(ordine[2])]};
}

int64_t multiplo_di_cella(int64_t v) { return inizio_cella(cella_di(v)); }

sezione_descrizione generale_linea(const scenario& s) {
  sezione_descrizione g{"[generale]", {}, false};
  g.righe.push_back(riga_numeri(tipo_record::lunghezza_percorso, {lunghezza_descritta(s)}));
  const std::array<progressiva, 3> p = progressive_scritte(s);
  const tipo_record chiavi[3] = {tipo_record::progressiva_uno, tipo_record::progressiva_due,
                                 tipo_record::progressiva_tre};
  for (std::size_t n = 0; n < 3; ++n) {
    g.righe.push_back(riga_numeri(chiavi[n], {p[n].x, p[n].y, p[n].z}));
  }
  g.righe.push_back(riga_numeri(tipo_record::sfondo_uno, {sfondo_uno(s)}));
  g.righe.push_back(riga_numeri(tipo_record::sfondo_due, {sfondo_due(s)}));
  g.righe.push_back(riga_numeri(tipo_record::sfondo_tre, {sfondo_tre(s)}));
  // The key names the number of codes; a second value of 0 stores none.
  const char* codici = ripetizione_codici(s) == 9 ? "9" : "4";
  g.righe.push_back(riga_numeri(std::string("ripetizione segnali ") + codici + " codici",
                                {multiplo_di_cella(ripetizione_primo(s)), multiplo_di_cella(ripetizione_secondo(s))}));
  return g;
}

// A running value held from one cell onward: a row at each change, none
// while the value stays. The reader starts from `iniziale` before the first row.
template <typename Riga>
std::vector<riga_descrizione> cambiamenti(const scenario& s, uint8_t cella::*campo, int iniziale, Riga riga) {
  std::vector<riga_descrizione> righe;
  int corrente = iniziale;
  for (int32_t c = 0; c <= ultima_cella_riempita(s); ++c) {
    const int v = s.binario[static_cast<std::size_t>(c)].*campo;
    if (v == corrente) continue;
    righe.push_back(riga(inizio_cella(c), v));
    corrente = v;
  }
  return righe;
}

std::vector<riga_descrizione> pendenze(const scenario& s) {
  const auto riga = [](int64_t p, int v) { return riga_numeri(tipo_record::pendenza, {p, v - 100}); };
  std::vector<riga_descrizione> righe = cambiamenti(s, &cella::pendenza, 100, riga);
  // A gradient row at the first of the last three cells carries its value
  // there too, where the final fill never reaches.
  const int32_t terzultima = ultima_cella_riempita(s) + 1;
  if (const int v = s.binario[static_cast<std::size_t>(terzultima)].pendenza; v != 0) {
    righe.push_back(riga(inizio_cella(terzultima), v));
  }
  return righe;
}

struct tratto_montagna {
  int32_t da, a;
  int tipo;
  bool segni;
  int64_t inizio = 0, fine = 0;
};

bool oggetto_in(const scenario& s, int32_t c, uint8_t o) { return s.binario[static_cast<std::size_t>(c)].oggetto == o; }

// A run with markers put one on every fourth cell from its start; a later
// item may have taken it, but none empties it. So a stretch of one type
// splits where its markers change step, or where a marker cell is empty: a
// run with markers ends before its first empty marker cell, and runs
// without markers fill the rest.
void dividi_per_segni(const scenario& s, const tratto_montagna& t, std::vector<tratto_montagna>& tratti) {
  std::vector<int32_t> segni;
  for (int32_t c = t.da; c <= t.a; ++c) {
    if (oggetto_in(s, c, oggetto::segno_montagna)) segni.push_back(c);
  }
  // Every fourth cell from `da` up to `a` holds something.
  const auto passo_pieno = [&](int32_t da, int32_t a) {
    for (int32_t c = da + 3; c <= a; c += 4) {
      if (oggetto_in(s, c, oggetto::vuoto)) return false;
    }
    return true;
  };
  int32_t libero = t.da;  // first cell not yet in a run
  std::size_t n = 0;
  while (n < segni.size()) {
    int32_t inizio = segni[n] - 3;
    if ((segni[n] - libero) % 4 == 3 && passo_pieno(libero, segni[n])) inizio = libero;
    inizio = std::max(inizio, libero);
    if (inizio > libero) tratti.push_back({libero, inizio - 1, t.tipo, false});
    int32_t ultimo = segni[n];
    for (++n; n < segni.size() && (segni[n] - inizio) % 4 == 3 && passo_pieno(ultimo + 1, segni[n]); ++n) {
      ultimo = segni[n];
    }
    // The run goes on past its last marker while its marker cells hold
    // something, up to where the next run must start.
    const int32_t limite = n < segni.size() ? segni[n] - 4 : t.a;
    int32_t fine = ultimo;
    while (fine < limite && !((fine + 1 - inizio) % 4 == 3 && oggetto_in(s, fine + 1, oggetto::vuoto))) ++fine;
    tratti.push_back({inizio, fine, t.tipo, true});
    libero = fine + 1;
  }
  if (libero <= t.a) tratti.push_back({libero, t.a, t.tipo, false});
}

// Mountain runs: each stretch of cells of one non-zero type, split by its
// markers (type + 10 asks for them).
std::vector<tratto_montagna> tratti_montagna(const scenario& s) {
  std::vector<tratto_montagna> tratti_tipo;
  for (int32_t c = 0; c <= s.ultima_cella(); ++c) {
    const cella& k = s.binario[static_cast<std::size_t>(c)];
    if (k.montagna == 0) continue;
    if (tratti_tipo.empty() || tratti_tipo.back().a != c - 1 || tratti_tipo.back().tipo != k.montagna) {
      tratti_tipo.push_back({c, c, k.montagna, false});
    }
    tratti_tipo.back().a = c;
  }
  std::vector<tratto_montagna> tratti;
  for (const tratto_montagna& t : tratti_tipo) dividi_per_segni(s, t, tratti);
  for (tratto_montagna& t : tratti) {
    t.inizio = inizio_cella(t.da);
    t.fine = inizio_cella(int64_t{t.a} + 1);
  }
  return tratti;
}

// A run that starts 150 m or less after the run read before it ends becomes
// type 3; only the first run read escapes the rule.
constexpr int64_t distanza_tipo_3 = 150;

// How far a position may move into its cell and still round back to it;
// half a cell more rounds back to an even cell only.
constexpr int64_t dentro_cella = metri_cella / 2 - 1;

// The latest start in the run's first cell.
int64_t inizio_piu_tardi(const tratto_montagna& t) {
  return inizio_cella(t.da) + (t.da % 2 == 0 ? dentro_cella + 1 : dentro_cella);
}

// A run of type other than 3 that no run can come before: its start lies
// within 150 m of the line's start, so anything read before it would have
// to end before the line does.
bool solo_per_primo(const tratto_montagna& t) { return t.tipo != 3 && inizio_piu_tardi(t) <= distanza_tipo_3; }

std::vector<riga_descrizione> montagne(const scenario& s) {
  std::vector<tratto_montagna> tratti = tratti_montagna(s);
  // The first run that must be read first is read first.
  const auto primo = std::find_if(tratti.begin(), tratti.end(), solo_per_primo);
  if (primo != tratti.end()) std::rotate(tratti.begin(), primo, primo + 1);
  std::vector<riga_descrizione> righe;
  const auto riga = [&righe](int64_t inizio, int64_t fine, int tipo) {
    righe.push_back(riga_numeri(tipo_record::montagna, {inizio, fine, tipo}));
  };
  for (std::size_t n = 0; n < tratti.size(); ++n) {
    tratto_montagna& t = tratti[n];
    if (n > 0 && t.tipo != 3) {
      tratto_montagna& prima = tratti[n - 1];
      // With three free cells between them, moving both ends as far as
      // they go inside their cells opens the gap to 198 m. Nearer, a run of no
      // cells ending at 0 is read in between, which only the run read right
      // after it is compared with.
      if (t.da - prima.a - 1 == 3 && t.da > prima.a) {
        t.inizio += dentro_cella;
        prima.fine -= dentro_cella;
        righe.back().campi[1] = std::to_string(prima.fine);
      } else if (t.inizio - prima.fine <= distanza_tipo_3) {
        if (t.inizio <= distanza_tipo_3) t.inizio = inizio_piu_tardi(t);
        riga(0, 0, 1);
      }
    }
    riga(t.inizio, t.fine, t.tipo + (t.segni || t.tipo > 10 ? 10 : 0));
  }
  return righe;
}

// A stopping point placed over a board keeps the board's last three values.
bool indicatore_sotto(const cella& k) {
  return k.oggetto == oggetto::fermata && (k.valore2 != 0 || k.valore3 != 0 || k.valore4 != 0);
}

std::vector<riga_descrizione> indicatori(const scenario& s) {
  std::vector<riga_descrizione> righe;
  for (int32_t c = 0; c <= s.ultima_cella(); ++c) {
    cella k = cella_senza_segni(s, c);
    // The board goes back under its stopping point, its first value lost.
    const bool sotto_fermata = indicatore_sotto(k);
    if (sotto_fermata) k.valore1 = 0;
    if (k.oggetto != oggetto::indicatore_vmax && !sotto_fermata) continue;
    // Each value packs left / 20 + right / 5: the left speed in twenties and
    // the right in fives below 100 give it back.
    const indicatore_spacchettato b = spacca_indicatore(k);
    riga_descrizione r = riga_numeri(tipo_record::indicatori_vmax,
                                     {posizione_puntuale(c), b.sinistra[0], b.sinistra[1], b.sinistra[2],
                                      b.strisce_sinistra, b.destra[0], b.destra[1], b.destra[2], b.strisce_destra});
    // Nothing on the right is left empty, as the built-in scenario writes it.
    if (b.destra[0] == 0 && b.destra[1] == 0 && b.destra[2] == 0) r.campi[5] = r.campi[6] = r.campi[7] = "";
    righe.push_back(std::move(r));
  }
  return righe;
}

}  // namespace

std::string testo_leggibile(const std::string& t) {
  std::string r = t;
  for (char& c : r) {
    if (c == ',' || c == '\r' || c == '\n') c = ';';
  }
  const std::size_t inizio = r.find_first_not_of(" \t");
  if (inizio == std::string::npos) return {};
  return r.substr(inizio, r.find_last_not_of(" \t") - inizio + 1);
}

namespace {

// Signs in the order their entries were given, from 80 down. A station's
// stopping point is placed without looking at its cell, so it may stand
// where a sign stood: the sign's entry is still there, named by no cell, and
// goes back under one of the stopping points that no board is under, which
// the train file then covers again.
std::vector<riga_descrizione> cartelli(const scenario& s) {
  std::map<int, int32_t, std::greater<>> per_voce;
  std::vector<int32_t> fermate;
  for (int32_t c = 0; c <= s.ultima_cella(); ++c) {
    const cella& k = s.binario[static_cast<std::size_t>(c)];
    if (k.oggetto == oggetto::cartello) per_voce.emplace(k.valore1, c);
    if (k.oggetto == oggetto::fermata && c > 1 && !indicatore_sotto(k)) fermate.push_back(c);
  }
  std::size_t fermata = 0;
  for (int n = prima_voce_cartelli; n > 0 && fermata < fermate.size(); --n) {
    if (per_voce.contains(n)) continue;
    if (!solo_testo(voce_n(s, n))) break;
    per_voce.emplace(n, fermate[fermata++]);
  }
  std::vector<riga_descrizione> righe;
  for (const auto& [n, c] : per_voce) {
    const std::string testo = n >= 0 && n < voci_tabella ? voce_n(s, n).nome : std::string();
    riga_descrizione r = riga_numeri(tipo_record::cartello_indicatore, {posizione_puntuale(c)});
    r.campi.push_back(testo_leggibile(testo));
    r.ultimo_testo = true;
    righe.push_back(std::move(r));
  }
  return righe;
}

}  // namespace

std::vector<std::string> senza_testo(const scenario& s) {
  std::vector<std::string> motivi;
  std::vector<int32_t> primi;
  for (const tratto_montagna& t : tratti_montagna(s)) {
    if (solo_per_primo(t)) primi.push_back(t.da);
  }
  if (primi.size() > 1) {
    motivi.push_back(fmt::format(
        "montagne: i tratti dalle celle {} e {} hanno un tipo diverso da 3 e cominciano entro 150 m dall'inizio della "
        "linea: solo il primo tratto letto sfugge alla regola dei 150 m, e nessun testo li riproduce entrambi",
        primi[0], primi[1]));
  }
  const planimetria& p = s.planimetria;
  if (s.con_planimetria != 0 && p.esiste() && p.calcolate() < p.righe() - 2) {
    motivi.push_back(fmt::format(
        "planimetria: le righe calcolate finiscono alla {}, non alla {}: una lettura senza errori prolunga sempre la "
        "linea fino in fondo, solo una costruzione forzata la lascia incompleta, e nessun testo la riproduce",
        p.calcolate() - 1, p.righe() - 3));
  }
  return motivi;
}

descrizione_file descrivi_linea(const scenario& s) {
  descrizione_file d;
  d.sezioni.push_back(generale_linea(s));
  d.sezioni.push_back(
      {"[curve]", s.con_planimetria != 0 ? descrivi_curve(s.planimetria) : std::vector<riga_descrizione>{}});
  d.sezioni.push_back({"[pendenze]", pendenze(s)});
  d.sezioni.push_back({"[montagne]", montagne(s)});
  d.sezioni.push_back({"[cartelli]", indicatori(s)});
  d.sezioni.push_back({"[indicazioni]", cartelli(s)});
  return d;
}

}  // namespace od
