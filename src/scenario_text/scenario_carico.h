// The scenario that the program carries, and the two writers that turn it
// into the line and train description files.
#pragma once

#include <string>
#include <string_view>

#include "scenario_text/lista_righe.h"

namespace od {

// The names of the carried scenario, from which its file names are formed.
inline constexpr std::string_view nome_percorso_carico = "Orsella_Drumvane";
inline constexpr std::string_view nome_treno_carico = "xr40318";

lista_righe righe_linea();  // 309 lines
lista_righe righe_treno();  // 65 lines

// Replace the description files in `cartella`. Throw errore_file.
void dati_linea(const std::string& cartella, const std::string& nome_percorso,
                chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);
void dati_treno(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);

}  // namespace od
