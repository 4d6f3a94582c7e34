#include "tools/compila/orario.h"

#include <algorithm>
#include <cctype>

#include "percorrenza/orario.h"
#include "platform/file_atomico.h"

namespace od {

std::vector<luogo_stazione> luoghi_stazioni(const std::string& file, const std::string& testo) {
  std::vector<luogo_stazione> luoghi;
  std::size_t inizio = 0;
  for (int linea = 1; inizio < testo.size(); ++linea) {
    std::size_t fine = testo.find_first_of("\r\n", inizio);
    if (fine == std::string::npos) fine = testo.size();
    const std::string riga = testo.substr(inizio, fine - inizio);
    inizio = fine + (testo.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
    const std::size_t colonna = riga.find_first_not_of(" \t");
    if (colonna == std::string::npos) continue;
    std::string chiave = riga.substr(colonna, riga.find(',', colonna) - colonna);
    std::transform(chiave.begin(), chiave.end(), chiave.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (chiave.find("stazione") == std::string::npos || chiave.find('-') != std::string::npos ||
        chiave.find('[') != std::string::npos) {
      continue;
    }
    luoghi.push_back({file, linea, static_cast<int>(colonna) + 1, riga});
  }
  return luoghi;
}

std::string orario_costruito(const stato_scenario& stato, const opzioni_orario& o, const std::string& file_treno,
                             bool tabella, bool json, std::ostream& uscita, std::ostream& diagnostica) {
  const tabella_orario t = calcola_orario(stato, o.treno, o.margine_minimo);
  const std::vector<luogo_stazione> luoghi = luoghi_stazioni(file_treno, leggi_file(file_treno).value_or(""));
  for (const avviso_orario& a : t.avvisi) {
    // Station entry n was the n-th station record read.
    const auto n = static_cast<std::size_t>(t.stazioni[a.stazione].voce);
    luogo_stazione l;
    l.file = file_treno;
    if (n >= 1 && n <= luoghi.size()) l = luoghi[n - 1];
    diagnostica << testo_avviso_orario(t, a, l);
  }
  if (!tabella) return {};
  if (!json) {
    scrivi_tabella_orario(t, stato, o, uscita);
    return {};
  }
  return ",\"orario\":" + json_orario(t, stato, o).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace od
