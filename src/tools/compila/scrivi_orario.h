// compila_scenario --scrivi-orario: a copy of the train description file
// with the proposed times in the time fields of its stations, every other
// byte as the author wrote it (comments, blanks, line ends, field layout).
#pragma once

#include <string>

#include "modello/modello.h"
#include "percorrenza/proposta.h"

namespace od {

// The text of the train file `testo` with the hours, minutes and seconds of
// every station that `p` gives a time replaced. The stations are found by
// walking the fields as the reader does, and the n-th station record is the
// n-th entry of the table; a record whose position differs from its entry's
// is refused (std::runtime_error, in Italian) rather than given another
// station's time.
std::string testo_con_orario(const std::string& testo, const scenario& stato, const proposta_orario& p);

}  // namespace od
