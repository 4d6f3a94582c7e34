#include "tools/comune/osserva.h"

#include <csignal>
#include <ctime>
#include <filesystem>
#include <optional>
#include <thread>

namespace od {
namespace {

// The one piece of state that a signal handler may touch: the standard
// allows nothing but a flag of this type, so it cannot be passed around.
volatile std::sig_atomic_t interrotto = 0;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

extern "C" void su_interruzione(int) { interrotto = 1; }

// What tells a file's save apart: its size and time of last change; none
// while it is missing.
struct impronta {
  std::optional<std::filesystem::file_time_type> quando;
  std::uintmax_t quanto = 0;
  bool operator==(const impronta&) const = default;
};

std::vector<impronta> impronte(const std::vector<std::string>& file) {
  std::vector<impronta> v;
  for (const std::string& f : file) {
    std::error_code e;
    impronta i;
    const auto quando = std::filesystem::last_write_time(std::filesystem::u8path(f), e);
    if (!e) {
      i.quando = quando;
      i.quanto = std::filesystem::file_size(std::filesystem::u8path(f), e);
    }
    v.push_back(i);
  }
  return v;
}

bool manca_qualcuno(const std::vector<impronta>& v) {
  for (const impronta& i : v) {
    if (!i.quando) return true;
  }
  return false;
}

std::string ora_locale() {
  const std::time_t adesso = std::time(nullptr);
  std::tm t{};
#ifdef _WIN32
  localtime_s(&t, &adesso);
#else
  localtime_r(&adesso, &t);
#endif
  char testo[16];
  std::strftime(testo, sizeof testo, "%H:%M:%S", &t);
  return testo;
}

// Ctrl-C asks the loop to stop; the handler before it comes back at the end.
class gestione_interruzione {
 public:
  gestione_interruzione() : prima_(std::signal(SIGINT, su_interruzione)) { interrotto = 0; }
  ~gestione_interruzione() { std::signal(SIGINT, prima_ == SIG_ERR ? SIG_DFL : prima_); }
  gestione_interruzione(const gestione_interruzione&) = delete;
  gestione_interruzione& operator=(const gestione_interruzione&) = delete;

 private:
  void (*prima_)(int);
};

}  // namespace

int osserva(std::string_view programma, const std::vector<std::string>& file, std::ostream& uscita,
            const std::function<int()>& esegui, const opzioni_osserva& opzioni) {
  const gestione_interruzione gestione;
  std::vector<impronta> viste = impronte(file);
  auto giro = [&](std::string_view perche) {
    uscita << "[" << ora_locale() << "] " << programma << ": " << perche << '\n';
    uscita.flush();
    const int stato = esegui();
    uscita << "[" << ora_locale() << "] " << programma << ": in attesa di modifiche (Ctrl-C per finire)\n";
    uscita.flush();
    return stato;
  };
  int numero = 1;
  int ultimo = giro("costruzione");
  bool avanti = !opzioni.dopo_giro || opzioni.dopo_giro(numero);
  std::chrono::milliseconds mancante{0};
  while (avanti && interrotto == 0) {
    std::this_thread::sleep_for(opzioni.intervallo);
    const std::vector<impronta> adesso = impronte(file);
    if (adesso == viste) continue;
    // Still moving, or gone for a moment: look again next time.
    std::this_thread::sleep_for(opzioni.intervallo);
    if (impronte(file) != adesso) continue;
    if (manca_qualcuno(adesso) && mancante < opzioni.attesa_mancante) {
      mancante += 2 * opzioni.intervallo;
      continue;
    }
    mancante = std::chrono::milliseconds{0};
    viste = adesso;
    ultimo = giro("file cambiati, nuova costruzione");
    avanti = !opzioni.dopo_giro || opzioni.dopo_giro(++numero);
  }
  if (interrotto != 0) {
    uscita << "[" << ora_locale() << "] " << programma << ": fine (Ctrl-C)\n";
    uscita.flush();
  }
  return ultimo;
}

}  // namespace od
