// The build session: what building a scenario finds beside the scenario
// itself, and what no binary file holds. The scenario (modello/modello.h)
// is what the files hold; the session is how the build came to it: the
// code that stopped it and where, every warning in the order found, which
// record put the item of each cell there, and the mountain runs counted on
// the way. The build sequence keeps one beside the scenario it fills; only
// the builder and the build sequence's callers read it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "builder/avvisi.h"

namespace od {

inline constexpr int max_montagne = 80;

// The mountain runs of the line file, numbered from 1, so that a run close
// behind the one before can be told.
struct montagne_lette {
  std::array<int32_t, max_montagne + 1> inizio{};
  std::array<int32_t, max_montagne + 1> fine{};
  int32_t quanti = 0;
};

// A code and where it was recorded: what a reader returns (0: it read to the
// end), and what the build reports.
struct esito_lettura {
  int32_t codice = 0;
  // Metres, where one goes with the code: 64 bits, since a record can reach
  // past what 32 hold (a start plus a length) and is reported as written.
  int64_t posizione = 0;
  luogo_errore luogo;
};

struct sessione_costruzione {
  // The reading's code; a forced build's walk puts its last code (11 to 13)
  // and position in their place, the place of the reading's staying.
  esito_lettura codice;
  // Every warning of the build that the rules keep, in the order found: the
  // readers', the walk's codes (avviso::codice not 0), then the model's as a
  // whole. Those past the limit of their name are only counted.
  std::vector<avviso> avvisi;
  regole_avvisi regole;  // the author's, set before the reading
  conteggio_avvisi conteggio;
  // Which record put the item of a cell there, by cell, so that the walk's
  // warnings and the codes about a taken cell can point at it.
  std::map<int32_t, luogo_errore> origini;
  montagne_lette montagne;
};

// Whether a warning of `tipo` found now would be kept.
inline bool terrebbe_avviso(const sessione_costruzione& sessione, tipo_avviso tipo) {
  return sessione.conteggio.terrebbe(tipo, sessione.regole);
}

// A warning found: kept, or only counted when past its name's limit or
// silenced. Every warning of a build goes through here.
inline void registra_avviso(sessione_costruzione& sessione, avviso a) {
  const std::optional<tipo_avviso> tipo = tipo_di_avviso(a.nome);
  if (!tipo || sessione.conteggio.conta(*tipo, sessione.regole)) sessione.avvisi.push_back(std::move(a));
}

}  // namespace od
