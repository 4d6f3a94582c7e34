#include "documents/documenti_scenario.h"

#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "scenario_text/nomi_file.h"

namespace od {

nomi_documenti nomi_documenti_scenario(const std::string& percorso, const std::string& treno) {
  return {nome_file_documento(percorso, treno, "scheda_treno"), nome_file_documento(percorso, treno, "rallentamenti")};
}

void scrivi_documenti_scenario(const std::string& cartella, const nomi_documenti& nomi, const lista_righe& scheda,
                               const lista_righe& rallentamenti, chiamate_file& chiamate) {
  sostituzione_insieme insieme(chiamate);
  insieme.prepara(nome_completo(cartella, nomi.scheda), testo_righe(scheda));
  insieme.prepara(nome_completo(cartella, nomi.rallentamenti), testo_righe(rallentamenti));
  insieme.installa();
}

}  // namespace od
