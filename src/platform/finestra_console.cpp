#include <cstdio>
#include <string>

#include "platform/finestra.h"

namespace od {
namespace {

class console final : public finestra {
 public:
  void mostra(std::string_view etichetta) override { scrivi(etichetta); }
  void messaggio(std::string_view testo) override { scrivi(testo); }

 private:
  static void scrivi(std::string_view testo) {
    std::string riga(testo);
    riga += '\n';
    std::fputs(riga.c_str(), stderr);
    std::fflush(stderr);
  }
};

}  // namespace

std::unique_ptr<finestra> finestra_console() { return std::make_unique<console>(); }

}  // namespace od
