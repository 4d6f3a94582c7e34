#include "builder/errori_record.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

namespace od {
namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }
bool cifra(char c) { return c >= '0' && c <= '9'; }

// The values on the record's line that start before index `limite`: a field
// after each comma past the key, and within a field each number that blanks
// set apart (the clock's three); a word that is no number runs, as a text
// field does, to the comma. A field of blanks reads 0: a value all the same.
int32_t valori_prima_di(const contesto_lettura& contesto, std::size_t limite) {
  const std::string_view testo = contesto.testo_record;
  if (contesto.colonna_chiave < 1) return 0;
  const bool tutta = limite >= testo.size();
  int32_t valori = 0;
  std::size_t pos = testo.find(',', static_cast<std::size_t>(contesto.colonna_chiave - 1));
  while (pos != std::string::npos && pos < limite) {
    const std::size_t fine = std::min(testo.find(',', pos + 1), testo.size());
    int32_t parole = 0;
    bool vuoto = true;
    for (std::size_t i = pos + 1; i < fine; ++i) {
      if (blank(testo[i]) || (i > pos + 1 && !blank(testo[i - 1]))) continue;
      vuoto = false;
      if (i < limite) ++parole;
      if (!cifra(testo[i]) && testo[i] != '-') break;
    }
    valori += vuoto && (tutta || fine < limite) ? 1 : parole;
    pos = fine < testo.size() ? fine : std::string::npos;
  }
  return valori;
}

int32_t valori_sulla_riga(const contesto_lettura& contesto) {
  return valori_prima_di(contesto, contesto.testo_record.size());
}

// The field that starts at 1-based `colonna` of the record's line, up to its
// comma, without trailing blanks.
std::string_view campo_alla_colonna(const contesto_lettura& contesto, int32_t colonna) {
  const std::string_view testo = contesto.testo_record;
  if (colonna < 1 || static_cast<std::size_t>(colonna) > testo.size()) return {};
  std::string_view campo = testo.substr(static_cast<std::size_t>(colonna - 1));
  campo = campo.substr(0, campo.find(','));
  while (!campo.empty() && blank(campo.back())) campo.remove_suffix(1);
  return campo;
}

// Two or three groups of digits joined by points or colons: a time of day
// written as one field ("07.26.00", "6:55:00", "7.26").
std::optional<std::string> come_ora(std::string_view campo, std::string_view separatore) {
  std::string tre;
  int32_t gruppi = 0;
  std::size_t i = 0;
  while (i < campo.size()) {
    const std::size_t inizio = i;
    while (i < campo.size() && cifra(campo[i])) ++i;
    if (i == inizio) return std::nullopt;
    if (gruppi > 0) tre += separatore;
    tre += campo.substr(inizio, i - inizio);
    ++gruppi;
    if (i == campo.size()) break;
    if (campo[i] != '.' && campo[i] != ':') return std::nullopt;
    if (++i == campo.size()) return std::nullopt;
  }
  if (gruppi < 2 || gruppi > 3) return std::nullopt;
  return tre;
}

std::string nome_campo(const campo_schema& c) {
  return "'" + std::string(c.nome) + "' (" + std::string(c.significato) + ")";
}

// A record whose values run past its line or past the end of the file: the
// record had too few. Said that way, at the record's own line, with the
// caret after its last value.
bool record_corto(const contesto_lettura& contesto, const errore_lettura& e, luogo_errore& luogo) {
  const bool fine_file = std::string_view(e.what()) == messaggio_fine_file;
  if (!fine_file && e.linea() == contesto.linea_record) return false;
  const int32_t presenti = valori_sulla_riga(contesto) - contesto.gia_letti;
  if (presenti >= contesto.valori_record) return false;
  const std::string_view testo = contesto.testo_record;
  const std::size_t ultimo = testo.find_last_not_of(" \t");
  luogo.linea_campo = contesto.linea_record;
  luogo.colonna = ultimo == std::string::npos ? 1 : static_cast<int32_t>(ultimo) + 2;
  luogo.motivo = "il record '" + std::string(contesto.nome_record) + "' vuole " +
                 std::to_string(contesto.valori_record) + " valori, ne ha " + std::to_string(std::max(presenti, 0));
  return true;
}

// A text where the record wants a number, on the record's own line. With
// points or colons between digits, in a field of hours, minutes or seconds,
// it is a time written as one field; on a line with too few values it is a
// later field moved forward by a missing one, most often the record's text
// (a station's name).
bool testo_al_posto_di_numero(const contesto_lettura& contesto, const errore_lettura& e, luogo_errore& luogo) {
  if (e.linea() != contesto.linea_record || std::string_view(e.what()) != "atteso un numero intero") return false;
  const record_schema* r = contesto.schema_corrente;
  if (r == nullptr) return false;
  const std::string_view campo = campo_alla_colonna(contesto, e.colonna());
  const int32_t n = valori_prima_di(contesto, static_cast<std::size_t>(e.colonna() - 1)) + 1 - contesto.gia_letti;
  if (n < 1 || n > r->valori()) return false;
  const campo_schema& atteso = campo_di(r->tipo, n);
  luogo.linea_campo = e.linea();  // the caret stays under the field read
  luogo.colonna = e.colonna();
  const bool orologio = r->tipo == tipo_record::orologio;
  const bool ora = atteso.nome == "ore" || atteso.nome == "minuti" || atteso.nome == "secondi";
  if (const std::optional<std::string> tre = ora ? come_ora(campo, orologio ? " " : ", ") : std::nullopt) {
    luogo.motivo = "'" + std::string(campo) + "' non e' un numero: ore, minuti e secondi sono tre campi" +
                   (orologio ? " separati da spazi" : "") + ", si scrive " + *tre;
    return true;
  }
  const int32_t presenti = valori_sulla_riga(contesto) - contesto.gia_letti;
  if (presenti >= r->valori()) return false;
  std::string motivo = "il record '" + std::string(r->nome) + "' vuole " + std::to_string(r->valori()) +
                       " valori, ne ha " + std::to_string(presenti) + ": '" + std::string(campo) +
                       "' e' letto come valore " + std::to_string(n) + " " + nome_campo(atteso);
  const auto testo = std::find_if(r->campi.begin() + static_cast<std::ptrdiff_t>(n), r->campi.end(),
                                  [](const campo_schema& c) { return c.letto == larghezza::testo; });
  if (testo != r->campi.end()) {
    motivo +=
        " ma sembra il valore " + std::to_string(testo - r->campi.begin() + 1) + " '" + std::string(testo->nome) + "'";
  }
  luogo.motivo = motivo + ": manca probabilmente " + nome_campo(atteso) + ", o un valore prima";
  return true;
}

// One insert, delete, change or swap of two neighbours turns a into b.
bool una_modifica(std::string_view a, std::string_view b) {
  if (a == b) return false;
  if (a.size() > b.size()) std::swap(a, b);
  if (b.size() - a.size() > 1) return false;
  std::size_t i = 0;
  while (i < a.size() && a[i] == b[i]) ++i;
  if (a.size() < b.size()) return a.substr(i) == b.substr(i + 1);
  if (a.substr(i + 1) == b.substr(i + 1)) return true;
  return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] && a.substr(i + 2) == b.substr(i + 2);
}

}  // namespace

bool spiega_errore_record(const contesto_lettura& contesto, const errore_lettura& e, luogo_errore& luogo) {
  if (contesto.nome_record.empty() || contesto.linea_record == 0) return false;
  return record_corto(contesto, e, luogo) || testo_al_posto_di_numero(contesto, e, luogo);
}

std::string file_vicino(const std::string& atteso, const std::vector<std::string>& presenti) {
  std::vector<std::string> vicini;
  for (const std::string& nome : presenti) {
    if (una_modifica(atteso, nome)) vicini.push_back(nome);
  }
  if (vicini.empty()) return {};
  std::sort(vicini.begin(), vicini.end());
  std::string testo = "nella cartella c'e' ";
  for (std::size_t i = 0; i < vicini.size(); ++i) testo += (i > 0 ? ", '" : "'") + vicini[i] + "'";
  return testo + ": va rinominato in '" + atteso + "'?";
}

}  // namespace od
