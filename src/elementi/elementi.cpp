#include "elementi/elementi.h"

#include <map>
#include <set>

#include "elementi/abbattimenti.h"
#include "elementi/indicatori.h"
#include "elementi/rallentamenti.h"
#include "elementi/segnali.h"

namespace od {
namespace {

generale_letto estrai_generale(const scenario& s) {
  generale_letto g;
  g.lunghezza_linea = lunghezza_linea(s);
  g.lunghezza_totale = s.lunghezza_totale;
  g.ultima_cella = s.ultima_cella();
  g.ultima_riempita = ultima_cella_riempita(s);
  for (int n = 0; n < 3; ++n) {
    const voce& v = voce_n(s, voce_progressive + n);
    g.progressive[static_cast<std::size_t>(n)] = {v.area_inizio, v.area_fine, v.posizione};
  }
  g.sfondi = {sfondo_uno(s), sfondo_due(s), sfondo_tre(s)};
  g.ripetizione_primo = ripetizione_primo(s);
  g.ripetizione_secondo = ripetizione_secondo(s);
  g.ripetizione_codici = ripetizione_codici(s);
  g.massa_frenata = massa_frenata(s);
  g.vetture = vetture(s);
  g.sabbia = sabbia(s);
  g.orologio = {orologio_ore(s), orologio_minuti(s), orologio_secondi(s)};
  g.segno_tabella = segno_in_tabella(s);
  g.codice_st = codice_st(s);
  if (s.binario.size() > 1) {
    g.segno_binario = segno_in_binario(s);
    g.codice_og = codice_og(s);
  }
  g.righe_planimetria = s.con_planimetria != 0 ? s.planimetria.righe() : 0;
  g.righe_calcolate = s.con_planimetria != 0 ? s.planimetria.calcolate() : 0;
  return g;
}

segnale_letto estrai_segnale(int32_t c, const cella& k) {
  segnale_letto s;
  s.cella = c;
  s.posizione = static_cast<int32_t>(posizione_puntuale(c));
  const lati_segnale l = lati_naturali(k.valore4);
  s.rapp = static_cast<int>(l.rapp);
  s.sx = static_cast<int>(l.sx);
  s.dx = static_cast<int>(l.dx);
  const int16_t valori[3] = {k.valore1, k.valore2, k.valore3};
  for (std::size_t n = 0; n < 3; ++n) {
    const coppia_segnale p = spacca_coppia(valori[n]);
    s.sinistra[n] = static_cast<int>(p.s);
    s.destra[n] = static_cast<int>(p.d);
  }
  s.attesa = k.attesa;
  return s;
}

indicatore_letto estrai_indicatore(int32_t c, const cella& k) {
  const indicatore_spacchettato p = spacca_indicatore(k);
  return {c, static_cast<int32_t>(posizione_puntuale(c)), p.sinistra, p.destra, p.strisce_sinistra, p.strisce_destra};
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
  for (const coppia_rallentamento& coppia : coppie_rallentamenti(s)) {
    const int32_t c = coppia.inizio;
    const valori_rallentamento v = valori_di(s.binario[static_cast<std::size_t>(c)]);
    rallentamento_letto r;
    r.cella_inizio = c;
    r.velocita = v.velocita;
    r.d_v = v.d_v;
    r.treno_intero = v.treno_intero;
    r.cella_fine = coppia.fine;
    if (coppia.fine >= 0) prese.insert(coppia.fine);
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

void estrai_puntuale(const scenario& s, int32_t c, const cella& k, elementi_linea& e) {
  const std::optional<tipo_oggetto> tipo = tipo_noto(k.oggetto);
  if (!tipo) return;
  switch (*tipo) {
    case tipo_oggetto::segnale:
      e.segnali.push_back(estrai_segnale(c, k));
      break;
    case tipo_oggetto::indicatore_vmax:
      e.indicatori.push_back(estrai_indicatore(c, k));
      break;
    case tipo_oggetto::cartello: {
      const bool in_tabella = k.valore1 >= 1 && k.valore1 < voci_tabella;
      const auto posizione = static_cast<int32_t>(posizione_puntuale(c));
      e.cartelli.push_back({c, posizione, k.valore1, in_tabella ? voce_n(s, k.valore1).nome : ""});
      break;
    }
    case tipo_oggetto::abbattimento:
    case tipo_oggetto::fine_abbattimento:
      e.abbattimenti.push_back(
          {c, static_cast<int32_t>(inizio_cella(c)), k.valore1, k.oggetto == oggetto::fine_abbattimento});
      break;
    // Gathered with their tables or their parts, not cell by cell.
    case tipo_oggetto::vuoto:
    case tipo_oggetto::fine_rallentamento:
    case tipo_oggetto::inizio_rallentamento:
    case tipo_oggetto::avviso_rallentamento:
    case tipo_oggetto::preavviso_rallentamento:
    case tipo_oggetto::fermata:
    case tipo_oggetto::segno_montagna:
      break;
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

elementi_linea estrai_elementi(const scenario& s) {
  elementi_linea e;
  e.generale = estrai_generale(s);
  estrai_stazioni(s, e);
  for (std::size_t c = 0; c < s.binario.size(); ++c) estrai_puntuale(s, static_cast<int32_t>(c), s.binario[c], e);
  estrai_rallentamenti(s, e);
  const int32_t riempita = ultima_cella_riempita(s);
  e.pendenze = tratti(s, riempita, [](const cella& k) { return int{k.pendenza}; });
  e.velocita = tratti(s, riempita, [](const cella& k) { return int{k.vmax}; });
  e.aderenze = tratti(s, riempita, [](const cella& k) { return int{k.aderenza}; });
  e.montagne = montagne(s);
  return e;
}

}  // namespace od
