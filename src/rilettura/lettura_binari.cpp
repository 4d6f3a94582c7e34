#include "rilettura/lettura_binari.h"

#include <fmt/format.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <span>

#include "elementi/voci_generali.h"
#include "modello/campi.h"
#include "modello/misure_linea.h"
#include "output/disposizione.h"
#include "output/elemento_planimetria.h"
#include "output/file_binari.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "platform/intento.h"
#include "rilettura/controlli.h"
#include "rilettura/lettore_byte.h"

namespace od {

void decodifica_binario(std::string_view dati, const std::string& file, scenario& stato) {
  lettore_byte l(dati, file);
  if (const std::size_t resto = dati.size() % byte_cella; resto != 0) {
    l.danneggiato(dati.size() - resto, fmt::format("il file ha {} byte, non un multiplo di {}: l'ultima cella ha "
                                                   "solo {} byte",
                                                   dati.size(), byte_cella, resto));
  }
  if (dati.size() < 2 * byte_cella) {
    l.danneggiato(dati.size(), fmt::format("il file ha {} celle: manca la cella 1 con i segni del binario",
                                           dati.size() / byte_cella));
  }
  stato.binario.assign(dati.size() / byte_cella, cella{});
  for (cella& c : stato.binario) {
    per_ogni_campo(c, [&l](std::string_view nome, auto& campo) { l.leggi(nome, campo); });
  }
}

namespace {

void leggi_voce(lettore_byte& l, int n, voce& v) {
  per_ogni_campo(v,
                 [&](std::string_view nome, auto& campo) { l.leggi(fmt::format("{} della voce {}", nome, n), campo); });
}

}  // namespace

void decodifica_tabella(std::string_view dati, const std::string& file, scenario& stato,
                        std::array<std::size_t, voci_tabella>& inizio_voci) {
  lettore_byte l(dati, file);
  for (int n = 0; n < voci_tabella; ++n) {
    inizio_voci[static_cast<std::size_t>(n)] = l.posizione();
    leggi_voce(l, n, stato.tabella[static_cast<std::size_t>(n)]);
  }
  if (!l.finito()) {
    l.danneggiato(l.posizione(), fmt::format("dopo la voce {} restano {} byte che nessuna voce spiega",
                                             voci_tabella - 1, l.restanti()));
  }
}

namespace {

struct elemento {
  planimetria::tipo_riga tipo = planimetria::tipo_riga::vuota;
  double valore = 0;
  std::size_t byte = 0;
};

elemento leggi_elemento(lettore_byte& l) {
  elemento e;
  e.byte = l.posizione();
  const elemento_planimetria letto = decodifica_elemento(l);
  const std::optional<planimetria::tipo_riga> tipo = letto.tipo();
  if (!tipo) {
    l.danneggiato(e.byte, fmt::format("tipo di elemento {} sconosciuto: i tipi sono {} (vuoto), {} (intero) e "
                                      "{} (doppio)",
                                      letto.codice, codice_vuoto, codice_intero, codice_doppio));
  }
  e.tipo = *tipo;
  e.valore = letto.valore;
  return e;
}

std::size_t conta_elementi(lettore_byte& l) {
  std::size_t n = 0;
  for (; !l.finito(); ++n) leggi_elemento(l);
  return n;
}

std::string_view nome_tipo(planimetria::tipo_riga t) {
  switch (t) {
    case planimetria::tipo_riga::vuota:
      return "vuoto";
    case planimetria::tipo_riga::intera:
      return "intero";
    case planimetria::tipo_riga::doppia:
      return "doppio";
  }
  return "?";
}

// The rows of one column that hold values, reading its `righe` elements
// from `l`. The builder computes rows in order: rows 0 and 1 whole numbers
// at the origin, then doubles, then empty rows; or, when it never started
// the plan, only empty rows. Anything else is not a plan that this model
// can hold.
int32_t righe_calcolate(lettore_byte& l, std::size_t righe, int n_colonna) {
  using tipo = planimetria::tipo_riga;
  std::size_t riga = 0;
  elemento e;  // the element of `riga` while riga < righe, else the column's last
  auto passa = [&] {
    if (++riga < righe) e = leggi_elemento(l);
  };
  auto atteso = [&](tipo t) {
    if (riga >= righe) {
      l.danneggiato(righe == 0 ? 0 : e.byte,
                    fmt::format("la colonna {} ha solo {} righe: la planimetria ne ha almeno 2", n_colonna, righe));
    }
    if (e.tipo != t) {
      l.danneggiato(e.byte, fmt::format("colonna {}, riga {}: elemento {} dove ci vuole un elemento {}", n_colonna,
                                        riga, nome_tipo(e.tipo), nome_tipo(t)));
    }
  };
  if (righe > 0) e = leggi_elemento(l);
  if (righe > 0 && e.tipo != tipo::vuota) {
    const double origine[2][2] = {{0, 0}, {0, 1}};  // column, row
    while (riga < 2) {
      atteso(tipo::intera);
      if (e.valore != origine[n_colonna][riga]) {
        l.danneggiato(e.byte, fmt::format("colonna {}, riga {}: vale {}, ma la linea parte sempre da (0, 0) e (0, 1)",
                                          n_colonna, riga, e.valore));
      }
      passa();
    }
    while (riga < righe && e.tipo == tipo::doppia) passa();
  }
  const auto calcolate = static_cast<int32_t>(riga);
  // passa() moves `riga` on.
  while (riga < righe) {
    atteso(tipo::vuota);
    passa();
  }
  return calcolate;
}

}  // namespace

// A valid plan file in one pass over its two columns side by side. Both
// columns hold the same kind of element row by row (whole numbers, doubles,
// empty), so the second starts halfway through the file. Gives up at the
// first thing out of place, leaving the diagnosis to the careful decoder.
std::optional<planimetria> decodifica_valida(std::string_view dati, const std::string& file) {
  if (dati.empty() || dati.size() % 2 != 0) return std::nullopt;
  const std::size_t meta = dati.size() / 2;
  // Whole empty elements, all zero bytes.
  auto vuote = [](std::string_view resto) {
    return resto.size() % byte_elemento_vuoto == 0 && resto.find_first_not_of('\0') == resto.npos;
  };
  planimetria piano;
  if (dati[0] == '\0' && dati[1] == '\0') {
    // A plan never started: each half whole empty elements.
    if (meta % byte_elemento_vuoto != 0 || !vuote(dati)) return std::nullopt;
    piano.crea(static_cast<int32_t>(meta / byte_elemento_vuoto) - 1);
    return piano;
  }
  lettore_byte primo(dati.substr(0, meta), file), secondo(dati.substr(meta), file);
  auto intero = [](lettore_byte& l, int16_t valore) {
    return l.restanti() >= byte_elemento_intero && l.u16("") == codice_intero && l.i16("") == valore;
  };
  if (!intero(primo, 0) || !intero(primo, 0) || !intero(secondo, 0) || !intero(secondo, 1)) return std::nullopt;
  // The first column alone says how many rows were computed and how many there are.
  lettore_byte conta(dati.substr(0, meta), file, primo.posizione());
  int32_t calcolate = 2;
  while (conta.restanti() >= byte_elemento_doppio && conta.u16("") == codice_doppio) {
    conta.f64("");
    ++calcolate;
  }
  const std::size_t inizio_vuote = primo.posizione() + byte_elemento_doppio * static_cast<std::size_t>(calcolate - 2);
  if (!vuote(dati.substr(inizio_vuote, meta - inizio_vuote))) return std::nullopt;
  const std::size_t n_vuote = (meta - inizio_vuote) / byte_elemento_vuoto;
  if (static_cast<uint64_t>(calcolate) + n_vuote > INT32_MAX) return std::nullopt;
  piano.crea(calcolate + static_cast<int32_t>(n_vuote) - 1);
  piano.avvia();
  piano.riserva(calcolate);
  for (int32_t r = 2; r < calcolate; ++r) {
    primo.u16("");
    const double a = primo.f64("");
    if (secondo.u16("") != codice_doppio) return std::nullopt;
    piano.aggiungi(a, secondo.f64(""));
  }
  if (!vuote(dati.substr(meta + inizio_vuote))) return std::nullopt;
  return piano;
}

// The careful decoder, for a file that the one pass above did not take: it
// names the first fault. A long line's plan has millions of elements, so
// they are decoded as they are walked, never gathered in a list: a first
// pass counts them (the columns split where the second half starts), one
// pass per column checks it, and a last one reads both columns side by side
// into rows, so that the plan is touched only once every check has passed.
void decodifica_planimetria(std::string_view dati, const std::string& file, planimetria& piano) {
  if (std::optional<planimetria> letta = decodifica_valida(dati, file)) {
    piano = std::move(*letta);
    return;
  }
  lettore_byte l(dati, file);
  if (dati.empty()) l.danneggiato(0, "il file e' vuoto");
  const std::size_t elementi = conta_elementi(l);
  if (elementi % 2 != 0) {
    l.danneggiato(dati.size(),
                  fmt::format("{} elementi, un numero dispari: le due colonne non hanno le stesse righe", elementi));
  }
  const std::size_t righe = elementi / 2;
  lettore_byte primo(dati, file);
  const int32_t calcolate = righe_calcolate(primo, righe, 0);
  const std::size_t inizio_secondo = primo.posizione();
  lettore_byte secondo(dati, file, inizio_secondo);
  const int32_t calcolate_secondo = righe_calcolate(secondo, righe, 1);
  if (calcolate != calcolate_secondo) {
    lettore_byte l_secondo(dati, file, inizio_secondo);
    elemento e;
    for (int32_t r = 0; r <= std::min(calcolate, calcolate_secondo); ++r) e = leggi_elemento(l_secondo);
    l.danneggiato(e.byte,
                  fmt::format("la colonna 0 ha {} righe calcolate e la colonna 1 {}", calcolate, calcolate_secondo));
  }
  piano.crea(static_cast<int32_t>(righe) - 1);
  if (calcolate == 0) return;
  piano.avvia();
  piano.riserva(calcolate);
  lettore_byte colonna_0(dati, file), colonna_1(dati, file, inizio_secondo);
  for (int32_t r = 0; r < calcolate; ++r) {
    const double a = leggi_elemento(colonna_0).valore, b = leggi_elemento(colonna_1).valore;
    if (r >= 2) piano.aggiungi(a, b);
  }
}

namespace {

template <typename Decodifica>
bool prova(std::vector<danno>& danni, Decodifica&& decodifica) {
  try {
    decodifica();
    return true;
  } catch (const file_danneggiato& e) {
    danni.push_back(e.dettaglio());
    return false;
  }
}

}  // namespace

namespace {

// Table, cells and the checks, once the plan has its part in `s`.
void decodifica_resto(const nomi_binari& nomi, const immagini_binarie& immagini, scenario_letto& s) {
  s.byte_tabella = immagini.tabella.size();
  s.byte_binario = immagini.binario.size();
  s.tabella_letta = prova(s.danni, [&] { decodifica_tabella(immagini.tabella, nomi.tabella, s.stato, s.inizio_voci); });
  s.binario_letto = prova(s.danni, [&] { decodifica_binario(immagini.binario, nomi.binario, s.stato); });
  if (s.tabella_letta) {
    s.stato.lunghezza_totale = static_cast<int32_t>(metri_binario(lunghezza_linea(s.stato)));
  } else if (s.binario_letto) {
    s.stato.lunghezza_totale = static_cast<int32_t>(inizio_cella(s.stato.ultima_cella()));
  }
  controlla_scenario(s);
}

scenario_letto con_nomi(const std::string& percorso, const std::string& treno) {
  scenario_letto s;
  s.stato.nome_percorso = percorso;
  s.stato.nome_treno = treno;
  return s;
}

}  // namespace

scenario_letto decodifica_scenario(const std::string& percorso, const std::string& treno,
                                   const immagini_binarie& immagini) {
  const nomi_binari nomi = nomi_file_binari(percorso, treno);
  scenario_letto s = con_nomi(percorso, treno);
  if (immagini.planimetria) {
    s.planimetria_presente = true;
    s.byte_planimetria = immagini.planimetria->size();
    const bool letta =
        prova(s.danni, [&] { decodifica_planimetria(*immagini.planimetria, nomi.planimetria, s.stato.planimetria); });
    s.stato.con_planimetria = letta ? 1 : 0;
  }
  decodifica_resto(nomi, immagini, s);
  return s;
}

scenario_letto decodifica_scenario(const std::string& percorso, const std::string& treno,
                                   const immagini_binarie& immagini, planimetria piano, std::size_t byte_piano) {
  scenario_letto s = con_nomi(percorso, treno);
  s.planimetria_presente = true;
  s.byte_planimetria = byte_piano;
  s.stato.planimetria = std::move(piano);
  s.stato.con_planimetria = 1;
  decodifica_resto(nomi_file_binari(percorso, treno), immagini, s);
  return s;
}

namespace {

std::string leggi_obbligatorio(const std::string& percorso) {
  std::optional<std::string> dati = leggi_file(percorso);
  if (dati) return std::move(*dati);
  if (esiste_file(percorso)) throw errore_file(percorso, "file illeggibile");
  if (esiste_voce(percorso)) throw errore_file(percorso, "non e' un file (una cartella o un collegamento rotto)");
  throw errore_file(percorso, "file mancante");
}

}  // namespace

immagini_binarie leggi_immagini(const std::string& cartella, const std::string& percorso, const std::string& treno,
                                bool piano) {
  // A set that a killed build left half replaced would read as a scenario
  // that no build wrote.
  if (const std::optional<std::string> vecchio = sostituzione_incompleta(cartella)) {
    throw errore_file(*vecchio, std::string(testo_sostituzione_interrotta));
  }
  const nomi_binari nomi = nomi_file_binari(percorso, treno);
  immagini_binarie immagini;
  const std::string file_piano = nome_completo(cartella, nomi.planimetria);
  // Anything but a file in the plan's place is no scenario without a plan.
  if (piano && esiste_voce(file_piano)) immagini.planimetria = leggi_obbligatorio(file_piano);
  immagini.tabella = leggi_obbligatorio(nome_completo(cartella, nomi.tabella));
  immagini.binario = leggi_obbligatorio(nome_completo(cartella, nomi.binario));
  return immagini;
}

scenario_letto leggi_scenario(const std::string& cartella, const std::string& percorso, const std::string& treno) {
  return decodifica_scenario(percorso, treno, leggi_immagini(cartella, percorso, treno));
}

}  // namespace od
