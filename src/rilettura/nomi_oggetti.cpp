#include "rilettura/nomi_oggetti.h"

#include "modello/modello.h"

namespace od {

std::string_view nome_oggetto(uint8_t codice) {
  switch (codice) {
    case oggetto::vuoto:
      return "vuota";
    case oggetto::segnale:
      return "segnale";
    case oggetto::fine_rallentamento:
      return "fine rallentamento";
    case oggetto::inizio_rallentamento:
      return "inizio rallentamento";
    case oggetto::avviso_rallentamento:
      return "avviso rallentamento";
    case oggetto::preavviso_rallentamento:
      return "preavviso rallentamento";
    case oggetto::indicatore_vmax:
      return "indicatore velocita'";
    case oggetto::fermata:
      return "fermata";
    case oggetto::segno_montagna:
      return "segno montagna";
    case oggetto::abbattimento:
      return "abbattimento";
    case oggetto::fine_abbattimento:
      return "fine abbattimento";
    case oggetto::cartello:
      return "cartello";
    default:
      return {};
  }
}

}  // namespace od
