// Two records of the same kind field by field, through the one list of their
// fields (modello/campi.h): what mostra_scenario shows as "campo a -> b" and
// what decompila_scenario lists as "trovato a, ricostruito b".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "modello/modello.h"

namespace od {

// A field whose value differs, each value as text: a number as its digits,
// a text between double quotes.
struct campo_diverso {
  std::string_view nome;
  std::string primo, secondo;
};

// The fields that differ, in file order; empty when the records are equal.
std::vector<campo_diverso> campi_diversi(const cella& primo, const cella& secondo);
std::vector<campo_diverso> campi_diversi(const voce& primo, const voce& secondo);

}  // namespace od
