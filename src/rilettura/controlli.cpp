#include "rilettura/controlli.h"

#include <fmt/format.h>

#include <algorithm>

#include "elementi/tipi_oggetto.h"
#include "elementi/voci_generali.h"
#include "modello/misure_linea.h"
#include "output/codici_gara.h"
#include "output/disposizione.h"
#include "output/file_binari.h"

namespace od {
namespace {

// A damaged file may hold thousands of bad cells; past this many of one kind
// the rest are counted, not listed.
constexpr int massimo_per_controllo = 20;

struct controllo {
  scenario_letto& s;
  nomi_binari nomi;

  void segnala(const std::string& file, std::size_t byte, std::string motivo) {
    s.danni.push_back(danno{file, byte, std::move(motivo)});
  }
  // Byte where field `campo` of entry n lies in the table file.
  std::size_t byte_di_voce(int n, std::string_view campo) const {
    return s.inizio_voci[static_cast<std::size_t>(n)] + scostamento(voce_n(s.stato, n), campo);
  }

  void nomi_in_tabella() {
    const std::pair<int, const std::string*> attesi[] = {{voce_percorso, &s.stato.nome_percorso},
                                                         {voce_ripetizione, &s.stato.nome_treno}};
    for (const auto& [n, nome] : attesi) {
      if (voce_n(s.stato, n).nome == *nome) continue;
      segnala(nomi.tabella, byte_di_voce(n, "nome"),
              fmt::format("la voce {} porta il nome \"{}\", ma i file sono intitolati a \"{}\"", n,
                          voce_n(s.stato, n).nome, *nome));
    }
  }

  void segni_e_codici_tabella() {
    const int16_t segno = segno_in_tabella(s.stato);
    if (segno != segno_tabella) {
      segnala(nomi.tabella, byte_di_voce(voce_percorso, "terna_a1"),
              fmt::format("il segno della voce 85 vale {} invece di {}", segno, segno_tabella));
    }
    const int32_t atteso = codice_gara_st(s.stato);
    if (codice_st(s.stato) != atteso) {
      segnala(nomi.tabella, byte_di_voce(voce_percorso, "orario"),
              fmt::format("il codice di gara pesato della voce 85 vale {}, ma dai nomi risulta {}", codice_st(s.stato),
                          atteso));
    }
  }

  // The plain code is computed from the names in the table; without a
  // readable table, from the names of the files.
  void segni_e_codici_binario() {
    const int16_t segno = segno_in_binario(s.stato);
    if (segno != segno_binario) {
      segnala(nomi.binario, byte_di_cella(1, "valore1"),
              fmt::format("il segno della cella 1 vale {} invece di {}", segno, segno_binario));
    }
    scenario nomi_soli;
    nomi_soli.tabella[voce_percorso].nome = s.stato.nome_percorso;
    nomi_soli.tabella[voce_ripetizione].nome = s.stato.nome_treno;
    const int16_t atteso = codice_gara_og(s.tabella_letta ? s.stato : nomi_soli);
    if (codice_og(s.stato) != atteso) {
      segnala(nomi.binario, byte_di_cella(1, "valore2"),
              fmt::format("il codice di gara semplice della cella 1 vale {}, ma dai nomi risulta {}",
                          codice_og(s.stato), atteso));
    }
  }

  void oggetti() {
    int sconosciuti = 0, cartelli_fuori = 0, fermate_fuori = 0;
    for (std::size_t c = 0; c < s.stato.binario.size(); ++c) {
      const cella& k = s.stato.binario[c];
      if (!oggetto_noto(k.oggetto) && ++sconosciuti <= massimo_per_controllo) {
        segnala(nomi.binario, byte_di_cella(c, "oggetto"),
                fmt::format("cella {}: codice di oggetto {} sconosciuto", c, k.oggetto));
      }
      if (k.oggetto == oggetto::cartello && (k.valore1 < 1 || k.valore1 >= voci_tabella) &&
          ++cartelli_fuori <= massimo_per_controllo) {
        segnala(nomi.binario, byte_di_cella(c, "valore1"),
                fmt::format("cella {}: il cartello rimanda alla voce {}, fuori dalla tabella", c, k.valore1));
      }
      // The build numbers a stopping point after its station, one of the
      // entries before the signs', and the running times stop there; cell 1
      // carries the track's mark in that field instead.
      if (k.oggetto == oggetto::fermata && c != 1 && (k.valore1 < 1 || k.valore1 >= prima_voce_cartelli) &&
          ++fermate_fuori <= massimo_per_controllo) {
        segnala(nomi.binario, byte_di_cella(c, "valore1"),
                fmt::format("cella {}: la fermata rimanda alla voce {}, che non e' una stazione", c, k.valore1));
      }
    }
    if (fermate_fuori > massimo_per_controllo) {
      segnala(nomi.binario, s.byte_binario,
              fmt::format("in tutto {} fermate che rimandano fuori dalle stazioni", fermate_fuori));
    }
    if (sconosciuti > massimo_per_controllo) {
      segnala(nomi.binario, s.byte_binario,
              fmt::format("in tutto {} celle con un codice di oggetto sconosciuto", sconosciuti));
    }
    if (cartelli_fuori > massimo_per_controllo) {
      segnala(nomi.binario, s.byte_binario,
              fmt::format("in tutto {} cartelli che rimandano fuori dalla tabella", cartelli_fuori));
    }
  }

  // Entry 84 holds the line length, which fixed the number of cells and of
  // plan rows when the files were built.
  void dimensioni() {
    const int32_t lunghezza = lunghezza_linea(s.stato);
    const int64_t totale = metri_binario(lunghezza);
    if (s.binario_letto) {
      const int64_t ultima = ultima_cella_di(lunghezza);
      if (ultima != s.stato.ultima_cella()) {
        segnala(nomi.binario, s.byte_binario,
                fmt::format("il binario ha {} celle, ma la lunghezza della linea nella voce 84 ({} m) ne vuole {}",
                            s.stato.binario.size(), lunghezza, ultima + 1));
      }
    }
    if (s.stato.con_planimetria != 0 && s.stato.planimetria.righe() != totale + 1) {
      segnala(nomi.planimetria, s.byte_planimetria / 2,
              fmt::format("la planimetria ha {} righe, ma la lunghezza della linea nella voce 84 ({} m) ne vuole {}",
                          s.stato.planimetria.righe(), lunghezza, totale + 1));
    }
  }
};

}  // namespace

void controlla_scenario(scenario_letto& s) {
  controllo k{s, nomi_file_binari(s.stato.nome_percorso, s.stato.nome_treno)};
  if (s.tabella_letta) {
    k.nomi_in_tabella();
    k.segni_e_codici_tabella();
    k.dimensioni();
  }
  if (s.binario_letto) {
    k.segni_e_codici_binario();
    k.oggetti();
  }
  // In the order the files are written: plan, table, cells.
  auto ordine = [&k](const danno& d) { return d.file == k.nomi.planimetria ? 0 : d.file == k.nomi.tabella ? 1 : 2; };
  std::stable_sort(s.danni.begin(), s.danni.end(), [&](const danno& a, const danno& b) {
    return ordine(a) != ordine(b) ? ordine(a) < ordine(b) : a.byte < b.byte;
  });
}

}  // namespace od
