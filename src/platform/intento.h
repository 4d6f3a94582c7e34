// The journal of a set of files replaced together. Each file of a set is
// renamed into place on its own, so a run killed between two renames would
// leave the set half old and half new, which the simulator would load as one
// scenario. Before its first rename a set records in its folder which
// temporary file becomes which file, synced; once the renames and the
// folder's sync are done it removes the record. A record still there means
// that some renames may be missing: every temporary it names is complete and
// synced, so the next writer in the folder finishes them, and a reader says
// that the set is incomplete instead of reading it as healthy.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_atomico.h"

namespace od {

// The record's name in the folder; one at a time, since only the holder of
// the folder's lock replaces files there.
inline constexpr std::string_view nome_intento = "scenario.sostituzione";

// A rename that a set is about to make, by names within one folder.
struct rinomina_prevista {
  std::string temporaneo;
  std::string finale;
};

// Writes the record for `rinomine` in `cartella`, whole or not at all (itself
// replaced through a temporary file), synced unless `sincronia` is nessuna.
// Throws errore_file.
void scrivi_intento(const std::string& cartella, const std::vector<rinomina_prevista>& rinomine,
                    chiamate_file& chiamate, sincronia sincronia);

// Removes the record once its renames are durable. A record that cannot be
// removed names only temporaries that are gone: harmless, so not an error.
void rimuovi_intento(const std::string& cartella, chiamate_file& chiamate);

// For a writer holding the folder's exclusive lock, before anything else:
// makes the renames that a killed run left undone, syncs the folder and
// removes the record. Throws errore_file when a rename fails or the record
// cannot be read, naming what to do.
void completa_sostituzione_interrotta(const std::string& cartella, chiamate_file& chiamate = chiamate_di_sistema());

// For a reader holding the folder's lock: the path of a file that an
// interrupted set has not replaced yet, or nothing when every set in the
// folder is whole.
std::optional<std::string> sostituzione_incompleta(const std::string& cartella);

}  // namespace od
