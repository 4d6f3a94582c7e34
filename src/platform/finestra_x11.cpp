// The window on X11, with Xlib alone. The run paints the window once and then
// works without an event loop, as on Windows: the window shows "Attendere"
// until the process ends. The message runs a small loop of its own until OK,
// and repaints the window meanwhile, as a modal box does on Windows.
#include "platform/finestra_x11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/finestra_misure.h"
#include "platform/messaggio_x11.h"
#include "platform/risorse_x11.h"

namespace od {
namespace {

// A window manager may take a moment to show a window; a run never waits on
// it for longer than this.
constexpr std::chrono::milliseconds attesa_esposizione{2000};

// Xlib's default handler ends the process on any protocol error, such as a
// focus request for a window that the window manager has not shown yet.
// Neither the window nor the message is worth the run.
int ignora_errore(Display*, XErrorEvent*) { return 0; }

// The program's own name, which a window without a title of its own carries.
std::string nome_programma() {
  std::error_code errore;
  const std::filesystem::path eseguibile = std::filesystem::read_symlink("/proc/self/exe", errore);
  return errore ? std::string("orsella_drumvane") : eseguibile.filename().string();
}

// Waits until `finestra` receives an event of `tipo`, or the time runs out.
bool attendi_evento(Display* d, Window finestra, int tipo, std::chrono::milliseconds limite) {
  const auto fine = std::chrono::steady_clock::now() + limite;
  XEvent evento;
  for (;;) {
    if (XCheckTypedWindowEvent(d, finestra, tipo, &evento)) return true;
    const auto resto = std::chrono::duration_cast<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now());
    if (resto.count() <= 0) return false;
    XFlush(d);
    pollfd attesa{ConnectionNumber(d), POLLIN, 0};
    ::poll(&attesa, 1, static_cast<int>(resto.count()));
  }
}

class finestra_su_x11 final : public finestra {
 public:
  explicit finestra_su_x11(Display* d) : risorse_(d), titolo_(nome_programma()) {}
  // A server without even the "fixed" font cannot show a text.
  bool pronta() const { return risorse_.carattere_grande() != nullptr && risorse_.carattere_normale() != nullptr; }
  ~finestra_su_x11() override {
    if (form_ != 0) XDestroyWindow(risorse_.schermo(), form_);
  }
  finestra_su_x11(const finestra_su_x11&) = delete;
  finestra_su_x11& operator=(const finestra_su_x11&) = delete;

  void mostra(std::string_view etichetta) override {
    Display* d = risorse_.schermo();
    etichetta_ = etichetta;
    if (form_ == 0) {
      form_ = crea_form();
      XMapRaised(d, form_);
      // Painting before the window is exposed would be lost; the first
      // exposure is the moment to paint.
      attendi_evento(d, form_, Expose, attesa_esposizione);
    }
    disegna_form();
    XSync(d, False);
  }

  void messaggio(std::string_view testo) override {
    scatola_messaggio scatola(risorse_, titolo_, std::string(testo), form_);
    scatola.attendi_ok([this](Window esposta) {
      if (esposta == form_) disegna_form();
    });
  }

  void errore_file(std::string_view testo) override { messaggio(testo); }

 private:
  Window crea_form() {
    Display* d = risorse_.schermo();
    const int larghezza = in_pixel(larghezza_form_twip, dpi_normale);
    const int altezza = in_pixel(altezza_form_twip, dpi_normale);
    // No position: the window manager puts it where it puts new windows.
    const Window w = risorse_.crea_finestra(DefaultRootWindow(d), 0, 0, larghezza, altezza, titolo_);
    XSizeHints* misure = XAllocSizeHints();
    misure->flags = PSize;
    misure->width = larghezza;
    misure->height = altezza;
    XSetWMNormalHints(d, w, misure);
    XFree(misure);
    return w;
  }

  void disegna_form() {
    const int dpi = dpi_normale;
    const rettangolo_twip& e = etichetta_twip;
    const XRectangle area{static_cast<short>(in_pixel(e.sinistra, dpi)), static_cast<short>(in_pixel(e.alto, dpi)),
                          static_cast<unsigned short>(in_pixel(e.larghezza, dpi)),
                          static_cast<unsigned short>(in_pixel(e.altezza, dpi))};
    XClearWindow(risorse_.schermo(), form_);
    risorse_.scrivi(form_, risorse_.carattere_grande(), area, etichetta_);
    XFlush(risorse_.schermo());
  }

  risorse_x11 risorse_;
  std::string titolo_;
  std::string etichetta_;
  Window form_ = 0;
};

}  // namespace

std::unique_ptr<finestra> finestra_x11(const char* schermo) {
  XSetErrorHandler(ignora_errore);
  Display* d = XOpenDisplay(schermo);
  if (d == nullptr) return nullptr;
  auto x11 = std::make_unique<finestra_su_x11>(d);
  if (!x11->pronta()) return nullptr;
  return x11;
}

}  // namespace od
