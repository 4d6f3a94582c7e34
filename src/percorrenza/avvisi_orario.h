// The running-time calculation's findings as the build's warnings: a short
// stable name, one sentence, and the station's record where the reading
// recorded it (the record that placed its stopping point).
#pragma once

#include <string>
#include <vector>

#include "modello/modello.h"
#include "percorrenza/orario.h"

namespace od {

// tipo_avviso::orario_impossibile, orario_stretto or orario_senza_fermata.
std::string nome_avviso(const avviso_orario& a);
std::string frase_avviso(const tabella_orario& t, const avviso_orario& a);

// Every warning of `t`, in order, placed through stato.origini when it knows
// the station's record (only a build from description files does).
std::vector<avviso> avvisi_della_tabella(const tabella_orario& t, const stato_scenario& stato);

// Seconds since midnight, rounded to the second, as "hh:mm:ss".
std::string ora_esatta(double secondi);

}  // namespace od
