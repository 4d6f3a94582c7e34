// The reading stage: the line description file, then the train description
// file, into the scenario model. Returns the code that stopped the reading
// and where (code 0: read to the end); never throws a read failure to its
// caller. It leaves the files where they are: whether they go is the
// caller's choice.
#pragma once

#include "builder/sessione.h"
#include "builder/sorgente.h"
#include "modello/modello.h"

namespace od {

esito_lettura memorizza_dati(scenario& stato, sessione_costruzione& sessione, const sorgente_descrizioni& sorgente);

}  // namespace od
