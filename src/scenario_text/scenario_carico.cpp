#include "scenario_text/scenario_carico.h"

#include "scenario_text/nomi_file.h"
#include "scenario_text/scenario_dati.h"

namespace od {

lista_righe righe_linea() { return lista_righe::da(testo_linea_carico); }
lista_righe righe_treno() { return lista_righe::da(testo_treno_carico); }

void dati_linea(const std::string& cartella, const std::string& nome_percorso, chiamate_file& chiamate,
                sincronia sincronia) {
  scrivi_righe(cartella, nome_file_linea(nome_percorso), righe_linea(), chiamate, sincronia);
}

void dati_treno(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                chiamate_file& chiamate, sincronia sincronia) {
  scrivi_righe(cartella, nome_file_treno(nome_percorso, nome_treno), righe_treno(), chiamate, sincronia);
}

}  // namespace od
