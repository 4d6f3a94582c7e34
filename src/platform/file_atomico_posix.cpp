#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_atomico.h"

namespace od {

int chiamate_file::crea_temporaneo(std::string& modello) { return ::mkstemp(modello.data()); }
ssize_t chiamate_file::scrivi(int fd, const char* dati, std::size_t quanti) { return ::write(fd, dati, quanti); }
int chiamate_file::sincronizza(int fd) { return ::fsync(fd); }
int chiamate_file::chiudi(int fd) { return ::close(fd); }
int chiamate_file::rinomina(const char* da, const char* a) { return ::rename(da, a); }
int chiamate_file::elimina(const char* percorso) { return ::unlink(percorso); }

chiamate_file& chiamate_di_sistema() {
  static chiamate_file sistema;  // stateless: only forwards to the kernel
  return sistema;
}

namespace {

std::string descrizione(int numero) { return std::strerror(numero); }

// Writes everything, resuming after short writes and interrupted calls.
void scrivi_tutto(chiamate_file& chiamate, int fd, std::string_view contenuto, const std::string& percorso) {
  std::size_t scritti = 0;
  while (scritti < contenuto.size()) {
    const ssize_t n = chiamate.scrivi(fd, contenuto.data() + scritti, contenuto.size() - scritti);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw errore_file(percorso, "scrittura non riuscita: " + descrizione(n < 0 ? errno : ENOSPC));
    scritti += static_cast<std::size_t>(n);
  }
}

}  // namespace

void sostituisci_file(const std::string& percorso, const produttore_contenuto& contenuto, chiamate_file& chiamate) {
  std::string temporaneo = percorso + ".tmp-XXXXXX";
  const int fd = chiamate.crea_temporaneo(temporaneo);
  if (fd < 0) throw errore_file(percorso, "impossibile creare il file: " + descrizione(errno));
  try {
    contenuto([&](std::string_view parte) { scrivi_tutto(chiamate, fd, parte, percorso); });
    if (chiamate.sincronizza(fd) != 0) throw errore_file(percorso, "sincronizzazione non riuscita: " + descrizione(errno));
  } catch (...) {
    chiamate.chiudi(fd);
    chiamate.elimina(temporaneo.c_str());
    throw;
  }
  if (chiamate.chiudi(fd) != 0) {
    const int numero = errno;
    chiamate.elimina(temporaneo.c_str());
    throw errore_file(percorso, "chiusura non riuscita: " + descrizione(numero));
  }
  // mkstemp creates the file readable by its owner only; an output file gets
  // the usual permissions.
  ::chmod(temporaneo.c_str(), 0644);
  if (chiamate.rinomina(temporaneo.c_str(), percorso.c_str()) != 0) {
    const int numero = errno;
    chiamate.elimina(temporaneo.c_str());
    throw errore_file(percorso, "impossibile sostituire il file: " + descrizione(numero));
  }
}

std::optional<std::string> leggi_file(const std::string& percorso) {
  struct stat info {};
  if (::stat(percorso.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::ifstream file(percorso, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream contenuto;
  contenuto << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return std::move(contenuto).str();
}

bool esiste_file(const std::string& percorso) {
  struct stat info {};
  return ::stat(percorso.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void elimina_se_esiste(const std::string& percorso) {
  if (::unlink(percorso.c_str()) != 0 && errno != ENOENT) {
    throw errore_file(percorso, "impossibile eliminare il file: " + descrizione(errno));
  }
}

}  // namespace od
