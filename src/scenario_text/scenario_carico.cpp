#include "scenario_text/scenario_carico.h"

#include "scenario_text/nomi_file.h"

namespace od {

lista_righe righe_linea() { return lista_righe{}; }
lista_righe righe_treno() { return lista_righe{}; }

void dati_linea(const std::string& cartella, const std::string& nome_percorso) {
  (void)cartella;
  (void)nome_percorso;
}

void dati_treno(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno) {
  (void)cartella;
  (void)nome_percorso;
  (void)nome_treno;
}

}  // namespace od
