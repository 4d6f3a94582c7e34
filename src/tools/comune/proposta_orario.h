// --proponi-orario in compila_scenario and mostra_scenario: the option, and
// the proposed timetable as a table of text or as the JSON member
// "proposta", beside the current times and their margins against the fastest
// and the standard run.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "modello/modello.h"
#include "percorrenza/proposta.h"
#include "tools/comune/opzioni_orario.h"

namespace od {

struct opzioni_proposta {
  std::vector<std::string> abbuono;  // the value given, if any (checked: a number from 0 to 100)
  double percento() const;           // the value given, or the default allowance
};

// --proponi-orario [PERCENTO], in the group "Orario". A value must follow
// the option directly or after "=": the three names of the scenario are not
// percentages, and the message says so.
void aggiungi_opzione_proposta(CLI::App& app, opzioni_proposta& o);
// Whether `app` was given --proponi-orario, with or without a value.
bool proposta_chiesta(const CLI::App& app);

// The proposal for `stato` under `o`'s train; with `json`, returned as the
// member "proposta" ({"proposta": {...}}), else printed on `uscita`.
nlohmann::ordered_json scrivi_proposta(const scenario& stato, const proposta_orario& p, const opzioni_orario& o,
                                       bool json, std::ostream& uscita);

}  // namespace od
