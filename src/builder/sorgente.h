// Where the reading stage finds the two description files.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace od {

struct sorgente_descrizioni {
  sorgente_descrizioni(std::string cartella_file = {}) : cartella(std::move(cartella_file)) {}

  std::string cartella;  // folder holding both description files
  // Texts read in place of the files when given, for builds in memory.
  std::optional<std::string> testo_linea;
  std::optional<std::string> testo_treno;
};

}  // namespace od
