#include "scenario_text/lista_righe.h"

#include <stdexcept>

#include "platform/cartella.h"
#include "platform/file_atomico.h"

namespace od {

lista_righe::lista_righe(std::initializer_list<std::string_view> righe) {
  for (std::string_view r : righe) aggiungi(r);
  chiudi();
}

void lista_righe::aggiungi(std::string_view riga) {
  if (usate_ + 1 >= capacita_lista) throw std::length_error("lista di righe piena: al massimo 1000 righe");
  voci_[usate_++] = std::string(riga);
}

void lista_righe::chiudi() { voci_[usate_] = std::string(fine_lista); }

std::string testo_righe(const lista_righe& lista) {
  std::string testo;
  for (std::size_t i = 0; i < capacita_lista && lista[i] != fine_lista; ++i) {
    testo += lista[i];
    testo += "\r\n";
  }
  return testo;
}

void scrivi_righe(const std::string& cartella, const std::string& nome, const lista_righe& lista,
                  chiamate_file& chiamate, sincronia sincronia) {
  sostituisci_file(nome_completo(cartella, nome), testo_righe(lista), chiamate, sincronia);
}

void prepara_righe(sostituzione_insieme& insieme, const std::string& cartella, const std::string& nome,
                   const lista_righe& lista) {
  insieme.prepara(nome_completo(cartella, nome), testo_righe(lista));
}

}  // namespace od
