// What the two halves of the reading stage share: the files, the reader's
// cursor over them, the sign entry counter that the line half hands to the
// train half, and the code the reading comes to, which memorizza_dati
// returns. A read failure travels as errore_lettura (from the field stream
// or from a value that does not fit) to its one handler in memorizza_dati.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "builder/avvisi.h"
#include "builder/codici.h"
#include "builder/sessione.h"
#include "builder/sorgente.h"
#include "modello/modello.h"
#include "scenario_text/flusso_campi.h"
#include "scenario_text/schema.h"

namespace od {

struct contesto_lettura {
  contesto_lettura(scenario& stato_letto, sessione_costruzione& sessione_lettura,
                   const sorgente_descrizioni& sorgente_letta, std::string linea, std::string treno)
      : stato(stato_letto),
        sessione(sessione_lettura),
        sorgente(sorgente_letta),
        percorso_linea(std::move(linea)),
        percorso_treno(std::move(treno)) {}

  scenario& stato;                 // what the files build
  sessione_costruzione& sessione;  // the warnings, the records' places, the mountain runs
  const sorgente_descrizioni& sorgente;
  std::string percorso_linea;  // full path of the line description file
  std::string percorso_treno;  // full path of the train description file
  // Next free sign entry of tabella, counting down from 80; the stations of
  // the train file must stay below it.
  int32_t contatore_cartelli = prima_voce_cartelli;
  // The code the reading has come to, and where; what the reading returns.
  esito_lettura esito;
  // The record under way, kept up to date by the readers whenever they read
  // a field in key position, so that a failure can point at it.
  std::string file_corrente;
  int32_t linea_record = 0;
  std::string chiave_record;
  int32_t colonna_chiave = 0;                     // 1-based column of the key field
  std::string_view testo_record;                  // the text of the record's line, in `testo_file`
  std::shared_ptr<const std::string> testo_file;  // the text of the file being read
  // The record whose values are being read, as its key is written, and how
  // many values it takes: a record cut short is told by these. `gia_letti`
  // counts the values that earlier records of the same key field took.
  std::string_view nome_record;
  int32_t valori_record = 0;
  const record_schema* schema_corrente = nullptr;  // its fields, for naming the one that is missing
  int32_t gia_letti = 0;
  // For the warnings: the last record started, its line, and the last line
  // whose rest is passed over (told once).
  std::string_view record_precedente;
  int32_t linea_ultimo_record = 0;
  int32_t linea_saltata = 0;
};

// Notes the record that the key field just read starts, and its count of
// values (an error on a record cut short names both).
void attendi_valori(contesto_lettura& contesto, const record_schema& record);

// A warning about the record under way, the caret under its key (`valore`
// 0) or under its n-th value field on the record's line.
void aggiungi_avviso(contesto_lettura& contesto, tipo_avviso tipo, std::string messaggio, int32_t valore = 0);

// Line half: returns true when the reading goes on with the train file (the
// normal end and code 15), false after any other code.
bool leggi_file_linea(contesto_lettura& contesto);
// Train half.
void leggi_file_treno(contesto_lettura& contesto);

// The text of a description file: the caller's text when it gave one, else
// the file's content; nothing when the file does not exist.
std::optional<std::string> leggi_descrizione(const contesto_lettura& contesto, const std::string& percorso);
// Why a description file that leggi_descrizione did not give cannot be read
// although something stands at its path (a folder, a broken link, no
// permission); empty when nothing is there.
std::string motivo_illeggibile(const std::string& percorso);

// Notes a field just read in key position as the record under way.
void inizia_record(contesto_lettura& contesto, const flusso_campi& flusso, const std::string& chiave);

// Where the record under way stands, with the marker under its first value
// field (the position, in every record that has one) or, with
// `sotto_la_chiave`, under the key.
luogo_errore luogo_record(const contesto_lettura& contesto, bool sotto_la_chiave);

// Notes that the record under way placed the item whose cell is `cella`.
void registra_origine(contesto_lettura& contesto, int32_t cella);

// After a code about a taken cell: names what holds cell `cella` and the
// record that put it there, when one did.
void nomina_occupante(contesto_lettura& contesto, int64_t cella);

// Records a code against the record under way; the position, where one goes
// with the code, is set by the caller in esito.posizione.
void registra_codice(contesto_lettura& contesto, codici codice);
void registra_codice(contesto_lettura& contesto, codici codice, int64_t posizione);

// A value read whole that the model cannot hold: a read failure at the field
// just read.
[[noreturn]] void fallisci_valore(const flusso_campi& flusso, const std::string& motivo);
// The same for a text longer than the table can store.
void controlla_lunghezza_testo(const flusso_campi& flusso, std::string_view testo);

// The position test: (p + 100) / 50 must not exceed the last cell, and p
// must not be negative.
bool fuori_binario(const scenario& stato, int64_t posizione);

}  // namespace od
