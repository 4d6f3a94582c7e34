#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "tools/servizio/ingresso.h"

namespace od {

void canali_binari() {}

esito_attesa leggi_ingresso(std::string& dove, int millisecondi) {
  pollfd attesa{STDIN_FILENO, POLLIN, 0};
  int pronti = 0;
  do {
    pronti = ::poll(&attesa, 1, millisecondi);
  } while (pronti < 0 && errno == EINTR);
  if (pronti == 0) return esito_attesa::tempo;
  char blocco[65536];
  ssize_t n = 0;
  do {
    n = ::read(STDIN_FILENO, blocco, sizeof blocco);
  } while (n < 0 && errno == EINTR);
  if (n <= 0) return esito_attesa::fine;
  dove.append(blocco, static_cast<std::size_t>(n));
  return esito_attesa::dati;
}

}  // namespace od
