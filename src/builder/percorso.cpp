#include "builder/percorso.h"

namespace od {

void cammina_binario(stato_scenario& stato) { (void)stato; }

}  // namespace od
