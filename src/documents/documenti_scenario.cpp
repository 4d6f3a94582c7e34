#include "documents/documenti_scenario.h"

#include "scenario_text/nomi_file.h"

namespace od {

nomi_documenti nomi_documenti_scenario(const std::string& percorso, const std::string& treno) {
  return {nome_file_documento(percorso, treno, "scheda_treno"), nome_file_documento(percorso, treno, "rallentamenti")};
}

}  // namespace od
