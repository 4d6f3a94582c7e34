// What the replacement code shared by every platform needs from each one,
// beyond the system calls of the seam. Only src/platform includes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace od::sistema {

// The platform's wording of the last failed call (errno or GetLastError).
std::string motivo_ultimo_errore();
// The wording of a failure that the standard library reports: the common
// ones in Italian, the rest as the system words them.
std::string motivo_di(std::error_code errore);
// The common failures in Italian, by their portable condition; nothing for
// the others.
std::optional<std::string> motivo_comune(std::error_condition condizione);
// A write that wrote nothing without failing: the disk is full.
void segna_disco_pieno();
// The last write was interrupted before it wrote anything: try again.
bool scrittura_interrotta();
// A write past the file-size limit must fail like a full disk instead of
// ending the process (POSIX: SIGXFSZ).
void limite_dimensione_come_errore();
// The folder that holds `percorso`, as written in it ("." when none is).
std::string cartella_di(const std::string& percorso);

// The file's name without its folder.
std::string nome_nella_cartella(const std::string& percorso);
// Whether `percorso` is a folder (following a link).
bool e_cartella(const std::string& percorso);

// The part of the file name `nome` that its temporary files begin with: the
// whole name, or as much of it as leaves room for the rest in a name that
// the file system takes.
std::string prefisso_temporaneo(std::string_view nome);

// Whether the folder entry `voce` is a temporary file of one of `nomi`: the
// name's prefix, ".tmp-" and six characters.
bool temporaneo_di(std::string_view voce, const std::vector<std::string>& nomi);

// Fills the six characters from `da` with letters and digits drawn from
// `seme`, which it advances.
void riempi_nome_temporaneo(std::string& modello, std::size_t da, uint64_t& seme);

}  // namespace od::sistema
