// Reading the simulator's three files back into a copy of the scenario model:
// the plan geometry (when present), the item table and the track cells. Each
// decoder mirrors the writer in output/file_binari.cpp field by field, and a
// file that cannot be decoded is reported with the byte where it goes wrong.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "modello/modello.h"
#include "rilettura/danni.h"
#include "rilettura/scenario_letto.h"

namespace od {

// The bytes of the three files as found on disk; no plan file is no value.
struct immagini_binarie {
  std::optional<std::string> planimetria;
  std::string tabella;
  std::string binario;
  // The plan file's path instead of its bytes, for a reader that takes a
  // long plan a block at a time (planimetria_a_blocchi.h), and only when the
  // plan decoded from it holds the file's rows bit for bit.
  std::optional<std::string> file_planimetria = std::nullopt;
};

// Each decoder fills its part of `stato` or throws file_danneggiato.
void decodifica_binario(std::string_view dati, const std::string& file, scenario& stato);
void decodifica_tabella(std::string_view dati, const std::string& file, scenario& stato,
                        std::array<std::size_t, voci_tabella>& inizio_voci);
void decodifica_planimetria(std::string_view dati, const std::string& file, planimetria& piano);

// Decodes the three images and runs every check on them.
scenario_letto decodifica_scenario(const std::string& percorso, const std::string& treno,
                                   const immagini_binarie& immagini);

// The same, with the plan that a reader decoded from a file of `byte_piano`
// bytes without holding it whole, in place of an image.
scenario_letto decodifica_scenario(const std::string& percorso, const std::string& treno,
                                   const immagini_binarie& immagini, planimetria piano, std::size_t byte_piano);

// What a reader says of a file that a killed build has not replaced yet.
inline constexpr std::string_view testo_sostituzione_interrotta =
    "una costruzione e' stata interrotta mentre sostituiva i file dello scenario, e questo non e' ancora quello "
    "nuovo: rilanciare la costruzione (o un'altra esecuzione che scrive nella cartella) per completarla";

// The bytes of CARTELLA/PERCORSO_linea.dat when present, CARTELLA/PERCORSO_TRENO.sim
// and CARTELLA/PERCORSO_TRENO.dat. Throws errore_file when one of the last two
// is missing or cannot be read, when something that is not a file stands in
// the place of any of them, and when the folder holds a set that a killed
// run left half replaced (platform/intento.h).
// With `piano` false the plan file is not read, for a reader that takes it
// a block at a time.
immagini_binarie leggi_immagini(const std::string& cartella, const std::string& percorso, const std::string& treno,
                                bool piano = true);

// Reads CARTELLA/PERCORSO_linea.dat when present, CARTELLA/PERCORSO_TRENO.sim
// and CARTELLA/PERCORSO_TRENO.dat. Throws errore_file when one of the last two
// is missing or cannot be read; damage inside the files goes into `danni`.
scenario_letto leggi_scenario(const std::string& cartella, const std::string& percorso, const std::string& treno);

}  // namespace od
