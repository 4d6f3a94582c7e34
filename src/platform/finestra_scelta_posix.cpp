// Picks the window on POSIX systems. X11 is optional at build time (the
// build defines OD_X11 when it links it) and at run time (no DISPLAY, or a
// display that cannot be opened, leaves the console).
#include <cstdlib>

#include "platform/finestra.h"
#ifdef OD_X11
#include "platform/finestra_x11.h"
#endif

namespace od {

std::unique_ptr<finestra> finestra_della_piattaforma() {
#ifdef OD_X11
  const char* schermo = std::getenv("DISPLAY");
  if (schermo != nullptr && *schermo != '\0') {
    if (std::unique_ptr<finestra> x11 = finestra_x11(schermo)) return x11;
  }
#endif
  return finestra_console();
}

}  // namespace od
