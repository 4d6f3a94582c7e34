// The three fixed documents for the driver, written beside the scenario.
#pragma once

#include <string>

#include "scenario_text/lista_righe.h"

namespace od {

lista_righe righe_note();           // 31 lines
lista_righe righe_rallentamenti();  // 41 lines
lista_righe righe_scheda();         // 38 lines

// Replace the documents in `cartella`. Throw errore_file.
void dati_note(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
               chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);
void dati_rallentamenti(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                        chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);
void dati_scheda(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                 chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);

}  // namespace od
