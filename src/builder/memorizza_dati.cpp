#include "builder/memorizza_dati.h"

#include "builder/lettura.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "scenario_text/nomi_file.h"

namespace od {

std::optional<std::string> leggi_descrizione(const contesto_lettura& contesto, const std::string& percorso) {
  const sorgente_descrizioni& s = contesto.sorgente;
  if (percorso == contesto.percorso_linea && s.testo_linea) return s.testo_linea;
  if (percorso == contesto.percorso_treno && s.testo_treno) return s.testo_treno;
  return leggi_file(percorso);
}

void elimina_letto(const contesto_lettura& contesto, const std::string& percorso) {
  if (contesto.sorgente.elimina) elimina_se_esiste(percorso);
}

void inizia_record(contesto_lettura& contesto, const flusso_campi& flusso, const std::string& chiave) {
  contesto.linea_record = flusso.linea();
  contesto.chiave_record = chiave;
}

void registra_codice(contesto_lettura& contesto, int32_t codice) {
  stato_scenario& stato = contesto.stato;
  stato.codice_errore = codice;
  stato.luogo = luogo_errore{contesto.file_corrente, contesto.linea_record, 0, 0, contesto.chiave_record, ""};
}

void registra_codice(contesto_lettura& contesto, int32_t codice, int32_t posizione) {
  registra_codice(contesto, codice);
  contesto.stato.posizione_errore = posizione;
}

void fallisci_valore(const flusso_campi& flusso, const std::string& motivo) {
  throw errore_lettura(motivo, flusso.linea(), flusso.colonna());
}

bool fuori_binario(const stato_scenario& stato, int64_t posizione) {
  return posizione < 0 || posizione + 100 > 50 * static_cast<int64_t>(stato.ultima_cella);
}

void memorizza_dati(stato_scenario& stato, const sorgente_descrizioni& sorgente) {
  stato.tabella[voce_percorso].nome = stato.nome_percorso;
  stato.tabella[voce_ripetizione].nome = stato.nome_treno;
  contesto_lettura contesto{.stato = stato,
                            .sorgente = sorgente,
                            .percorso_linea = nome_completo(sorgente.cartella, nome_file_linea(stato.nome_percorso)),
                            .percorso_treno = nome_completo(sorgente.cartella,
                                                            nome_file_treno(stato.nome_percorso, stato.nome_treno)),
                            .contatore_cartelli = prima_voce_cartelli,
                            .file_corrente = {},
                            .linea_record = 0,
                            .chiave_record = {}};
  try {
    if (!leggi_file_linea(contesto)) return;
    leggi_file_treno(contesto);
  } catch (const errore_lettura& e) {
    // The one handler of a read failure: both description files go, and the
    // code says that the reading broke off.
    stato.codice_errore = 25;
    stato.luogo = luogo_errore{contesto.file_corrente, contesto.linea_record != 0 ? contesto.linea_record : e.linea(),
                               e.linea(), e.colonna(), contesto.chiave_record, e.what()};
    elimina_letto(contesto, contesto.percorso_linea);
    elimina_letto(contesto, contesto.percorso_treno);
  }
}

}  // namespace od
