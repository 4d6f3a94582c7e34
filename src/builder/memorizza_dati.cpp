#include "builder/memorizza_dati.h"

#include "builder/codici.h"
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
  contesto.colonna_chiave = flusso.colonna();
  contesto.chiave_record = chiave;
  contesto.testo_record = flusso.testo_linea_campo();
}

namespace {

// The first value after the key on the record's line: past the key's comma
// and the blanks after it. 0 when the line holds no value.
int32_t colonna_primo_valore(const contesto_lettura& contesto) {
  const std::string& testo = contesto.testo_record;
  if (contesto.colonna_chiave < 1) return 0;
  std::size_t pos = testo.find(',', static_cast<std::size_t>(contesto.colonna_chiave - 1));
  if (pos == std::string::npos) return 0;
  pos = testo.find_first_not_of(" \t", pos + 1);
  return pos == std::string::npos ? 0 : static_cast<int32_t>(pos) + 1;
}

}  // namespace

luogo_errore luogo_record(const contesto_lettura& contesto, bool sotto_la_chiave) {
  luogo_errore luogo;
  luogo.file = contesto.file_corrente;
  luogo.linea = contesto.linea_record;
  luogo.linea_campo = contesto.linea_record;
  luogo.colonna = sotto_la_chiave ? contesto.colonna_chiave : colonna_primo_valore(contesto);
  luogo.chiave = contesto.chiave_record;
  luogo.testo = contesto.testo_record;
  return luogo;
}

void registra_origine(contesto_lettura& contesto, int32_t cella) {
  contesto.stato.origini[cella] = luogo_record(contesto, false);
}

void registra_codice(contesto_lettura& contesto, int32_t codice) {
  stato_scenario& stato = contesto.stato;
  stato.codice_errore = codice;
  const descrizione_codice* d = descrivi_codice(codice);
  stato.luogo = luogo_record(contesto, d == nullptr || !d->con_posizione);
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
  contesto_lettura contesto(stato, sorgente, nome_completo(sorgente.cartella, nome_file_linea(stato.nome_percorso)),
                            nome_completo(sorgente.cartella, nome_file_treno(stato.nome_percorso, stato.nome_treno)));
  try {
    if (!leggi_file_linea(contesto)) return;
    leggi_file_treno(contesto);
  } catch (const errore_lettura& e) {
    // The one handler of a read failure: both description files go, and the
    // code says that the reading broke off.
    stato.codice_errore = 25;
    luogo_errore luogo = luogo_record(contesto, true);
    if (luogo.linea == 0) luogo.linea = e.linea();
    luogo.linea_campo = e.linea();
    luogo.colonna = e.colonna();
    luogo.motivo = e.what();
    stato.luogo = std::move(luogo);
    elimina_letto(contesto, contesto.percorso_linea);
    elimina_letto(contesto, contesto.percorso_treno);
  }
}

}  // namespace od
