#include "tools/compila/diagnostica_json.h"

#include "builder/codici.h"
#include "costruzione/riga_mostrata.h"
#include "platform/cartella.h"

namespace od {

using json = nlohmann::ordered_json;

json json_luogo(const luogo_errore& l, const std::string& cartella) {
  if (l.file.empty()) return nullptr;
  return {{"file", nome_completo(cartella, l.file)},
          {"linea", l.linea},
          {"colonna", l.linea_campo == l.linea ? l.colonna : 0},
          {"testo", mostra_riga(l).testo}};
}

json json_avviso(const avviso& a, const std::string& cartella) {
  return {{"nome", a.nome}, {"messaggio", a.messaggio()}, {"luogo", json_luogo(a.luogo, cartella)}};
}

json json_codice(int32_t codice, int64_t posizione, const luogo_errore& luogo, const std::string& cartella) {
  const descrizione_codice* d = descrivi_codice(codice);
  json j = {{"codice", codice}, {"significato", d != nullptr ? std::string(d->significato) : "codice sconosciuto"}};
  if (d != nullptr && d->con_posizione) j["posizione"] = posizione;
  j["luogo"] = json_luogo(luogo, cartella);
  if (!luogo.motivo.empty()) j["motivo"] = luogo.motivo;
  return j;
}

}  // namespace od
