#include "tools/mostra/elementi.h"

#include <map>
#include <set>

namespace od {
namespace {

const voce& voce_n(const scenario& s, int n) { return s.tabella[static_cast<std::size_t>(n)]; }

generale_letto estrai_generale(const scenario& s) {
  generale_letto g;
  const voce& treno = voce_n(s, voce_treno);
  const voce& percorso = voce_n(s, voce_percorso);
  const voce& ripetizione = voce_n(s, voce_ripetizione);
  g.lunghezza_linea = treno.area_fine;
  g.lunghezza_totale = s.lunghezza_totale;
  g.ultima_cella = s.ultima_cella();
  for (int n = 0; n < 3; ++n) {
    const voce& v = voce_n(s, voce_progressive + n);
    g.progressive[static_cast<std::size_t>(n)] = {v.area_inizio, v.area_fine, v.posizione};
  }
  g.sfondi = {percorso.area_inizio, percorso.posizione, percorso.area_fine};
  g.ripetizione_primo = ripetizione.area_inizio;
  g.ripetizione_secondo = ripetizione.area_fine;
  g.ripetizione_codici = ripetizione.posizione;
  g.massa_frenata = treno.area_inizio;
  g.vetture = treno.posizione;
  g.sabbia = ripetizione.terna_a1;
  g.orologio = {ripetizione.terna_b1, ripetizione.terna_b2, ripetizione.terna_b3};
  g.segno_tabella = percorso.terna_a1;
  g.codice_st = percorso.orario;
  if (s.binario.size() > 1) {
    g.segno_binario = s.binario[1].valore1;
    g.codice_og = s.binario[1].valore2;
  }
  g.righe_planimetria = s.con_planimetria != 0 ? s.planimetria.righe() : 0;
  g.righe_calcolate = s.con_planimetria != 0 ? s.planimetria.calcolate() : 0;
  return g;
}

// Values packed as tens and units come apart with floor division, so that a
// negative value from a damaged file still unpacks to numbers that re-pack.
int decine(int v) { return v >= 0 ? v / 10 : -((9 - v) / 10); }
int unita(int v) { return v - 10 * decine(v); }

segnale_letto estrai_segnale(int32_t c, const cella& k) {
  segnale_letto s;
  s.cella = c;
  s.posizione = posizione_puntuale(c);
  s.rapp = decine(k.valore4);
  s.sx = unita(k.valore4) / 3;
  s.dx = unita(k.valore4) % 3;
  const int16_t valori[3] = {k.valore1, k.valore2, k.valore3};
  for (std::size_t n = 0; n < 3; ++n) {
    s.sinistra[n] = decine(valori[n]);
    s.destra[n] = unita(valori[n]);
  }
  s.attesa = k.attesa;
  return s;
}

indicatore_letto estrai_indicatore(int32_t c, const cella& k) {
  indicatore_letto b;
  b.cella = c;
  b.posizione = posizione_puntuale(c);
  const int16_t valori[3] = {k.valore1, k.valore2, k.valore3};
  for (std::size_t n = 0; n < 3; ++n) {
    const int v = valori[n];
    const int venti = v >= 0 ? v / 20 : -((19 - v) / 20);
    b.sinistra[n] = venti;
    b.destra[n] = (v - 20 * venti) * 5;
  }
  b.strisce_sinistra = decine(k.valore4);
  b.strisce_destra = unita(k.valore4);
  return b;
}

// The warning of a slowdown stands celle_avviso cells before its start and
// the four approach marks in the four cells below the warning, whatever the
// position: both are the start's rounding shifted by whole cells.

void estrai_rallentamenti(const scenario& s, elementi_linea& e) {
  const auto n = static_cast<int32_t>(s.binario.size());
  std::set<int32_t> prese;
  auto oggetto_in = [&](int32_t c) -> int {
    return c >= 0 && c < n ? s.binario[static_cast<std::size_t>(c)].oggetto : -1;
  };
  for (int32_t c = 0; c < n; ++c) {
    const cella& k = s.binario[static_cast<std::size_t>(c)];
    if (k.oggetto != oggetto::inizio_rallentamento) continue;
    rallentamento_letto r;
    r.cella_inizio = c;
    r.velocita = k.valore1;
    r.d_v = k.valore2;
    r.treno_intero = k.valore3;
    for (int32_t f = c + 1; f < n; ++f) {
      if (oggetto_in(f) == oggetto::fine_rallentamento && !prese.contains(f)) {
        r.cella_fine = f;
        prese.insert(f);
        break;
      }
    }
    const int32_t w = c - celle_avviso;
    if (oggetto_in(w) == oggetto::avviso_rallentamento && !prese.contains(w)) {
      r.cella_avviso = w;
      prese.insert(w);
      for (int32_t m = w - 1; m >= w - 4; --m) {
        if (oggetto_in(m) == oggetto::preavviso_rallentamento && !prese.contains(m)) {
          r.celle_preavviso.push_back(m);
          prese.insert(m);
        }
      }
    }
    e.rallentamenti.push_back(std::move(r));
  }
  for (int32_t c = 0; c < n; ++c) {
    const int o = oggetto_in(c);
    const bool parte =
        o == oggetto::fine_rallentamento || o == oggetto::avviso_rallentamento || o == oggetto::preavviso_rallentamento;
    if (parte && !prese.contains(c)) {
      e.isolate.push_back({c, static_cast<uint8_t>(o), s.binario[static_cast<std::size_t>(c)].valore1});
    }
  }
}

// Entries 1 to 80 that hold something and that no sign names are stations.
void estrai_stazioni(const scenario& s, elementi_linea& e) {
  std::set<int> di_cartelli;
  std::map<int, int32_t> fermate;
  for (std::size_t c = 0; c < s.binario.size(); ++c) {
    const cella& k = s.binario[c];
    if (k.oggetto == oggetto::cartello) di_cartelli.insert(k.valore1);
    if (k.oggetto == oggetto::fermata) fermate.emplace(k.valore1, static_cast<int32_t>(c));
  }
  for (int n = 1; n <= prima_voce_cartelli; ++n) {
    const voce& v = voce_n(s, n);
    if (v == voce{} || di_cartelli.contains(n)) continue;
    stazione_letta st;
    st.numero = n;
    st.dati = v;
    if (const auto f = fermate.find(n); f != fermate.end()) st.cella_fermata = f->second;
    e.stazioni.push_back(std::move(st));
  }
}

void estrai_puntuali(const scenario& s, elementi_linea& e) {
  for (std::size_t i = 0; i < s.binario.size(); ++i) {
    const cella& k = s.binario[i];
    const auto c = static_cast<int32_t>(i);
    switch (k.oggetto) {
      case oggetto::segnale:
        e.segnali.push_back(estrai_segnale(c, k));
        break;
      case oggetto::indicatore_vmax:
        e.indicatori.push_back(estrai_indicatore(c, k));
        break;
      case oggetto::cartello: {
        const bool in_tabella = k.valore1 >= 1 && k.valore1 < voci_tabella;
        const auto posizione = static_cast<int32_t>(posizione_puntuale(c));
        e.cartelli.push_back({c, posizione, k.valore1, in_tabella ? voce_n(s, k.valore1).nome : ""});
        break;
      }
      case oggetto::abbattimento:
      case oggetto::fine_abbattimento:
        e.abbattimenti.push_back(
            {c, static_cast<int32_t>(inizio_cella(c)), k.valore1, k.oggetto == oggetto::fine_abbattimento});
        break;
      default:
        break;
    }
  }
}

template <typename Campo>
std::vector<tratto> tratti(const scenario& s, int32_t ultima, Campo campo) {
  std::vector<tratto> t;
  for (int32_t c = 0; c <= ultima && c < static_cast<int32_t>(s.binario.size()); ++c) {
    const int v = campo(s.binario[static_cast<std::size_t>(c)]);
    if (t.empty() || t.back().valore != v) {
      t.push_back({c, c, v, 0});
    } else {
      t.back().a = c;
    }
  }
  return t;
}

std::vector<tratto> montagne(const scenario& s) {
  std::vector<tratto> t = tratti(s, s.ultima_cella(), [](const cella& k) { return int{k.montagna}; });
  std::erase_if(t, [](const tratto& x) { return x.valore == 0; });
  for (tratto& x : t) {
    for (int32_t c = x.da; c <= x.a; ++c)
      x.segni += s.binario[static_cast<std::size_t>(c)].oggetto == oggetto::segno_montagna;
  }
  return t;
}

}  // namespace

elementi_linea estrai_elementi(const scenario& stato) {
  elementi_linea e;
  e.generale = estrai_generale(stato);
  estrai_stazioni(stato, e);
  estrai_puntuali(stato, e);
  estrai_rallentamenti(stato, e);
  const int32_t riempita = ultima_cella_riempita(stato.ultima_cella());
  e.pendenze = tratti(stato, riempita, [](const cella& k) { return int{k.pendenza}; });
  e.velocita = tratti(stato, riempita, [](const cella& k) { return int{k.vmax}; });
  e.aderenze = tratti(stato, riempita, [](const cella& k) { return int{k.aderenza}; });
  e.montagne = montagne(stato);
  return e;
}

}  // namespace od
