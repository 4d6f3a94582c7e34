#include "costruzione/riga_mostrata.h"

#include <algorithm>

namespace od {

riga_mostrata mostra_riga(const luogo_errore& luogo) {
  const std::string_view riga = luogo.testo;
  const int32_t colonna = luogo.linea_campo == luogo.linea ? luogo.colonna : 0;
  if (riga.size() <= riga_mostrata_intera) return {std::string(riga), colonna};
  // The field's byte, or the line's start when no field is named.
  const std::size_t campo = colonna > 0 ? std::min(static_cast<std::size_t>(colonna - 1), riga.size()) : 0;
  const std::size_t inizio = campo > riga_mostrata_margine ? campo - riga_mostrata_margine : 0;
  const std::size_t fine = std::min(riga.size(), campo + riga_mostrata_margine);
  std::string testo = inizio > 0 ? "..." : "";
  testo.append(riga.substr(inizio, fine - inizio));
  if (fine < riga.size()) testo += "...";
  const auto spostamento = static_cast<int32_t>(inizio > 0 ? inizio - 3 : 0);
  return {std::move(testo), colonna > 0 ? colonna - spostamento : 0};
}

}  // namespace od
