// The records of the two description files, described once: for every kind
// of record, the words that recognise its key and their letter-case rule,
// the part of the file where it counts, and each value field with its name,
// its width as read, the range that the model keeps and its meaning (the
// handbook's words).
//
// Everything that knows a record takes it from here: the readers' dispatch
// (the kind behind a key field and how many values it takes), the "did you
// mean" suggestions, the narrowing warnings (a value outside `minimo` ..
// `massimo` is stored otherwise than written), the decompiler's column
// comments and the handbook's key tables, which a test compares with this
// list both ways.
//
// To add a record: add its kind to `tipo_record`, its fields and its entry
// below; the compiler then asks for its handler in the reader's switch, and
// the handbook test for its row in the key table.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

namespace od {

enum class tipo_record {
  // Line file, general section.
  lunghezza_percorso,
  progressiva_uno,
  progressiva_due,
  progressiva_tre,
  sfondo_uno,
  sfondo_due,
  sfondo_tre,
  ripetizione_segnali,
  // Line file, body.
  pendenza,
  curva,
  montagna,
  indicatori_vmax,
  cartello_indicatore,
  // Train file.
  massa_frenata,
  numero_vetture,
  velocita,
  aderenza,
  orologio,
  sabbia,
  segnale,
  rallentamento,
  abbattimento,
  stazione,
};

enum class parte_file {
  linea_generale,  // the line file, up to the first section header after "[generale]"
  linea_corpo,     // the line file, after it
  treno,           // the train file, after "[generale]"
};

// How a field is read: a width out of which a number is a read failure.
enum class larghezza { lungo, corto, byte, testo };

struct campo_schema {
  std::string_view nome;
  larghezza letto;
  // What the model keeps of it: outside this range the value is stored
  // otherwise than written (the narrowing warnings).
  int64_t minimo;
  int64_t massimo;
  std::string_view significato;
};

struct record_schema {
  tipo_record tipo;
  parte_file parte;
  std::string_view scritta;        // as the handbook writes the key
  std::string_view altra_scritta;  // a second way to write it, or empty
  std::string_view nome;           // as the messages name the record
  std::string_view parola;         // the words that recognise the key
  std::string_view anche;          // a second word that must be there too, or empty
  bool maiuscole_esatte;           // the words count only in lower case
  std::span<const campo_schema> campi;

  // The key field `campo` holds this record's words (the curve's
  // dependence on the plan is the reader's own).
  bool riconosce(std::string_view campo) const;
  int32_t valori() const { return static_cast<int32_t>(campi.size()); }
};

// Every record, in the order in which the readers test a key field: in the
// train file a field holding several keys reads their records in this order.
std::span<const record_schema> schema_record();
const record_schema& record_di(tipo_record tipo);
// The value field `n` (1-based, as the warnings count them) of a record.
const campo_schema& campo_di(tipo_record tipo, int32_t n);
// The first record of `parte` that a key field holds, if any.
const record_schema* record_riconosciuto(parte_file parte, std::string_view campo);

// Whether `valore` is kept as written by field `n` of `tipo`.
inline bool nel_campo(tipo_record tipo, int32_t n, int64_t valore) {
  const campo_schema& c = campo_di(tipo, n);
  return valore >= c.minimo && valore <= c.massimo;
}

inline std::string_view nome_larghezza(larghezza l) {
  switch (l) {
    case larghezza::lungo:
      return "lungo";
    case larghezza::corto:
      return "corto";
    case larghezza::byte:
      return "byte";
    case larghezza::testo:
      return "testo";
  }
  return {};
}

}  // namespace od
