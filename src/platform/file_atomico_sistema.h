// What the replacement code shared by every platform needs from each one,
// beyond the system calls of the seam. Only src/platform includes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace od::sistema {

// The platform's wording of the last failed call (errno or GetLastError).
std::string motivo_ultimo_errore();
// A write that wrote nothing without failing: the disk is full.
void segna_disco_pieno();
// The last write was interrupted before it wrote anything: try again.
bool scrittura_interrotta();
// A write past the file-size limit must fail like a full disk instead of
// ending the process (POSIX: SIGXFSZ).
void limite_dimensione_come_errore();
// The folder that holds `percorso`, as written in it ("." when none is).
std::string cartella_di(const std::string& percorso);

// Whether the folder entry `voce` is a temporary file of one of `nomi`: the
// name, ".tmp-" and six characters.
bool temporaneo_di(std::string_view voce, const std::vector<std::string>& nomi);

// Fills the six characters from `da` with letters and digits drawn from
// `seme`, which it advances.
void riempi_nome_temporaneo(std::string& modello, std::size_t da, uint64_t& seme);

}  // namespace od::sistema
