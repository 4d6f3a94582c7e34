#include "tools/compila/orario.h"

#include "percorrenza/orario.h"
#include "tools/comune/tabella_orario.h"

namespace od {

nlohmann::ordered_json orario_costruito(const scenario& stato, const opzioni_orario& o, bool json,
                                        std::ostream& uscita) {
  const tabella_orario t = calcola_orario(stato, o.treno, o.margine_minimo);
  if (!json) {
    scrivi_tabella_orario(t, stato, o, uscita);
    return nullptr;
  }
  nlohmann::ordered_json membri;
  membri["orario"] = json_orario(t, stato, o);
  return membri;
}

}  // namespace od
