#include "builder/memorizza_dati.h"

#include <algorithm>

#include "builder/codici.h"
#include "builder/lettura.h"
#include "platform/cartella.h"
#include "scenario_text/nomi_file.h"

namespace od {
namespace {

// The values on the record's line: a field after each comma past the key,
// and within a field each number that blanks set apart (the clock's three).
int32_t valori_sulla_riga(const contesto_lettura& contesto) {
  const std::string& testo = contesto.testo_record;
  if (contesto.colonna_chiave < 1) return 0;
  int32_t valori = 0;
  std::size_t pos = testo.find(',', static_cast<std::size_t>(contesto.colonna_chiave - 1));
  while (pos != std::string::npos) {
    const std::size_t fine = std::min(testo.find(',', pos + 1), testo.size());
    int32_t parole = 0;
    for (std::size_t i = pos + 1; i < fine; ++i) {
      const bool inizio =
          testo[i] != ' ' && testo[i] != '\t' && (testo[i - 1] == ' ' || testo[i - 1] == '\t' || i == pos + 1);
      if (inizio) ++parole;
    }
    valori += std::max(parole, 1);  // a field of blanks reads 0: a value all the same
    pos = fine < testo.size() ? fine : std::string::npos;
  }
  return valori;
}

// A record whose values run past its line or past the end of the file: the
// record had too few. Said that way, at the record's own line, with the
// caret after its last value.
bool record_corto(contesto_lettura& contesto, const errore_lettura& e, luogo_errore& luogo) {
  if (contesto.nome_record.empty() || contesto.linea_record == 0) return false;
  const bool fine_file = std::string_view(e.what()) == messaggio_fine_file;
  if (!fine_file && e.linea() == contesto.linea_record) return false;
  const int32_t presenti = valori_sulla_riga(contesto) - contesto.gia_letti;
  if (presenti >= contesto.valori_record) return false;
  const std::string& testo = contesto.testo_record;
  const std::size_t ultimo = testo.find_last_not_of(" \t");
  luogo.linea_campo = contesto.linea_record;
  luogo.colonna = ultimo == std::string::npos ? 1 : static_cast<int32_t>(ultimo) + 2;
  luogo.motivo = "il record '" + std::string(contesto.nome_record) + "' vuole " +
                 std::to_string(contesto.valori_record) + " valori, ne ha " + std::to_string(std::max(presenti, 0));
  return true;
}

}  // namespace

esito_lettura memorizza_dati(scenario& stato, sessione_costruzione& sessione, const sorgente_descrizioni& sorgente) {
  stato.tabella[voce_percorso].nome = stato.nome_percorso;
  stato.tabella[voce_ripetizione].nome = stato.nome_treno;
  contesto_lettura contesto(stato, sessione, sorgente,
                            nome_completo(sorgente.cartella, nome_file_linea(stato.nome_percorso)),
                            nome_completo(sorgente.cartella, nome_file_treno(stato.nome_percorso, stato.nome_treno)));
  try {
    if (leggi_file_linea(contesto)) leggi_file_treno(contesto);
  } catch (const errore_lettura& e) {
    // The one handler of a read failure: the code says that the reading
    // broke off.
    luogo_errore luogo = luogo_record(contesto, true);
    if (luogo.linea == 0) luogo.linea = e.linea();
    if (!record_corto(contesto, e, luogo)) {
      luogo.linea_campo = e.linea();
      luogo.colonna = e.colonna();
      luogo.motivo = e.what();
    }
    contesto.esito.codice = numero(codici::lettura);
    contesto.esito.luogo = std::move(luogo);
  }
  return contesto.esito;
}

}  // namespace od
