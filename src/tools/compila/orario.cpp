#include "tools/compila/orario.h"

#include "percorrenza/orario.h"
#include "tools/comune/tabella_orario.h"

namespace od {

std::string orario_costruito(const stato_scenario& stato, const opzioni_orario& o, bool json, std::ostream& uscita) {
  const tabella_orario t = calcola_orario(stato, o.treno, o.margine_minimo);
  if (!json) {
    scrivi_tabella_orario(t, stato, o, uscita);
    return {};
  }
  return ",\"orario\":" + json_orario(t, stato, o).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace od
