// The build: read both description files, walk the track, run the final
// checks, stamp the marks and codes, and write the simulator's files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "builder/avvisi.h"
#include "builder/sessione.h"
#include "builder/sorgente.h"
#include "modello/modello.h"
#include "percorrenza/treno.h"
#include "platform/file_atomico.h"

namespace od {

struct opzioni_build {
  sorgente_descrizioni sorgente;
  std::string cartella_uscita;
  // Build and write even after a reading code, from the model as read.
  bool forza = false;
  // Which warnings count, and whether any of them stops the writing.
  regole_avvisi avvisi;
  // When given, the running-time calculation's warnings join the others
  // (a build that read without a code only).
  std::optional<opzioni_orario> orario;
  // The system calls through which the binary files are written, and what
  // their replacement syncs: a caller that replaces more files in the same
  // folder may leave the folder's sync to itself, once after its last.
  chiamate_file* chiamate = &chiamate_di_sistema();
  sincronia sincronia_binari = sincronia::completa;
  // When given, the binary files join this set and wait for the caller to
  // replace it whole, with the other files of its run (chiamate and
  // sincronia_binari are then the set's own).
  sostituzione_insieme* insieme = nullptr;
  // Builds the model with every stage and mark, as the files would hold it,
  // and writes nothing: the proof of a decompiled scenario, and tests.
  bool solo_in_memoria = false;
};

enum class esito_build {
  completato,      // binary files written (or, in memory only, ready); walk warnings may be in sessione.avvisi
  codice_lettura,  // reading left a code; nothing written
  senza_binario,   // forced, but the track was never created: nothing to write
  errore_finale,   // 1250 or 1251; nothing written
  avvisi_errori,   // warnings, and the author asked that they stop the build: nothing written
};

struct risultato_build {
  esito_build esito = esito_build::completato;
  int32_t codice_finale = 0;  // 1250 or 1251 with errore_finale
  // The reading stage's code and position, kept apart because a forced
  // build's walk may replace them in sessione.codice.
  int32_t codice_lettura = 0;
  int64_t posizione_lettura = 0;
};

// Builds `stato` (its names set, the rest as it may be) and records in a
// fresh `sessione` how the build went. It never deletes the description
// files. Throws errore_file when a binary file cannot be replaced.
risultato_build memorizza_percorso(scenario& stato, sessione_costruzione& sessione, int32_t j,
                                   const opzioni_build& opzioni);

// The warnings of the reading and of the walk, in sessione.avvisi, as the
// author's rules leave them.
std::vector<avviso> avvisi_mostrati(const sessione_costruzione& sessione, const opzioni_build& opzioni);
// Those of each name past the author's limit, counted.
std::vector<avvisi_non_mostrati> avvisi_oltre_il_limite(const sessione_costruzione& sessione,
                                                        const opzioni_build& opzioni);

// Final checks and marks: 0 when both slots were clear and the marks and
// competition codes are stored, else 1250 or 1251.
int32_t controlli_finali(scenario& stato);

}  // namespace od
