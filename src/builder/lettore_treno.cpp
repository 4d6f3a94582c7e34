#include "builder/lettura.h"

namespace od {

void leggi_file_treno(contesto_lettura& contesto) { (void)contesto; }

}  // namespace od
