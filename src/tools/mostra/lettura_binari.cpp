#include "tools/mostra/lettura_binari.h"

#include <fmt/format.h>

#include <algorithm>
#include <span>

#include "builder/campi.h"
#include "output/file_binari.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "tools/mostra/controlli.h"
#include "tools/mostra/lettore_byte.h"

namespace od {

constexpr std::size_t byte_cella = 15;

void decodifica_binario(std::string_view dati, const std::string& file, stato_scenario& stato) {
  lettore_byte l(dati, file);
  if (const std::size_t resto = dati.size() % byte_cella; resto != 0) {
    l.danneggiato(dati.size() - resto, fmt::format("il file ha {} byte, non un multiplo di 15: l'ultima cella ha "
                                                   "solo {} byte",
                                                   dati.size(), resto));
  }
  if (dati.size() < 2 * byte_cella) {
    l.danneggiato(dati.size(), fmt::format("il file ha {} celle: manca la cella 1 con i segni del binario",
                                           dati.size() / byte_cella));
  }
  stato.binario.assign(dati.size() / byte_cella, cella{});
  for (cella& c : stato.binario) {
    per_ogni_campo(c, [&l](std::string_view nome, auto& campo) { l.leggi(nome, campo); });
  }
  stato.ultima_cella = static_cast<int32_t>(stato.binario.size()) - 1;
}

namespace {

void leggi_voce(lettore_byte& l, int n, voce& v) {
  per_ogni_campo(v, [&](std::string_view nome, auto& campo) {
    l.leggi(fmt::format("{} della voce {}", nome, n), campo);
  });
}

}  // namespace

void decodifica_tabella(std::string_view dati, const std::string& file, stato_scenario& stato,
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

enum : uint16_t { variante_vuota = 0, variante_intera = 2, variante_doppia = 5 };

struct elemento {
  planimetria::tipo_riga tipo = planimetria::tipo_riga::vuota;
  double valore = 0;
  std::size_t byte = 0;
};

std::vector<elemento> leggi_elementi(lettore_byte& l) {
  std::vector<elemento> elementi;
  while (!l.finito()) {
    elemento e;
    e.byte = l.posizione();
    const uint16_t tipo = l.u16("tipo di un elemento");
    if (tipo == variante_intera) {
      e.tipo = planimetria::tipo_riga::intera;
      e.valore = l.i16("valore di un elemento intero");
    } else if (tipo == variante_doppia) {
      e.tipo = planimetria::tipo_riga::doppia;
      e.valore = l.f64("valore di un elemento doppio");
    } else if (tipo != variante_vuota) {
      l.danneggiato(e.byte, fmt::format("tipo di elemento {} sconosciuto: i tipi sono 0 (vuoto), 2 (intero) e "
                                        "5 (doppio)",
                                        tipo));
    }
    elementi.push_back(e);
  }
  return elementi;
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

// The rows of one column that hold values. The builder computes rows in
// order: rows 0 and 1 whole numbers at the origin, then doubles, then empty
// rows; or, when it never started the plan, only empty rows. Anything else
// is not a plan that this model can hold.
int32_t righe_calcolate(std::span<const elemento> colonna, int n_colonna, const lettore_byte& l) {
  using tipo = planimetria::tipo_riga;
  auto atteso = [&](std::size_t riga, tipo t) {
    if (riga >= colonna.size()) {
      l.danneggiato(
          colonna.empty() ? 0 : colonna.back().byte,
          fmt::format("la colonna {} ha solo {} righe: la planimetria ne ha almeno 2", n_colonna, colonna.size()));
    }
    if (colonna[riga].tipo != t) {
      l.danneggiato(colonna[riga].byte, fmt::format("colonna {}, riga {}: elemento {} dove ci vuole un elemento {}",
                                                    n_colonna, riga, nome_tipo(colonna[riga].tipo), nome_tipo(t)));
    }
  };
  std::size_t riga = 0;
  if (!colonna.empty() && colonna[0].tipo != tipo::vuota) {
    const double origine[2][2] = {{0, 0}, {0, 1}};  // column, row
    for (; riga < 2; ++riga) {
      atteso(riga, tipo::intera);
      if (colonna[riga].valore != origine[n_colonna][riga]) {
        l.danneggiato(colonna[riga].byte,
                      fmt::format("colonna {}, riga {}: vale {}, ma la linea parte sempre da (0, 0) e (0, 1)",
                                  n_colonna, riga, colonna[riga].valore));
      }
    }
    while (riga < colonna.size() && colonna[riga].tipo == tipo::doppia) ++riga;
  }
  const auto calcolate = static_cast<int32_t>(riga);
  for (; riga < colonna.size(); ++riga) atteso(riga, tipo::vuota);
  return calcolate;
}

}  // namespace

void decodifica_planimetria(std::string_view dati, const std::string& file, planimetria& piano) {
  lettore_byte l(dati, file);
  if (dati.empty()) l.danneggiato(0, "il file e' vuoto");
  const std::vector<elemento> elementi = leggi_elementi(l);
  if (elementi.size() % 2 != 0) {
    l.danneggiato(dati.size(), fmt::format("{} elementi, un numero dispari: le due colonne non hanno le stesse righe",
                                           elementi.size()));
  }
  const std::size_t righe = elementi.size() / 2;
  const std::span<const elemento> primo(elementi.data(), righe), secondo(elementi.data() + righe, righe);
  const int32_t calcolate = righe_calcolate(primo, 0, l);
  const int32_t calcolate_secondo = righe_calcolate(secondo, 1, l);
  if (calcolate != calcolate_secondo) {
    const auto riga = static_cast<std::size_t>(std::min(calcolate, calcolate_secondo));
    l.danneggiato(secondo[riga].byte,
                  fmt::format("la colonna 0 ha {} righe calcolate e la colonna 1 {}", calcolate, calcolate_secondo));
  }
  piano.crea(static_cast<int32_t>(righe) - 1);
  if (calcolate == 0) return;
  piano.avvia();
  for (int32_t r = 2; r < calcolate; ++r) {
    piano.aggiungi(primo[static_cast<std::size_t>(r)].valore, secondo[static_cast<std::size_t>(r)].valore);
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

scenario_letto decodifica_scenario(const std::string& percorso, const std::string& treno,
                                   const immagini_binarie& immagini) {
  const nomi_binari nomi = nomi_file_binari(percorso, treno);
  scenario_letto s;
  s.stato.nome_percorso = percorso;
  s.stato.nome_treno = treno;
  s.byte_tabella = immagini.tabella.size();
  s.byte_binario = immagini.binario.size();
  if (immagini.planimetria) {
    s.planimetria_presente = true;
    s.byte_planimetria = immagini.planimetria->size();
    const bool letta =
        prova(s.danni, [&] { decodifica_planimetria(*immagini.planimetria, nomi.planimetria, s.stato.planimetria); });
    s.stato.con_planimetria = letta ? 1 : 0;
  }
  s.tabella_letta = prova(s.danni, [&] { decodifica_tabella(immagini.tabella, nomi.tabella, s.stato, s.inizio_voci); });
  s.binario_letto = prova(s.danni, [&] { decodifica_binario(immagini.binario, nomi.binario, s.stato); });
  if (s.tabella_letta) {
    s.stato.lunghezza_totale = s.stato.tabella[voce_treno].area_fine + 7000;
  } else if (s.binario_letto) {
    s.stato.lunghezza_totale = s.stato.ultima_cella * 50;
  }
  controlla_scenario(s);
  return s;
}

namespace {

std::string leggi_obbligatorio(const std::string& percorso) {
  std::optional<std::string> dati = leggi_file(percorso);
  if (!dati) throw errore_file(percorso, esiste_file(percorso) ? "file illeggibile" : "file mancante");
  return std::move(*dati);
}

}  // namespace

immagini_binarie leggi_immagini(const std::string& cartella, const std::string& percorso, const std::string& treno) {
  const nomi_binari nomi = nomi_file_binari(percorso, treno);
  immagini_binarie immagini;
  const std::string piano = nome_completo(cartella, nomi.planimetria);
  if (esiste_file(piano)) immagini.planimetria = leggi_obbligatorio(piano);
  immagini.tabella = leggi_obbligatorio(nome_completo(cartella, nomi.tabella));
  immagini.binario = leggi_obbligatorio(nome_completo(cartella, nomi.binario));
  return immagini;
}

scenario_letto leggi_scenario(const std::string& cartella, const std::string& percorso, const std::string& treno) {
  return decodifica_scenario(percorso, treno, leggi_immagini(cartella, percorso, treno));
}

}  // namespace od
