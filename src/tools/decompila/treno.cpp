// The train description file from the model: the train's values of entries
// 84 and 86, adhesion and speed limit from their runs of cells, stations
// from entry 1 up, slowdowns from their start cells, signals from their
// cells and approach marks, and the reduction records asked for.
#include <optional>

#include "elementi/abbattimenti.h"
#include "elementi/rallentamenti.h"
#include "elementi/segnali.h"
#include "modello/misure_linea.h"
#include "modello/stazioni.h"
#include "tools/decompila/descrivi.h"
#include "tools/decompila/preavvisi.h"
#include "tools/decompila/valori.h"

namespace od {
namespace {

const cella& cella_n(const scenario& s, int64_t c) { return s.binario[static_cast<std::size_t>(c)]; }
bool dentro(const scenario& s, int64_t c) { return c >= 0 && c <= s.ultima_cella(); }

sezione_descrizione generale_treno(const scenario& s) {
  sezione_descrizione g{"[generale]", {}, false};
  g.righe.push_back(riga_numeri(tipo_record::numero_vetture, {vetture(s)}));
  g.righe.push_back(riga_numeri(tipo_record::massa_frenata, {massa_frenata(s)}));
  g.righe.push_back(riga_numeri(tipo_record::sabbia, {sabbia(s)}));
  // The clock's three numbers are parted by blanks only.
  g.righe.push_back({std::string(record_di(tipo_record::orologio).scritta),
                     {std::to_string(orologio_ore(s)) + "  " + std::to_string(orologio_minuti(s)) + "  " +
                      std::to_string(orologio_secondi(s))},
                     false});
  return g;
}

// A running value from one cell onward: a row at each change, the reader
// holding 0 before the first.
std::vector<riga_descrizione> cambiamenti(const scenario& s, uint8_t cella::*campo, tipo_record chiave, int scala) {
  std::vector<riga_descrizione> righe;
  int corrente = 0;
  for (int32_t c = 0; c <= ultima_cella_riempita(s); ++c) {
    const int v = cella_n(s, c).*campo;
    if (v == corrente) continue;
    righe.push_back(riga_numeri(chiave, {inizio_cella(c), int64_t{v} * scala}));
    corrente = v;
  }
  return righe;
}

// Entries 1, 2, 3, ... that hold more than a text and that no sign names.
int numero_stazioni(const scenario& s) { return static_cast<int>(stazioni_del_percorso(s).size()); }

riga_descrizione riga_stazione(const voce& v, int numero) {
  const int64_t p = v.posizione;
  int64_t lunghezza = 0;
  int64_t opzione_c = 0;
  if (tipo_capolinea(v.tipo) || tipo_simmetrico(v.tipo)) {
    lunghezza = p - v.area_inizio;  // the area reaches back the length from the position
  } else {
    lunghezza = 2 * (p - v.area_inizio);  // centred on the position
    // The first station's flag is cleared once its area has been worked out:
    // the metres it added to the area's end tell it.
    opzione_c = numero == 1 ? (v.area_fine - (p + lunghezza / 2) == allungo_area ? 1 : 0) : v.opzione_c;
  }
  const int64_t o = v.orario;
  riga_descrizione r = riga_numeri(tipo_record::stazione, {p, v.tipo, lunghezza, v.opzione_a, v.opzione_b, opzione_c,
                                                           v.terna_a1, v.terna_a2, v.terna_a3, v.terna_b1, v.terna_b2,
                                                           v.terna_b3, v.sosta, o / 3600, o % 3600 / 60, o % 60});
  r.campi.push_back(testo_leggibile(v.nome));
  r.ultimo_testo = true;
  return r;
}

// A slowdown's cells come from four roundings of its start x and end x + l:
// start round(x / 50 + 1), warning round(x / 50 - 23), marks from
// round(x / 50 - 24) down, end round((x + l) / 50 + 1). Halfway between two
// cells, ties go to the even cell, so a start at 25 past a multiple of 50
// puts the marks one cell lower than any other start in the same cell does.

// The first of the whole numbers within half a cell of `centro` that `vale`
// accepts: a multiple of the cell length first, then the nearest.
template <typename Vale>
std::optional<int64_t> posizione_che_vale(int64_t centro, Vale vale) {
  for (const bool multipli : {true, false}) {
    for (int64_t d = 0; d <= metri_cella / 2; ++d) {
      for (const int64_t p : {centro - d, centro + d}) {
        if ((p % metri_cella == 0) == multipli && vale(p)) return p;
      }
    }
  }
  return std::nullopt;
}

// The marks 1 to 4 of a slowdown, `sotto` cells below its warning.
bool preavvisi_sotto(const scenario& s, int32_t avviso, int32_t sotto) {
  for (int32_t k = 0; k <= 3; ++k) {
    const int64_t c = int64_t{avviso} - sotto - k;
    if (!dentro(s, c) || cella_n(s, c).oggetto != oggetto::preavviso_rallentamento || cella_n(s, c).valore1 != k + 1) {
      return false;
    }
  }
  return true;
}

riga_descrizione riga_rallentamento(const scenario& s, int32_t c, int32_t fine) {
  const cella k = cella_senza_segni(s, c);
  const int32_t avviso = c - celle_avviso;
  const bool con_avviso = dentro(s, avviso) && cella_n(s, avviso).oggetto == oggetto::avviso_rallentamento;
  const int32_t sotto = preavvisi_sotto(s, avviso, 1) ? 1 : preavvisi_sotto(s, avviso, 2) ? 2 : 0;
  const auto vale_inizio = [&](int64_t x, bool con_preavvisi) {
    if (x < 0 || x + 100 > inizio_cella(s.ultima_cella()) || cella_puntuale(x) != c) return false;
    if ((x > inizio_con_avviso) != con_avviso) return false;
    return !con_preavvisi || cella_di(x - distanza_avviso) == avviso - sotto;
  };
  const int64_t centro = posizione_puntuale(c);
  bool con_preavvisi = con_avviso && sotto > 0;
  std::optional<int64_t> x = posizione_che_vale(centro, [&](int64_t p) { return vale_inizio(p, con_preavvisi); });
  if (!x) {
    con_preavvisi = false;
    x = posizione_che_vale(centro, [&](int64_t p) { return vale_inizio(p, false); });
  }
  const int64_t inizio = x.value_or(centro);
  const int64_t lunghezza = posizione_puntuale(fine) - inizio;
  const int64_t l = posizione_che_vale(lunghezza, [&](int64_t prova) {
                      return prova > 0 && cella_puntuale(inizio + prova) == fine;
                    }).value_or(lunghezza);
  return riga_numeri(tipo_record::rallentamento, {inizio, k.valore1, l, k.valore3, con_preavvisi ? 1 : 0, k.valore2});
}

// A start without an end is described as ending in the next cell.
std::vector<riga_descrizione> rallentamenti(const scenario& s) {
  std::vector<riga_descrizione> righe;
  for (const coppia_rallentamento& r : coppie_rallentamenti(s)) {
    righe.push_back(riga_rallentamento(s, r.inizio, r.fine >= 0 ? r.fine : r.inizio + 1));
  }
  return righe;
}

riga_descrizione riga_segnale(const scenario& s, int32_t c, std::optional<int> base) {
  const cella k = cella_senza_segni(s, c);
  const lati_segnale l = lati(k.valore4, k.attesa, base).value_or(*lati(k.valore4, k.attesa, std::nullopt));
  const coppia_segnale v[3] = {spacca_coppia(k.valore1), spacca_coppia(k.valore2), spacca_coppia(k.valore3)};
  const auto s_n = [&](std::size_t n) { return v[n].s; };
  const auto d_n = [&](std::size_t n) { return v[n].d; };
  return riga_numeri(tipo_record::segnale, {posizione_puntuale(c), l.sx, s_n(0), s_n(1), s_n(2), l.rapp, l.dx, d_n(0),
                                            d_n(1), d_n(2), k.attesa});
}

// Stations and signals in the order that their approach marks ask for (see
// preavvisi.h), each run of one kind under its own header; the slowdowns
// after the last station, as the built-in scenario has them.
void stazioni_e_segnali(const scenario& s, descrizione_file& d) {
  const int n = numero_stazioni(s);
  std::vector<sezione_descrizione> gruppi;
  for (const scrittura_preavvisi& w : ordine_preavvisi(s, n)) {
    const char* intestazione = w.stazione ? "[stazioni]" : "[segnali]";
    if (gruppi.empty() || gruppi.back().intestazione != intestazione) gruppi.push_back({intestazione, {}});
    gruppi.back().righe.push_back(w.stazione ? riga_stazione(voce_n(s, w.numero), w.numero)
                                             : riga_segnale(s, w.numero, w.base));
  }
  std::size_t dopo_stazioni = 0;
  for (std::size_t g = 0; g < gruppi.size(); ++g) {
    if (gruppi[g].intestazione == "[stazioni]") dopo_stazioni = g + 1;
  }
  if (dopo_stazioni == 0) {
    gruppi.insert(gruppi.begin(), {"[stazioni]", {}});
    dopo_stazioni = 1;
  }
  gruppi.insert(gruppi.begin() + static_cast<std::ptrdiff_t>(dopo_stazioni), {"[rallentamenti]", rallentamenti(s)});
  if (gruppi.back().intestazione != "[segnali]") gruppi.push_back({"[segnali]", {}});
  for (sezione_descrizione& g : gruppi) d.sezioni.push_back(std::move(g));
}

}  // namespace

riga_descrizione riga_abbattimento(int32_t indice, const cella& c) {
  return riga_numeri(tipo_record::abbattimento, {inizio_cella(indice), valore_abbattimento(c)});
}

descrizione_file descrivi_treno(const scenario& s, const std::vector<riga_descrizione>& abbattimenti) {
  descrizione_file d;
  d.sezioni.push_back(generale_treno(s));
  d.sezioni.push_back({"[aderenze]", cambiamenti(s, &cella::aderenza, tipo_record::aderenza, 1)});
  d.sezioni.push_back({"[vel_limite]", cambiamenti(s, &cella::vmax, tipo_record::velocita, 5)});
  stazioni_e_segnali(s, d);
  d.sezioni.push_back({"[abbattimenti]", abbattimenti});
  d.sezioni.push_back({"[codici]", {}});
  return d;
}

}  // namespace od
