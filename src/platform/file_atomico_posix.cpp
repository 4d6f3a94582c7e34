#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <vector>

#include "platform/file_atomico.h"
#include "platform/file_atomico_sistema.h"

namespace od {

int chiamate_file::crea_temporaneo(std::string& modello) {
  // Not mkstemp, which gives 0600: a new output file gets the permissions
  // that the user's umask allows, as from any other program.
  const std::size_t x = modello.size() >= 6 ? modello.size() - 6 : 0;
  if (modello.size() < 6 || modello.compare(x, 6, "XXXXXX") != 0) {
    errno = EINVAL;
    return -1;
  }
  timespec adesso{};
  ::clock_gettime(CLOCK_REALTIME, &adesso);
  uint64_t seme = static_cast<uint64_t>(adesso.tv_nsec) ^ (static_cast<uint64_t>(adesso.tv_sec) << 20) ^
                  (static_cast<uint64_t>(::getpid()) << 40);
  for (int tentativo = 0; tentativo < 100; ++tentativo) {
    sistema::riempi_nome_temporaneo(modello, x, seme);
    const int fd = ::open(modello.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

ssize_t chiamate_file::scrivi(int fd, const char* dati, std::size_t quanti) { return ::write(fd, dati, quanti); }
int chiamate_file::sincronizza(int fd) { return ::fsync(fd); }

int chiamate_file::copia_permessi(int fd, const char* modello) {
  struct stat info {};
  if (::stat(modello, &info) != 0) return errno == ENOENT ? 0 : -1;
  return ::fchmod(fd, info.st_mode & 0777);
}

int chiamate_file::chiudi(int fd) { return ::close(fd); }
int chiamate_file::rinomina(const char* da, const char* a) { return ::rename(da, a); }

int chiamate_file::sincronizza_cartella(const char* cartella) {
  const int fd = ::open(cartella, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int esito = ::fsync(fd);
  const int numero = errno;
  ::close(fd);
  errno = numero;
  return esito;
}

int chiamate_file::elimina(const char* percorso) { return ::unlink(percorso); }

chiamate_file& chiamate_di_sistema() {
  static chiamate_file reali;  // stateless: only forwards to the kernel
  return reali;
}

namespace sistema {

// The common failures in the user's language; the rarer ones as the system
// words them.
std::string motivo_ultimo_errore() {
  const int numero = errno;
  if (numero == EDQUOT) return "quota del disco esaurita";
  return motivo_comune(std::generic_category().default_error_condition(numero)).value_or(std::strerror(numero));
}

void segna_disco_pieno() { errno = ENOSPC; }
bool scrittura_interrotta() { return errno == EINTR; }

// SIGXFSZ's default ends the process in the middle of a write, with no
// message and the temporary file left behind; ignored, the write fails with
// EFBIG and the replacement reports it like a full disk. Only the default is
// replaced: a caller's own handler stays.
void limite_dimensione_come_errore() {
  struct sigaction attuale {};
  if (::sigaction(SIGXFSZ, nullptr, &attuale) == 0 && attuale.sa_handler == SIG_DFL) ::signal(SIGXFSZ, SIG_IGN);
}

std::string cartella_di(const std::string& percorso) {
  const std::size_t separatore = percorso.find_last_of('/');
  if (separatore == std::string::npos) return ".";
  return separatore == 0 ? "/" : percorso.substr(0, separatore);
}

std::string nome_nella_cartella(const std::string& percorso) {
  const std::size_t separatore = percorso.find_last_of('/');
  return separatore == std::string::npos ? percorso : percorso.substr(separatore + 1);
}

bool e_cartella(const std::string& percorso) {
  struct stat info {};
  return ::stat(percorso.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace sistema

void elimina_temporanei_rimasti(const std::string& cartella, const std::vector<std::string>& nomi) {
  DIR* elenco = ::opendir(cartella.c_str());
  if (elenco == nullptr) return;  // nothing to clean where nothing can be listed
  std::vector<std::string> rimasti;
  while (const dirent* voce = ::readdir(elenco)) {
    if (sistema::temporaneo_di(voce->d_name, nomi)) rimasti.emplace_back(voce->d_name);
  }
  ::closedir(elenco);
  // A temporary that cannot be removed is harmless; the run goes on.
  for (const std::string& nome : rimasti) ::unlink((cartella + "/" + nome).c_str());
}

void elimina_temporanei_rimasti(const std::string& percorso) {
  const std::size_t separatore = percorso.find_last_of('/');
  elimina_temporanei_rimasti(sistema::cartella_di(percorso),
                             {percorso.substr(separatore == std::string::npos ? 0 : separatore + 1)});
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

bool esiste_voce(const std::string& percorso) {
  struct stat info {};
  return ::lstat(percorso.c_str(), &info) == 0;
}

void elimina_se_esiste(const std::string& percorso) {
  if (::unlink(percorso.c_str()) != 0 && errno != ENOENT) {
    throw errore_file(percorso, "impossibile eliminare il file: " + sistema::motivo_ultimo_errore());
  }
}

}  // namespace od
