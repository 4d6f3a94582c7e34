// The outline: each section header with the stations, signals and slowdowns
// under it, as the protocol's document symbols.
#include <string>

#include "tools/comune/testo_utf8.h"
#include "tools/servizio/funzioni.h"
#include "tools/servizio/righe.h"

namespace od {
namespace {

using json = nlohmann::json;

enum tipo_simbolo : int { spazio = 3, classe = 5, evento = 24, operatore = 25 };

json intervallo(std::size_t linea, std::size_t da, std::size_t a) {
  return {{"start", {{"line", linea}, {"character", da}}}, {"end", {{"line", linea}, {"character", a}}}};
}

// The name shown for a record: a station by its name, the others by key and
// position.
std::string nome_simbolo(const record_schema& r, const std::vector<campo_testo>& campi) {
  if (r.tipo == tipo_record::stazione && campi.size() > r.campi.size()) return std::string(campi.back().testo);
  std::string nome(r.nome);
  if (campi.size() > 1) nome += " " + std::string(campi[1].testo) + " m";
  return nome;
}

int tipo_di(tipo_record t) {
  if (t == tipo_record::stazione) return classe;
  if (t == tipo_record::segnale) return evento;
  if (t == tipo_record::rallentamento) return operatore;
  return 0;  // not in the outline
}

}  // namespace

json simboli(const std::string& testo, bool file_linea) {
  const std::vector<std::string_view> righe = righe_del_testo(testo);
  json elenco = json::array();
  json* sezione = nullptr;
  parte_file parte = file_linea ? parte_file::linea_generale : parte_file::treno;
  for (std::size_t n = 0; n < righe.size(); ++n) {
    const std::vector<campo_testo> campi = campi_della_riga(righe[n]);
    const campo_testo& chiave = campi.front();
    if (riga_intestazione(chiave.testo)) {
      elenco.push_back({{"name", testo_utf8(chiave.testo)},
                        {"kind", spazio},
                        {"range", intervallo(n, 0, righe[n].size())},
                        {"selectionRange", intervallo(n, chiave.colonna, chiave.fine)},
                        {"children", json::array()}});
      sezione = &elenco.back();
      if (n > 0) parte = parte_della_riga(righe, n + 1, file_linea);
      continue;
    }
    if (campo_commento(chiave.testo)) continue;
    const record_schema* r = record_riconosciuto(parte, chiave.testo);
    if (r == nullptr || tipo_di(r->tipo) == 0) continue;
    json simbolo = {{"name", testo_utf8(nome_simbolo(*r, campi))},
                    {"kind", tipo_di(r->tipo)},
                    {"range", intervallo(n, 0, righe[n].size())},
                    {"selectionRange", intervallo(n, chiave.colonna, chiave.fine)}};
    // The range of a section runs to its last record.
    if (sezione != nullptr) {
      (*sezione)["range"]["end"] = simbolo["range"]["end"];
      (*sezione)["children"].push_back(std::move(simbolo));
    } else {
      elenco.push_back(std::move(simbolo));
    }
  }
  return elenco;
}

}  // namespace od
