// The run's only window: a label shown while the build works, and a modal
// message that ends the run. Kept this small so that a windowed
// implementation needs nothing more.
#pragma once

#include <memory>
#include <string_view>

namespace od {

class finestra {
 public:
  virtual ~finestra() = default;
  // Shows the window with its one label and paints it before returning,
  // since the caller will not return to an event loop afterwards.
  virtual void mostra(std::string_view etichetta) = 0;
  // A modal message with an OK button only; returns once it is closed.
  virtual void messaggio(std::string_view testo) = 0;
  // A file that could not be written, already reported on standard error,
  // which nobody sees when the program was started from the desktop: a real
  // window shows it in the message box too; the console has said it all.
  virtual void errore_file(std::string_view testo) { static_cast<void>(testo); }
};

// For machines without a window system: both texts go to standard error, and
// the message returns at once because there is nobody to press OK.
std::unique_ptr<finestra> finestra_console();

// The window of the platform the program runs on: a real window where there
// is a window system (Windows; X11 when a display can be opened), otherwise
// the console.
std::unique_ptr<finestra> finestra_della_piattaforma();

}  // namespace od
