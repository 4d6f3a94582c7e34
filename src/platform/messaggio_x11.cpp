// Laid out like a classic message box without an icon: the text on one line
// with a margin around it and the OK button centred below, 75 x 23 pixels.
#include "platform/messaggio_x11.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>

namespace od {
namespace {

constexpr int margine = 24;  // around the text, in pixels
constexpr int larghezza_pulsante = 75;
constexpr int altezza_pulsante = 23;
constexpr int margine_pulsante = 12;  // below the button
constexpr int larghezza_minima = 180;

void imposta_atomo(Display* d, Window w, const char* proprieta, const char* valore) {
  const Atom a = XInternAtom(d, valore, False);
  XChangeProperty(d, w, XInternAtom(d, proprieta, False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&a), 1);
}

bool tasto_ok(XKeyEvent& tasto) {
  const KeySym simbolo = XLookupKeysym(&tasto, 0);
  return simbolo == XK_Return || simbolo == XK_KP_Enter || simbolo == XK_Escape || simbolo == XK_space;
}

}  // namespace

scatola_messaggio::scatola_messaggio(const risorse_x11& risorse, const std::string& titolo, std::string testo,
                                     Window proprietario)
    : risorse_(risorse), testo_(std::move(testo)) {
  Display* d = risorse_.schermo();
  XFontStruct* carattere = risorse_.carattere_normale();
  const int alto_testo = carattere->ascent + carattere->descent;
  const int larghezza = std::max(risorse_x11::larghezza_testo(carattere, testo_) + 2 * margine, larghezza_minima);
  const int altezza = margine + alto_testo + margine + altezza_pulsante + margine_pulsante;
  area_testo_ = {static_cast<short>(margine), static_cast<short>(margine),
                 static_cast<unsigned short>(larghezza - 2 * margine), static_cast<unsigned short>(alto_testo)};
  pulsante_ = {static_cast<short>((larghezza - larghezza_pulsante) / 2),
               static_cast<short>(altezza - margine_pulsante - altezza_pulsante), larghezza_pulsante, altezza_pulsante};

  // Centred on the screen, as the system places a message box.
  const int s = DefaultScreen(d);
  const int x = std::max(0, (DisplayWidth(d, s) - larghezza) / 2);
  const int y = std::max(0, (DisplayHeight(d, s) - altezza) / 2);
  w_ = risorse_.crea_finestra(DefaultRootWindow(d), x, y, larghezza, altezza, titolo);
  XSizeHints* misure = XAllocSizeHints();
  misure->flags = PPosition | PSize | PMinSize | PMaxSize;
  misure->x = x;
  misure->y = y;
  misure->width = misure->min_width = misure->max_width = larghezza;
  misure->height = misure->min_height = misure->max_height = altezza;
  XSetWMNormalHints(d, w_, misure);
  XFree(misure);
  if (proprietario != 0) XSetTransientForHint(d, w_, proprietario);
  imposta_atomo(d, w_, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG");
  imposta_atomo(d, w_, "_NET_WM_STATE", "_NET_WM_STATE_MODAL");
}

scatola_messaggio::~scatola_messaggio() {
  XDestroyWindow(risorse_.schermo(), w_);
  XSync(risorse_.schermo(), False);
}

void scatola_messaggio::attendi_ok(const std::function<void(Window)>& esposta) {
  Display* d = risorse_.schermo();
  XMapRaised(d, w_);
  bool premuto = false;
  for (;;) {
    XEvent e;
    XNextEvent(d, &e);
    switch (e.type) {
      case Expose:
        if (e.xexpose.count != 0) break;
        if (e.xexpose.window == w_) {
          disegna(premuto);
        } else {
          esposta(e.xexpose.window);
        }
        break;
      case MapNotify:
        // Without a window manager nobody else gives the box the keyboard.
        if (e.xmap.window == w_) XSetInputFocus(d, w_, RevertToParent, CurrentTime);
        break;
      case KeyPress:
        if (e.xkey.window == w_ && tasto_ok(e.xkey)) return;
        break;
      case ButtonPress:
        if (e.xbutton.window == w_ && e.xbutton.button == Button1 && sul_pulsante(e.xbutton.x, e.xbutton.y)) {
          premuto = true;
          disegna(premuto);
        }
        break;
      case ButtonRelease:
        // Like a real button: OK only when released over it.
        if (e.xbutton.window == w_ && e.xbutton.button == Button1 && premuto) {
          if (sul_pulsante(e.xbutton.x, e.xbutton.y)) return;
          premuto = false;
          disegna(premuto);
        }
        break;
      case ClientMessage:
        if (e.xclient.window == w_ && static_cast<Atom>(e.xclient.data.l[0]) == risorse_.chiusura()) return;
        break;
      default:
        break;
    }
  }
}

bool scatola_messaggio::sul_pulsante(int x, int y) const {
  return x >= pulsante_.x && x < pulsante_.x + pulsante_.width && y >= pulsante_.y &&
         y < pulsante_.y + pulsante_.height;
}

void scatola_messaggio::disegna(bool premuto) const {
  Display* d = risorse_.schermo();
  const GC gc = risorse_.contesto();
  XClearWindow(d, w_);
  risorse_.scrivi(w_, risorse_.carattere_normale(), area_testo_, testo_);

  // The default button: a dark frame, then a raised (or, pressed, sunken) edge.
  const XRectangle& p = pulsante_;
  const int destra = p.x + p.width - 1;
  const int basso = p.y + p.height - 1;
  XSetForeground(d, gc, risorse_.colore(tinta::testo));
  XDrawRectangle(d, w_, gc, p.x, p.y, p.width - 1, p.height - 1);
  XSetForeground(d, gc, risorse_.colore(premuto ? tinta::ombra : tinta::luce));
  XDrawLine(d, w_, gc, p.x + 1, p.y + 1, destra - 1, p.y + 1);
  XDrawLine(d, w_, gc, p.x + 1, p.y + 1, p.x + 1, basso - 1);
  XSetForeground(d, gc, risorse_.colore(premuto ? tinta::luce : tinta::ombra));
  XDrawLine(d, w_, gc, p.x + 2, basso - 1, destra - 1, basso - 1);
  XDrawLine(d, w_, gc, destra - 1, p.y + 2, destra - 1, basso - 1);

  XFontStruct* carattere = risorse_.carattere_normale();
  const int spostamento = premuto ? 1 : 0;
  const int alto = carattere->ascent + carattere->descent;
  const XRectangle etichetta{
      static_cast<short>(p.x + (p.width - risorse_x11::larghezza_testo(carattere, "OK")) / 2 + spostamento),
      static_cast<short>(p.y + (p.height - alto) / 2 + spostamento), static_cast<unsigned short>(p.width - 4),
      static_cast<unsigned short>(alto)};
  risorse_.scrivi(w_, carattere, etichetta, "OK");
  XFlush(d);
}

}  // namespace od
