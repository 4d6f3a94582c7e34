#include "builder/lettura.h"

namespace od {

bool leggi_file_linea(contesto_lettura& contesto) { (void)contesto; return true; }

}  // namespace od
