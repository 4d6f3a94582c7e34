#include "platform/cartella.h"

#include <filesystem>
#include <system_error>

#include "platform/file_atomico.h"

namespace od {

std::string cartella_programma() {
  std::error_code errore;
  const std::filesystem::path eseguibile = std::filesystem::read_symlink("/proc/self/exe", errore);
  if (errore) {
    throw errore_file("/proc/self/exe", "impossibile trovare la cartella del programma: " + errore.message());
  }
  return eseguibile.parent_path().string();
}

std::string nome_completo(std::string_view cartella, std::string_view nome) {
  std::string completo(cartella);
  completo += separatore_cartella;
  completo += nome;
  return completo;
}

}  // namespace od
