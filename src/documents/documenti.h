// The three fixed documents for the driver, written beside the scenario.
#pragma once

#include <string>

#include "scenario_text/lista_righe.h"

namespace od {

lista_righe righe_note();           // 31 lines
lista_righe righe_rallentamenti();  // 41 lines
lista_righe righe_scheda();         // 38 lines

// Replace the documents in `cartella`. Throw errore_file.
// The prepara_ forms put each in a set instead, replaced with the rest of it.
void prepara_note(sostituzione_insieme& insieme, const std::string& cartella, const std::string& nome_percorso,
                  const std::string& nome_treno);
void prepara_rallentamenti(sostituzione_insieme& insieme, const std::string& cartella, const std::string& nome_percorso,
                           const std::string& nome_treno);
void prepara_scheda(sostituzione_insieme& insieme, const std::string& cartella, const std::string& nome_percorso,
                    const std::string& nome_treno);
void dati_note(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
               chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);
void dati_rallentamenti(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                        chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);
void dati_scheda(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                 chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);

}  // namespace od
