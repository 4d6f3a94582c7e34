#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

#include "platform/blocco_cartella.h"

namespace od {

long long blocco_cartella::prendi(const std::string& cartella, accesso modo) {
  const int fd = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return nessuna;
  const int genere = modo == accesso::esclusivo ? LOCK_EX : LOCK_SH;
  int esito;
  while ((esito = ::flock(fd, genere)) != 0 && errno == EINTR) {
  }
  if (esito != 0) {
    ::close(fd);
    return nessuna;
  }
  return fd;
}

// Closing the descriptor releases the lock.
void blocco_cartella::lascia(long long maniglia) { ::close(static_cast<int>(maniglia)); }

}  // namespace od
