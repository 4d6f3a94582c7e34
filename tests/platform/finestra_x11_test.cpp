// The window on a real X server: a virtual one (Xvfb) started for each test
// on a display number of its own choosing, looked at through a second
// connection as a person would see it. Skipped where Xvfb is not installed.
#include "platform/finestra_x11.h"

#include <gtest/gtest.h>

// After GoogleTest: Xlib defines macros (None, Bool, Status) that its
// headers use as names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <string>
#include <thread>

namespace od {
namespace {

using namespace std::chrono_literals;

class server_virtuale {
 public:
  server_virtuale() {
    int tubo[2];
    if (::pipe(tubo) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(tubo[0]);
      const int nulla = ::open("/dev/null", O_WRONLY);
      ::dup2(nulla, 1);
      ::dup2(nulla, 2);
      const std::string fd = std::to_string(tubo[1]);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x400x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(tubo[1]);
    // Xvfb writes its display number once it accepts connections.
    pollfd attesa{tubo[0], POLLIN, 0};
    std::string numero;
    char c = 0;
    while (::poll(&attesa, 1, 10000) > 0 && ::read(tubo[0], &c, 1) == 1 && c != '\n') numero += c;
    ::close(tubo[0]);
    if (!numero.empty()) nome_ = ":" + numero;
  }
  ~server_virtuale() { ferma(); }
  server_virtuale(const server_virtuale&) = delete;
  server_virtuale& operator=(const server_virtuale&) = delete;

  // Empty when Xvfb is missing or did not start.
  const std::string& nome() const { return nome_; }

  void ferma() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  std::string nome_;
};

// A second client of the same server: finds the program's windows, reads
// their pixels and presses keys and buttons in them.
class osservatore {
 public:
  explicit osservatore(const std::string& schermo) : d_(XOpenDisplay(schermo.c_str())) {}
  ~osservatore() {
    if (d_ != nullptr) XCloseDisplay(d_);
  }
  osservatore(const osservatore&) = delete;
  osservatore& operator=(const osservatore&) = delete;
  Display* schermo() const { return d_; }

  // The first shown top-level window other than `escluso`, waiting up to 5 s.
  Window attendi_finestra(Window escluso = 0) const {
    for (auto fine = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < fine;) {
      Window radice = 0, genitore = 0, *figli = nullptr;
      unsigned quanti = 0;
      XQueryTree(d_, DefaultRootWindow(d_), &radice, &genitore, &figli, &quanti);
      Window trovata = 0;
      for (unsigned i = 0; i < quanti && trovata == 0; ++i) {
        if (figli[i] != escluso && visibile(figli[i])) trovata = figli[i];
      }
      if (figli != nullptr) XFree(figli);
      if (trovata != 0) return trovata;
      std::this_thread::sleep_for(20ms);
    }
    return 0;
  }

  bool visibile(Window w) const {
    XWindowAttributes a{};
    return XGetWindowAttributes(d_, w, &a) && a.map_state == IsViewable;
  }

  XWindowAttributes attributi(Window w) const {
    XWindowAttributes a{};
    XGetWindowAttributes(d_, w, &a);
    return a;
  }

  // Dark pixels (text, frames) of `w` inside or outside a rectangle.
  struct conteggio {
    int dentro = 0;
    int fuori = 0;
  };
  conteggio pixel_scuri(Window w, int x, int y, int larghezza, int altezza) const {
    const XWindowAttributes a = attributi(w);
    XImage* immagine =
        XGetImage(d_, w, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    conteggio c;
    if (immagine == nullptr) return c;
    for (int j = 0; j < a.height; ++j) {
      for (int i = 0; i < a.width; ++i) {
        const unsigned long p = XGetPixel(immagine, i, j);
        const unsigned long luce = ((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff);
        if (luce >= 3 * 100) continue;
        const bool dentro = i >= x && i < x + larghezza && j >= y && j < y + altezza;
        (dentro ? c.dentro : c.fuori) += 1;
      }
    }
    XDestroyImage(immagine);
    return c;
  }

  void premi_tasto(Window w, KeySym simbolo) const {
    XEvent e{};
    e.xkey.type = KeyPress;
    e.xkey.display = d_;
    e.xkey.window = w;
    e.xkey.root = DefaultRootWindow(d_);
    e.xkey.keycode = XKeysymToKeycode(d_, simbolo);
    e.xkey.same_screen = True;
    XSendEvent(d_, w, False, KeyPressMask, &e);
    XFlush(d_);
  }

  void clic(Window w, int x, int y) const {
    XEvent e{};
    e.xbutton.type = ButtonPress;
    e.xbutton.display = d_;
    e.xbutton.window = w;
    e.xbutton.root = DefaultRootWindow(d_);
    e.xbutton.button = Button1;
    e.xbutton.x = x;
    e.xbutton.y = y;
    e.xbutton.same_screen = True;
    XSendEvent(d_, w, False, ButtonPressMask, &e);
    e.xbutton.type = ButtonRelease;
    XSendEvent(d_, w, False, ButtonReleaseMask, &e);
    XFlush(d_);
  }

  std::string proprieta_atomo(Window w, const char* nome) const {
    Atom tipo = 0;
    int formato = 0;
    unsigned long quanti = 0, resto = 0;
    unsigned char* dati = nullptr;
    XGetWindowProperty(d_, w, XInternAtom(d_, nome, False), 0, 1, False, XA_ATOM, &tipo, &formato, &quanti, &resto,
                       &dati);
    std::string valore;
    if (dati != nullptr && quanti == 1) {
      char* testo = XGetAtomName(d_, *reinterpret_cast<Atom*>(dati));
      valore = testo;
      XFree(testo);
    }
    if (dati != nullptr) XFree(dati);
    return valore;
  }

 private:
  Display* d_;
};

// A message shown from another thread, since it waits for OK. If a test
// fails with the message still open, the server is stopped, which ends the
// wait the hard way rather than leaving the test hung.
class messaggio_aperto {
 public:
  messaggio_aperto(finestra& f, std::string testo, server_virtuale& server)
      : server_(server), filo_([&f, testo = std::move(testo), this] {
          f.messaggio(testo);
          chiuso_ = true;
        }) {}
  ~messaggio_aperto() {
    if (!attendi_chiusura(5s)) server_.ferma();
    filo_.join();
  }
  messaggio_aperto(const messaggio_aperto&) = delete;
  messaggio_aperto& operator=(const messaggio_aperto&) = delete;

  bool attendi_chiusura(std::chrono::milliseconds limite) const {
    for (auto fine = std::chrono::steady_clock::now() + limite; !chiuso_;) {
      if (std::chrono::steady_clock::now() >= fine) return false;
      std::this_thread::sleep_for(10ms);
    }
    return true;
  }

 private:
  server_virtuale& server_;
  std::atomic<bool> chiuso_{false};
  std::thread filo_;
};

// Waits for `condizione`, which the other thread makes true by drawing.
bool entro(std::chrono::milliseconds limite, const std::function<bool()>& condizione) {
  for (auto fine = std::chrono::steady_clock::now() + limite; !condizione();) {
    if (std::chrono::steady_clock::now() >= fine) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

TEST(FinestraX11, SenzaServerNonCeFinestra) {
  EXPECT_EQ(finestra_x11(":65000"), nullptr) << "the caller falls back to the console";
}

TEST(FinestraX11, MostraLEtichettaNelModuloDi280Per179Pixel) {
  server_virtuale server;
  if (server.nome().empty()) GTEST_SKIP() << "Xvfb non disponibile";
  const std::unique_ptr<finestra> f = finestra_x11(server.nome().c_str());
  ASSERT_NE(f, nullptr);
  f->mostra("Attendere");

  const osservatore occhio(server.nome());
  ASSERT_NE(occhio.schermo(), nullptr);
  const Window form = occhio.attendi_finestra();
  ASSERT_NE(form, 0u);
  const XWindowAttributes a = occhio.attributi(form);
  EXPECT_EQ(a.width, 280);
  EXPECT_EQ(a.height, 179);
  // Label1 at 960, 960 twips, 2652 x 792: 64, 64, 177 x 53 pixels. The text
  // is painted before mostra returns, inside the label and nowhere else.
  const auto scuri = occhio.pixel_scuri(form, 64, 64, 177, 53);
  EXPECT_GT(scuri.dentro, 100);
  EXPECT_EQ(scuri.fuori, 0);

  f->mostra("");
  EXPECT_EQ(occhio.pixel_scuri(form, 0, 0, 280, 179).dentro, 0) << "what is painted is the label's text";
}

TEST(FinestraX11, IlMessaggioAttendeOKESiChiudeConInvioOConUnClicSulPulsante) {
  server_virtuale server;
  if (server.nome().empty()) GTEST_SKIP() << "Xvfb non disponibile";
  const std::unique_ptr<finestra> f = finestra_x11(server.nome().c_str());
  ASSERT_NE(f, nullptr);
  f->mostra("Attendere");
  const osservatore occhio(server.nome());
  ASSERT_NE(occhio.schermo(), nullptr);
  const Window form = occhio.attendi_finestra();
  ASSERT_NE(form, 0u);

  {
    messaggio_aperto messaggio(*f, " Errore n. 1250", server);
    const Window scatola = occhio.attendi_finestra(form);
    ASSERT_NE(scatola, 0u);
    Window proprietario = 0;
    EXPECT_TRUE(XGetTransientForHint(occhio.schermo(), scatola, &proprietario));
    EXPECT_EQ(proprietario, form);
    EXPECT_EQ(occhio.proprieta_atomo(scatola, "_NET_WM_STATE"), "_NET_WM_STATE_MODAL");
    EXPECT_TRUE(entro(5s, [&] { return occhio.pixel_scuri(scatola, 0, 0, 0, 0).fuori > 100; }))
        << "the text and the button are drawn";

    EXPECT_FALSE(messaggio.attendi_chiusura(200ms)) << "modal: it waits for OK";
    occhio.premi_tasto(scatola, XK_a);
    occhio.clic(scatola, 2, 2);
    EXPECT_FALSE(messaggio.attendi_chiusura(300ms)) << "another key or a click beside the button is not OK";
    occhio.premi_tasto(scatola, XK_Return);
    EXPECT_TRUE(messaggio.attendi_chiusura(5s));
    EXPECT_TRUE(entro(5s, [&] { return !occhio.visibile(scatola); })) << "the box goes away";
  }
  {
    messaggio_aperto messaggio(*f, " Errore n. 1251", server);
    const Window scatola = occhio.attendi_finestra(form);
    ASSERT_NE(scatola, 0u);
    const XWindowAttributes a = occhio.attributi(scatola);
    // The OK button is centred at the bottom of the box.
    occhio.clic(scatola, a.width / 2, a.height - 20);
    EXPECT_TRUE(messaggio.attendi_chiusura(5s));
  }
  EXPECT_TRUE(occhio.visibile(form)) << "the window stays until the run ends";
}

}  // namespace
}  // namespace od
