#include <filesystem>
#include <system_error>

#include "platform/cartella.h"
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

// POSIX passes the bytes of the arguments through untouched.
std::vector<std::string> argomenti_programma(int argc, char** argv) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace od
