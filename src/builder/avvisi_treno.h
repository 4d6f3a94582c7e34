// The warnings about the values of the train file's records: values that
// the cells or the table keep otherwise than written, and values that have
// no effect where they stand. Each is given before the record is applied
// and changes nothing of it.
#pragma once

#include <cstdint>

#include "builder/lettura.h"
#include "builder/memo_treno.h"

namespace od {

void avvisa_segnale(contesto_lettura& contesto, const dati_segnale& s);
void avvisa_rallentamento(contesto_lettura& contesto, const dati_rallentamento& r);
void avvisa_abbattimento(contesto_lettura& contesto, int32_t valore);
void avvisa_velocita(contesto_lettura& contesto, int32_t velocita);
void avvisa_aderenza(contesto_lettura& contesto, int32_t percentuale);

// Hours 0 to 23, minutes and seconds 0 to 59; `campo` is the value field of
// the hours.
void avvisa_ora(contesto_lettura& contesto, int64_t ore, int64_t minuti, int64_t secondi, int32_t campo);

// The flags that the build drops: opzione_b of a station shorter than
// 600 m, opzione_c of types 5 to 8 or of station 1.
void avvisa_opzioni_stazione(contesto_lettura& contesto, int32_t numero, int32_t tipo, int32_t lunghezza,
                             int32_t opzione_b, int32_t opzione_c);

}  // namespace od
