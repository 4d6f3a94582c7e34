#include "platform/blocco_cartella.h"

#include "platform/intento.h"

namespace od {

blocco_cartella::blocco_cartella(const std::string& cartella, accesso modo) : maniglia_(prendi(cartella, modo)) {
  if (!tenuto() || modo != accesso::esclusivo) return;
  try {
    completa_sostituzione_interrotta(cartella);
  } catch (...) {
    lascia(maniglia_);
    throw;
  }
}

// However the process ends, the system lets the lock go too.
blocco_cartella::~blocco_cartella() {
  if (tenuto()) lascia(maniglia_);
}

}  // namespace od
