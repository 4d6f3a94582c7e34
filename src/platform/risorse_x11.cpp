#include "platform/risorse_x11.h"

#include <X11/Xutil.h>

#include <initializer_list>

#include "platform/finestra_misure.h"

namespace od {
namespace {

// Core X fonts differ between machines: the first that the server has wins,
// and "fixed" is always there.
XFontStruct* carica(Display* d, std::initializer_list<const char*> nomi) {
  for (const char* nome : nomi) {
    if (XFontStruct* carattere = XLoadQueryFont(d, nome)) return carattere;
  }
  return XLoadQueryFont(d, "fixed");
}

// 24 point at 96 dpi are 32 pixels.
constexpr int pixel_etichetta = punti_etichetta * dpi_normale / 72;
static_assert(pixel_etichetta == 32);

XFontStruct* carattere_etichetta(Display* d) {
  return carica(d, {
                       "-*-nimbus sans l-bold-r-normal--32-*-*-*-p-*-iso8859-1",
                       "-*-helvetica-bold-r-normal--32-*-*-*-p-*-iso8859-1",
                       "-*-helvetica-bold-r-normal--*-240-100-100-p-*-iso8859-1",
                       "-*-*-bold-r-normal--32-*-*-*-p-*-iso8859-1",
                       "-misc-fixed-bold-r-normal--18-*-*-*-*-*-iso8859-1",
                   });
}

XFontStruct* carattere_messaggio(Display* d) {
  return carica(d, {
                       "-*-nimbus sans l-regular-r-normal--13-*-*-*-p-*-iso8859-1",
                       "-*-helvetica-medium-r-normal--12-*-*-*-p-*-iso8859-1",
                       "-*-*-medium-r-normal--13-*-*-*-p-*-iso8859-1",
                       "-misc-fixed-medium-r-semicondensed--13-*-*-*-*-*-iso8859-1",
                   });
}

}  // namespace

risorse_x11::risorse_x11(Display* d)
    : d_(d),
      gc_(XCreateGC(d, DefaultRootWindow(d), 0, nullptr)),
      grande_(carattere_etichetta(d)),
      normale_(carattere_messaggio(d)),
      chiusura_(XInternAtom(d, "WM_DELETE_WINDOW", False)) {
  const int s = DefaultScreen(d);
  sfondo_ = alloca_colore(0xf0f0, 0xf0f0, 0xf0f0, WhitePixel(d, s));
  testo_ = alloca_colore(0, 0, 0, BlackPixel(d, s));
  luce_ = alloca_colore(0xffff, 0xffff, 0xffff, WhitePixel(d, s));
  ombra_ = alloca_colore(0xa0a0, 0xa0a0, 0xa0a0, BlackPixel(d, s));
}

risorse_x11::~risorse_x11() {
  if (grande_ != nullptr) XFreeFont(d_, grande_);
  if (normale_ != nullptr) XFreeFont(d_, normale_);
  XFreeGC(d_, gc_);
  XCloseDisplay(d_);
}

unsigned long risorse_x11::alloca_colore(unsigned short rosso, unsigned short verde, unsigned short blu,
                                         unsigned long riserva) {
  XColor colore{};
  colore.red = rosso;
  colore.green = verde;
  colore.blue = blu;
  colore.flags = DoRed | DoGreen | DoBlue;
  return XAllocColor(d_, DefaultColormap(d_, DefaultScreen(d_)), &colore) ? colore.pixel : riserva;
}

unsigned long risorse_x11::colore(tinta t) const {
  switch (t) {
    case tinta::sfondo:
      return sfondo_;
    case tinta::testo:
      return testo_;
    case tinta::luce:
      return luce_;
    case tinta::ombra:
      return ombra_;
  }
  return testo_;
}

Window risorse_x11::crea_finestra(Window genitore, int x, int y, int larghezza, int altezza,
                                  const std::string& titolo) const {
  XSetWindowAttributes attributi{};
  attributi.background_pixel = sfondo_;
  attributi.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask;
  const Window w = XCreateWindow(d_, genitore, x, y, static_cast<unsigned>(larghezza), static_cast<unsigned>(altezza),
                                 0, CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributi);
  XStoreName(d_, w, titolo.c_str());
  XClassHint classe{const_cast<char*>(titolo.c_str()), const_cast<char*>("Orsella")};
  XSetClassHint(d_, w, &classe);
  XWMHints suggerimenti{};
  suggerimenti.flags = InputHint | StateHint;
  suggerimenti.input = True;
  suggerimenti.initial_state = NormalState;
  XSetWMHints(d_, w, &suggerimenti);
  // Without this the window manager's close button would cut the
  // connection and end the run halfway; with it the request is only an event.
  Atom protocolli[] = {chiusura_};
  XSetWMProtocols(d_, w, protocolli, 1);
  return w;
}

void risorse_x11::scrivi(Drawable dove, XFontStruct* carattere, const XRectangle& area, std::string_view testo) const {
  XRectangle taglio = area;
  XSetClipRectangles(d_, gc_, 0, 0, &taglio, 1, Unsorted);
  XSetForeground(d_, gc_, testo_);
  XSetFont(d_, gc_, carattere->fid);
  XDrawString(d_, dove, gc_, area.x, area.y + carattere->ascent, testo.data(), static_cast<int>(testo.size()));
  XSetClipMask(d_, gc_, None);
}

int risorse_x11::larghezza_testo(XFontStruct* carattere, std::string_view testo) {
  return XTextWidth(carattere, testo.data(), static_cast<int>(testo.size()));
}

}  // namespace od
