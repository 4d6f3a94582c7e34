// Cells of the track one per line, every field named: the raw view that the
// summary gathers into items.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "modello/modello.h"

namespace od {

struct intervallo_celle {
  int32_t da = 0;
  int32_t a = 0;  // inclusive
};

// "DA-A" or a single "N"; nothing, with the reason in `errore`, when the text
// is not such a range or the range does not lie within cells 0 to `ultima_cella`.
std::optional<intervallo_celle> leggi_intervallo(std::string_view testo, int32_t ultima_cella, std::string& errore);

// "cella 243 da 12150 m: oggetto=1 (segnale) valore1=40 ... aderenza=100"
std::string testo_cella(int32_t indice, const cella& c);

void scrivi_celle(const scenario& stato, intervallo_celle intervallo, std::ostream& uscita);

}  // namespace od
