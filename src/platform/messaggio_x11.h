// The modal message on X11: the text, an OK button, nothing else.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>

#include "platform/risorse_x11.h"

namespace od {

class scatola_messaggio {
 public:
  // `proprietario` is the window that the box belongs to (0: none); the
  // window manager keeps the box above it and treats it as modal.
  scatola_messaggio(const risorse_x11& risorse, const std::string& titolo, std::string testo, Window proprietario);
  ~scatola_messaggio();
  scatola_messaggio(const scatola_messaggio&) = delete;
  scatola_messaggio& operator=(const scatola_messaggio&) = delete;

  // Shows the box and returns when OK is clicked, Enter, Escape or the space
  // bar is pressed, or the window manager closes the box. `esposta` repaints
  // any other window of the program that needs it meanwhile.
  void attendi_ok(const std::function<void(Window)>& esposta);

 private:
  void disegna(bool premuto) const;
  bool sul_pulsante(int x, int y) const;

  const risorse_x11& risorse_;
  std::string testo_;
  Window w_;
  XRectangle area_testo_;
  XRectangle pulsante_;
};

}  // namespace od
