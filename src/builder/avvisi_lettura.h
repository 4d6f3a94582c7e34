// The warnings that both readers give about fields in key position: a field
// that starts no record, a comment read as a key, a lone last field. They
// only look at what the reader has just read and never change it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "builder/lettura.h"
#include "scenario_text/schema.h"

namespace od {

// A key as the handbook writes it, and the words that recognise it.
struct chiave_nota {
  std::string_view scritta;
  std::string_view parola;
  std::string_view anche = {};  // a second word that must be there too, or empty
};

// The keys of one part of a file, every way the schema writes them, in the
// schema's order (the first of two equally near wins).
std::span<const chiave_nota> chiavi_di(parte_file parte);

// The key nearest to `campo`: one that it holds in another letter case, or
// one a few letters away. Empty when none is near.
std::string chiave_vicina(std::string_view campo, std::span<const chiave_nota> chiavi);

// The field just read in key position started no record. `qui` is the part
// of the file where it stands, `altrove` the file's other part, if any,
// named by `dove_altrove` ("nella sezione generale", ...).
void avvisa_campo_senza_chiave(contesto_lettura& contesto, parte_file qui, std::optional<parte_file> altrove,
                               std::string_view dove_altrove);

// A comment that one too many in a row makes the reader test as a key.
void avvisa_commento_come_chiave(contesto_lettura& contesto, int32_t commenti_ammessi);

// The lone last field, which the reader never interprets.
void avvisa_ultimo_campo(contesto_lettura& contesto, const std::string& campo);

// A header: both brackets, not a comment. Never a key, never warned about.
bool intestazione(std::string_view campo);

// A record whose last value came from a later line.
void avvisa_se_su_piu_righe(contesto_lettura& contesto, const flusso_campi& flusso);

}  // namespace od
