#include "documents/documenti.h"

namespace od {

lista_righe righe_note() { return lista_righe{}; }
lista_righe righe_rallentamenti() { return lista_righe{}; }
lista_righe righe_scheda() { return lista_righe{}; }

void dati_note(const std::string&, const std::string&, const std::string&) {}
void dati_rallentamenti(const std::string&, const std::string&, const std::string&) {}
void dati_scheda(const std::string&, const std::string&, const std::string&) {}

}  // namespace od
