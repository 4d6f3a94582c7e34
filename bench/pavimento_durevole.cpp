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
#include <string>

namespace {

[[noreturn]] void esci(const std::string& cosa) {
  std::fprintf(stderr, "od_pavimento: %s: %s\n", cosa.c_str(), std::strerror(errno));
  std::exit(1);
}

std::string leggi(const char* percorso) {
  const int fd = ::open(percorso, O_RDONLY | O_CLOEXEC);
  if (fd < 0) esci(percorso);
  std::string contenuto;
  char blocco[1 << 16];
  ssize_t n = 0;
  while ((n = ::read(fd, blocco, sizeof blocco)) > 0) contenuto.append(blocco, static_cast<std::size_t>(n));
  if (n < 0) esci(percorso);
  ::close(fd);
  return contenuto;
}

void sostituisci(const std::string& destinazione, const std::string& contenuto) {
  const std::string temporaneo = destinazione + ".tmp-pavime";
  const int fd = ::open(temporaneo.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) esci(temporaneo);
  for (std::size_t scritti = 0; scritti < contenuto.size();) {
    const ssize_t n = ::write(fd, contenuto.data() + scritti, contenuto.size() - scritti);
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
