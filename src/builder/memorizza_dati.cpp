#include "builder/memorizza_dati.h"

namespace od {

void memorizza_dati(stato_scenario& stato, const sorgente_descrizioni& sorgente) {
  (void)stato;
  (void)sorgente;
}

}  // namespace od
