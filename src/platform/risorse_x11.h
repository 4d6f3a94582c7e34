// What the window and the message share on one X11 connection: the
// connection itself, two fonts, the colours of a classic dialog and one
// graphics context. Only the X11 files include this.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <string_view>

namespace od {

enum class tinta { sfondo, testo, luce, ombra };

class risorse_x11 {
 public:
  // Takes over the connection and closes it on destruction.
  explicit risorse_x11(Display* d);
  ~risorse_x11();
  risorse_x11(const risorse_x11&) = delete;
  risorse_x11& operator=(const risorse_x11&) = delete;

  Display* schermo() const { return d_; }
  GC contesto() const { return gc_; }
  XFontStruct* carattere_grande() const { return grande_; }    // the label's bold ~24 point
  XFontStruct* carattere_normale() const { return normale_; }  // the message's text
  Atom chiusura() const { return chiusura_; }                  // WM_DELETE_WINDOW
  unsigned long colore(tinta t) const;

  // A top-level window with the dialog background, the title, the program's
  // class and the close protocol, listening for exposure, keys and clicks.
  Window crea_finestra(Window genitore, int x, int y, int larghezza, int altezza, const std::string& titolo) const;

  // `testo` from the top-left corner of `area`, clipped to it.
  void scrivi(Drawable dove, XFontStruct* carattere, const XRectangle& area, std::string_view testo) const;

  // The width of `testo` in `carattere`, in pixels.
  static int larghezza_testo(XFontStruct* carattere, std::string_view testo);

 private:
  unsigned long alloca_colore(unsigned short rosso, unsigned short verde, unsigned short blu, unsigned long riserva);

  Display* d_;
  GC gc_;
  XFontStruct* grande_;
  XFontStruct* normale_;
  Atom chiusura_;
  unsigned long sfondo_, testo_, luce_, ombra_;
};

}  // namespace od
