// The scenario that the program carries, and the two writers that turn it
// into the line and train description files.
#pragma once

#include <string>

#include "scenario_text/lista_righe.h"

namespace od {

lista_righe righe_linea();  // 309 lines
lista_righe righe_treno();  // 65 lines

// Replace the description files in `cartella`. Throw errore_file.
void dati_linea(const std::string& cartella, const std::string& nome_percorso,
                chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);
void dati_treno(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);

}  // namespace od
