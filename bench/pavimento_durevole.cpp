// The durable floor of a run: the least that leaves its files safely on
// disk, and nothing else. Each file is read whole, written to a temporary
// beside its copy, synced, closed and renamed over the copy; then the folder
// is synced once. A program that replaces the same files with the same
// guarantee cannot do less, so its time is what the generation run is
// measured against (bench/confronta_processi.sh).
//
// Usage: od_pavimento CARTELLA FILE...   (the copies go into CARTELLA)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

[[noreturn]] void esci(const std::string& cosa) {
  std::fprintf(stderr, "od_pavimento: %s: %s\n", cosa.c_str(), std::strerror(errno));
  std::exit(1);
}

struct contenuto_file {
  std::unique_ptr<char[]> dati;
  std::size_t dimensione;
};

// Read straight into a buffer of the file's size, left unfilled before: no
// copy and no clearing beyond the kernel's.
contenuto_file leggi(const char* percorso) {
  const int fd = ::open(percorso, O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0) esci(percorso);
  contenuto_file contenuto{nullptr, static_cast<std::size_t>(info.st_size)};
  contenuto.dati = std::make_unique_for_overwrite<char[]>(contenuto.dimensione);
  for (std::size_t letti = 0; letti < contenuto.dimensione;) {
    const ssize_t n = ::read(fd, contenuto.dati.get() + letti, contenuto.dimensione - letti);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) esci(percorso);
    letti += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return contenuto;
}

void sostituisci(const std::string& destinazione, const contenuto_file& contenuto) {
  const std::string temporaneo = destinazione + ".tmp-pavime";
  const int fd = ::open(temporaneo.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) esci(temporaneo);
  for (std::size_t scritti = 0; scritti < contenuto.dimensione;) {
    const ssize_t n = ::write(fd, contenuto.dati.get() + scritti, contenuto.dimensione - scritti);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) esci(temporaneo);
    scritti += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) esci(temporaneo);
  if (::rename(temporaneo.c_str(), destinazione.c_str()) != 0) esci(destinazione);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "uso: od_pavimento CARTELLA FILE...\n");
    return 2;
  }
  const std::string cartella = argv[1];
  for (int i = 2; i < argc; ++i) {
    const char* nome = std::strrchr(argv[i], '/');
    sostituisci(cartella + "/" + (nome != nullptr ? nome + 1 : argv[i]), leggi(argv[i]));
  }
  const int fd = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 || ::fsync(fd) != 0) esci(cartella);
  ::close(fd);
  return 0;
}
