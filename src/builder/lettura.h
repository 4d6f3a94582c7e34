// What the two halves of the reading stage share: the files, the sign entry
// counter that the line half hands to the train half, and the way a code is
// recorded. A read failure travels as errore_lettura (from the field stream
// or from a value that does not fit) to its one handler in memorizza_dati.
#pragma once

#include <cstdint>
#include <string>

#include "builder/memorizza_dati.h"
#include "builder/modello.h"
#include "scenario_text/flusso_campi.h"

namespace od {

struct contesto_lettura {
  stato_scenario& stato;
  const sorgente_descrizioni& sorgente;
  std::string percorso_linea;  // full path of the line description file
  std::string percorso_treno;  // full path of the train description file
  // Next free sign entry of tabella, counting down from 80; the stations of
  // the train file must stay below it.
  int32_t contatore_cartelli = prima_voce_cartelli;
};

// Line half: returns true when the reading goes on with the train file (the
// normal end and code 15), false after any other code.
bool leggi_file_linea(contesto_lettura& contesto);
// Train half.
void leggi_file_treno(contesto_lettura& contesto);

// Deletes a description file when the caller asked for it.
void elimina_letto(const contesto_lettura& contesto, const std::string& percorso);

// Records a code, and where in which file the record at fault starts.
void registra_codice(contesto_lettura& contesto, int32_t codice, const std::string& file, int32_t linea,
                     const std::string& chiave);
void registra_codice(contesto_lettura& contesto, int32_t codice, int32_t posizione, const std::string& file,
                     int32_t linea, const std::string& chiave);

// The position test: (p + 100) / 50 must not exceed the last cell, and p
// must not be negative.
bool fuori_binario(const stato_scenario& stato, int64_t posizione);

}  // namespace od
