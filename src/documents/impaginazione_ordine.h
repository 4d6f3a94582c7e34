// The layout of the slowdown order, apart from what it orders: the carried
// order and the order built from a scenario fill the same contents and come
// out of one form with the same widths. Every text must fit the room that the
// limits below give it; the layout refuses one that does not
// (std::length_error) rather than push the frame apart.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "scenario_text/lista_righe.h"

namespace od {

struct rallentamento_ordine {
  std::string numero;
  std::string fra_stazioni;
  std::string cippo;         // the kilometre post after which it begins
  std::string velocita;      // km/h
  std::string lunghezza;     // metres
  std::string prescrizione;  // a letter of the legend, or "---"
};

struct contenuto_ordine {
  std::string linea;         // "Orsella - Drumvane"
  std::string numero_treno;  // in the sentence that gives the order
  std::vector<rallentamento_ordine> righe;
};

// The longest texts that fit, in characters.
inline constexpr std::size_t massimo_fra_stazioni = 27;
inline constexpr std::size_t massimo_cippo = 7;
inline constexpr std::size_t massimo_lunghezza = 6;

lista_righe impagina_ordine(const contenuto_ordine& c);

}  // namespace od
