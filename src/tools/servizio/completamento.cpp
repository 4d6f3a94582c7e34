// Completion: in key position, every key of the part of the file where the
// cursor stands, taken from the schema, with its value fields as a snippet
// to fill in; and the section headers that the files use.
#include <array>
#include <string>

#include "tools/comune/testo_utf8.h"
#include "tools/servizio/funzioni.h"
#include "tools/servizio/righe.h"

namespace od {
namespace {

using json = nlohmann::json;

enum tipo_completamento : int { parola_chiave = 14, modulo = 9 };
enum formato_inserimento : int { testo_semplice = 1, frammento = 2 };

// The headers under which the files group their records, as the built-in
// scenario writes them; the readers need none but "[generale]".
constexpr std::array intestazioni_linea = {"[generale]", "[curve]",       "[pendenze]", "[montagne]",
                                           "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::array intestazioni_treno = {"[generale]",     "[stazioni]", "[rallentamenti]",
                                           "[segnali]",      "[aderenze]", "[vel_limite]",
                                           "[abbattimenti]", "[codici]",   "[fine]"};

std::string frammento_record(const record_schema& r) {
  std::string t(r.scritta);
  const bool generale = r.parte == parte_file::linea_generale;
  for (std::size_t n = 0; n < r.campi.size(); ++n) {
    t += generale ? ",    " : ",  ";
    t += "${" + std::to_string(n + 1) + ":" + std::string(r.campi[n].nome) + "}";
  }
  return t;
}

std::string documentazione(const record_schema& r) {
  std::string t = std::string(r.nome) + ":";
  for (const campo_schema& c : r.campi) t += "\n- " + std::string(c.nome) + ": " + std::string(c.significato);
  return t;
}

}  // namespace

json completamenti(const std::string& testo, bool file_linea, int linea, int carattere) {
  const std::vector<std::string_view> righe = righe_del_testo(testo);
  const std::string_view riga =
      linea >= 0 && static_cast<std::size_t>(linea) < righe.size() ? righe[static_cast<std::size_t>(linea)] : "";
  // Past the first comma the cursor is in a value: nothing to offer.
  if (riga.substr(0, static_cast<std::size_t>(std::max(carattere, 0))).find(',') != std::string_view::npos)
    return json::array();
  const parte_file parte = parte_della_riga(righe, static_cast<std::size_t>(std::max(linea, 0)), file_linea);
  json elenco = json::array();
  for (const record_schema& r : schema_record()) {
    if (r.parte != parte) continue;
    elenco.push_back({{"label", std::string(r.scritta)},
                      {"kind", parola_chiave},
                      {"detail", testo_utf8(r.nome)},
                      {"documentation", testo_utf8(documentazione(r))},
                      {"insertTextFormat", frammento},
                      {"insertText", frammento_record(r)}});
  }
  for (const char* i : file_linea ? std::span<const char* const>(intestazioni_linea)
                                  : std::span<const char* const>(intestazioni_treno)) {
    elenco.push_back({{"label", i}, {"kind", modulo}, {"insertTextFormat", testo_semplice}, {"insertText", i}});
  }
  return elenco;
}

}  // namespace od
