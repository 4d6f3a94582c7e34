#include "elementi/tipi_oggetto.h"

namespace od {

testi_oggetto testi(tipo_oggetto tipo) {
  switch (tipo) {
    case tipo_oggetto::vuoto:
      return {"vuota", "una cella vuota"};
    case tipo_oggetto::segnale:
      return {"segnale", "un segnale"};
    case tipo_oggetto::fine_rallentamento:
      return {"fine rallentamento", "la fine di un rallentamento"};
    case tipo_oggetto::inizio_rallentamento:
      return {"inizio rallentamento", "l'inizio di un rallentamento"};
    case tipo_oggetto::avviso_rallentamento:
      return {"avviso rallentamento", "l'avviso di un rallentamento"};
    case tipo_oggetto::preavviso_rallentamento:
      return {"preavviso rallentamento", "un preavviso di rallentamento"};
    case tipo_oggetto::indicatore_vmax:
      return {"indicatore velocita'", "un indicatore di velocita' massima"};
    case tipo_oggetto::fermata:
      return {"fermata", "la fermata di una stazione"};
    case tipo_oggetto::segno_montagna:
      return {"segno montagna", "un segno di montagna"};
    case tipo_oggetto::abbattimento:
      return {"abbattimento", "un abbattimento"};
    case tipo_oggetto::fine_abbattimento:
      return {"fine abbattimento", "la fine di un abbattimento"};
    case tipo_oggetto::cartello:
      return {"cartello", "un cartello"};
  }
  return {};
}

std::string_view nome_oggetto(uint8_t codice) {
  const std::optional<tipo_oggetto> t = tipo_noto(codice);
  return t ? testi(*t).nome : std::string_view{};
}

}  // namespace od
