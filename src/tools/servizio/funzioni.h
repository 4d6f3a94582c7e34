// What the server offers besides diagnostics, each over one document's text
// (8-bit, as the build reads it) and answering with the protocol's JSON:
// hover, completion, quick fixes, the outline and formatting. Lines and
// characters are the protocol's: from 0, one character per byte of the
// 8-bit text.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "tools/servizio/diagnosi.h"

namespace od {

// What stands under the cursor: a value field (its name, width, range and
// meaning), a record (the cells it took, the posted kilometre, what holds
// the cell), a station (area, stopping point, times and margin). Null where
// there is nothing to say. `costruzione` may be null (not built yet).
nlohmann::json aiuto(const std::string& testo, bool file_linea, const std::string& percorso,
                     const costruzione_coppia* costruzione, int linea, int carattere);

// Keys in key position, with the record's fields as a snippet, and section
// headers.
nlohmann::json completamenti(const std::string& testo, bool file_linea, int linea, int carattere);

// Quick fixes for the diagnostics that the editor hands back (those that
// carry a suggestion, and records out of order), as code actions editing
// `uri`, whose text is `testo`.
nlohmann::json correzioni(const std::string& uri, const std::string& testo, bool file_linea,
                          const nlohmann::json& diagnostiche);

// Sections, stations, signals and slowdowns, for the editor's outline.
nlohmann::json simboli(const std::string& testo, bool file_linea);

// The whole text with its columns aligned, comments and every other line
// kept as written; empty when nothing changes. Builds to the same model.
std::string testo_formattato(const std::string& testo, bool file_linea);

}  // namespace od
