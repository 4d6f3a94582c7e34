// compila_scenario --proponi-orario and --scrivi-orario: once the files are
// built, the proposed timetable, and the copy of the train file with it.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "modello/modello.h"
#include "percorrenza/treno.h"

namespace od {

struct richiesta_proposta {
  double abbuono = 0;        // percent
  std::string sorgente;      // the train description file read by the build
  std::string destinazione;  // --scrivi-orario FILE, or empty
};

// Prints the proposal to `uscita` (with `json`, returns it as the member
// "proposta", and the file written as "orario_scritto"), and writes the copy
// of the train file when asked. Throws errore_file when it cannot.
nlohmann::ordered_json proposta_costruita(const scenario& stato, const opzioni_orario& o, const richiesta_proposta& r,
                                          bool json, std::ostream& uscita);

}  // namespace od
