#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

#include "platform/blocco_cartella.h"

namespace od {

blocco_cartella::blocco_cartella(const std::string& cartella) {
  const int fd = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  int esito;
  while ((esito = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (esito != 0) {
    ::close(fd);
    return;
  }
  maniglia_ = fd;
}

// Closing the descriptor releases the lock; so does the end of the process,
// however it ends.
blocco_cartella::~blocco_cartella() {
  if (tenuto()) ::close(static_cast<int>(maniglia_));
}

}  // namespace od
