// The readable summary of a scenario read back from its binary files.
#pragma once

#include <ostream>
#include <string>

#include "elementi/elementi.h"
#include "rilettura/lettura_binari.h"

namespace od {

void scrivi_riepilogo(const scenario_letto& s, const elementi_linea& e, std::ostream& uscita);

// Seconds since midnight as "hh:mm:ss".
std::string testo_orario(int32_t secondi);

}  // namespace od
