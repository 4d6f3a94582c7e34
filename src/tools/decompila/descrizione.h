// A description file as rows of fields, before it becomes text: sections
// under their headers, each row a key and its value fields. The text is laid
// out like the built-in scenario: the general section as "key,    value",
// the body in columns aligned section by section, so that an author can read
// down a column and edit a value in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scenario_text/schema.h"

namespace od {

struct riga_descrizione {
  std::string chiave;
  std::vector<std::string> campi;
  // The last field is a text (a name, a sign's text) that runs to the end
  // of the line: it is never padded.
  bool ultimo_testo = false;
};

struct sezione_descrizione {
  std::string intestazione;  // "[generale]", "[curve]", ...
  std::vector<riga_descrizione> righe;
  bool allineata = true;  // columns padded to a common width
};

struct descrizione_file {
  std::vector<sezione_descrizione> sezioni;
};

// The whole file, CR LF after every line, ending with "[fine]".
std::string testo_descrizione(const descrizione_file& d);

// A row of numbers under `chiave`, or under the key of record `tipo` as the
// schema writes it.
riga_descrizione riga_numeri(std::string chiave, std::initializer_list<int64_t> numeri);
riga_descrizione riga_numeri(tipo_record tipo, std::initializer_list<int64_t> numeri);

}  // namespace od
