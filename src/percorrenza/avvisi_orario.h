// The running-time calculation's findings as the build's warnings: a short
// stable name, one sentence, and the station's record where the reading
// recorded it (the record that placed its stopping point).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "builder/avvisi.h"
#include "modello/modello.h"
#include "percorrenza/orario.h"

namespace od {

// tipo_avviso::orario_impossibile, orario_stretto or orario_senza_fermata.
std::string nome_avviso(const avviso_orario& a);
std::string frase_avviso(const tabella_orario& t, const avviso_orario& a);

// Every warning of `t`, in order, placed through `origini` (the build
// session's records by cell) when it knows the station's record: only a
// build from description files does; a scenario read back passes none.
std::vector<avviso> avvisi_della_tabella(const tabella_orario& t, const scenario& stato,
                                         const std::map<int32_t, luogo_errore>& origini);

// Seconds rounded to the second, within +-2^53 whatever `secondi` holds.
int64_t secondi_interi(double secondi);

// Seconds since midnight, rounded to the second, as "hh:mm:ss".
std::string ora_esatta(double secondi);

}  // namespace od
