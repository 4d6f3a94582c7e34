#include "builder/lettura.h"

#include "builder/codici.h"
#include "elementi/tipi_oggetto.h"
#include "modello/misure_linea.h"
#include "platform/file_atomico.h"

namespace od {

std::optional<std::string> leggi_descrizione(const contesto_lettura& contesto, const std::string& percorso) {
  const sorgente_descrizioni& s = contesto.sorgente;
  if (percorso == contesto.percorso_linea && s.testo_linea) return s.testo_linea;
  if (percorso == contesto.percorso_treno && s.testo_treno) return s.testo_treno;
  return leggi_file(percorso);
}

std::string motivo_illeggibile(const std::string& percorso) {
  if (esiste_file(percorso)) return "il file c'e' ma non si puo' leggere (permessi?)";
  if (esiste_voce(percorso)) return "al suo posto c'e' una cartella o un collegamento rotto, non un file";
  return {};
}

void inizia_record(contesto_lettura& contesto, const flusso_campi& flusso, const std::string& chiave) {
  contesto.linea_record = flusso.linea();
  contesto.colonna_chiave = flusso.colonna();
  contesto.chiave_record = chiave;
  contesto.testo_record = flusso.testo_linea_campo();
  contesto.testo_file = flusso.condiviso();
  contesto.nome_record = {};
  contesto.valori_record = 0;
  contesto.schema_corrente = nullptr;
  contesto.gia_letti = 0;
}

void attendi_valori(contesto_lettura& contesto, const record_schema& record) {
  contesto.gia_letti += contesto.valori_record;
  contesto.nome_record = record.nome;
  contesto.valori_record = record.valori();
  contesto.schema_corrente = &record;
  contesto.record_precedente = record.nome;
  contesto.linea_ultimo_record = contesto.linea_record;
}

namespace {

// The first value after the key on the record's line: past the key's comma
// and the blanks after it. 0 when the line holds no value.
int32_t colonna_primo_valore(const contesto_lettura& contesto) {
  const std::string_view testo = contesto.testo_record;
  if (contesto.colonna_chiave < 1) return 0;
  std::size_t pos = testo.find(',', static_cast<std::size_t>(contesto.colonna_chiave - 1));
  if (pos == std::string::npos) return 0;
  pos = testo.find_first_not_of(" \t", pos + 1);
  return pos == std::string::npos ? 0 : static_cast<int32_t>(pos) + 1;
}

// The 1-based column of the n-th value field after the key on the record's
// line, 0 when the line has fewer.
int32_t colonna_valore(const contesto_lettura& contesto, int32_t n) {
  const std::string_view testo = contesto.testo_record;
  if (contesto.colonna_chiave < 1) return 0;
  std::size_t pos = static_cast<std::size_t>(contesto.colonna_chiave - 1);
  for (int32_t i = 0; i < n; ++i) {
    pos = testo.find(',', pos);
    if (pos == std::string::npos) return 0;
    ++pos;
  }
  pos = testo.find_first_not_of(" \t", pos);
  return pos == std::string::npos ? static_cast<int32_t>(testo.size()) + 1 : static_cast<int32_t>(pos) + 1;
}

// The key as it stands on the record's line: a view, like the line itself.
std::string_view chiave_nella_riga(const contesto_lettura& contesto) {
  if (contesto.colonna_chiave < 1 || contesto.chiave_record.empty()) return {};
  const std::size_t da = static_cast<std::size_t>(contesto.colonna_chiave - 1);
  if (da > contesto.testo_record.size()) return {};
  const std::string_view chiave = contesto.testo_record.substr(da, contesto.chiave_record.size());
  return chiave == contesto.chiave_record ? chiave : std::string_view{};
}

}  // namespace

void aggiungi_avviso(contesto_lettura& contesto, tipo_avviso tipo, std::string messaggio, int32_t valore) {
  if (!contesto.sessione.conteggio.conta(tipo, contesto.sessione.regole)) return;
  luogo_errore luogo = luogo_record(contesto, true);
  if (valore > 0) luogo.colonna = colonna_valore(contesto, valore);
  contesto.sessione.avvisi.push_back({std::string(nome_avviso(tipo)), std::move(messaggio), std::move(luogo)});
}

luogo_errore luogo_record(const contesto_lettura& contesto, bool sotto_la_chiave) {
  luogo_errore luogo;
  luogo.file = contesto.file_corrente;
  luogo.linea = contesto.linea_record;
  luogo.linea_campo = contesto.linea_record;
  luogo.colonna = sotto_la_chiave ? contesto.colonna_chiave : colonna_primo_valore(contesto);
  luogo.chiave = chiave_nella_riga(contesto);
  luogo.testo = contesto.testo_record;
  luogo.sorgente = contesto.testo_file;
  return luogo;
}

void registra_origine(contesto_lettura& contesto, int32_t cella) {
  contesto.sessione.origini[cella] = luogo_record(contesto, false);
}

namespace {

std::string_view frase_oggetto(uint8_t codice) {
  const std::optional<tipo_oggetto> tipo = tipo_noto(codice);
  return tipo ? testi(*tipo).frase : "un oggetto";
}

}  // namespace

void nomina_occupante(contesto_lettura& contesto, int64_t cella) {
  const scenario& stato = contesto.stato;
  if (cella < 0 || cella > stato.ultima_cella()) return;
  const uint8_t codice = stato.binario[static_cast<std::size_t>(cella)].oggetto;
  if (cella_libera(stato.binario[static_cast<std::size_t>(cella)])) return;  // refused for another reason
  std::string testo = "la cella " + std::to_string(cella) + " porta gia' " + std::string(frase_oggetto(codice));
  const std::map<int32_t, luogo_errore>& origini = contesto.sessione.origini;
  const auto origine = origini.find(static_cast<int32_t>(cella));
  if (origine != origini.end()) {
    const luogo_errore& l = origine->second;
    testo += ", dal record della riga " + std::to_string(l.linea);
    if (l.file != contesto.file_corrente) testo += " di " + l.file;
    testo.append(": ").append(l.testo);
  }
  contesto.esito.luogo.motivo = std::move(testo);
}

void registra_codice(contesto_lettura& contesto, codici codice) {
  contesto.esito.codice = numero(codice);
  const descrizione_codice* d = descrivi_codice(numero(codice));
  contesto.esito.luogo = luogo_record(contesto, d == nullptr || !d->con_posizione);
}

void registra_codice(contesto_lettura& contesto, codici codice, int64_t posizione) {
  registra_codice(contesto, codice);
  contesto.esito.posizione = posizione;
}

void fallisci_valore(const flusso_campi& flusso, const std::string& motivo) {
  throw errore_lettura(motivo, flusso.linea(), flusso.colonna());
}

// Cut, the text would lose its end with no word to the author.
void controlla_lunghezza_testo(const flusso_campi& flusso, std::string_view testo) {
  if (testo.size() <= lunghezza_massima_testo) return;
  fallisci_valore(flusso, "testo di " + std::to_string(testo.size()) + " caratteri: la tabella ne tiene al massimo " +
                              std::to_string(lunghezza_massima_testo));
}

bool fuori_binario(const scenario& stato, int64_t posizione) {
  return posizione < 0 || posizione + 100 > inizio_cella(stato.ultima_cella());
}

}  // namespace od
