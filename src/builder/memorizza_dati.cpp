#include "builder/memorizza_dati.h"

#include "builder/codici.h"
#include "builder/errori_record.h"
#include "builder/lettura.h"
#include "platform/cartella.h"
#include "scenario_text/nomi_file.h"

namespace od {

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
    if (!spiega_errore_record(contesto, e, luogo)) {
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
