// Formatting: the columns of every record lined up as decompila_scenario
// writes them (tools/comune/colonne.h), section by section. Only a line that
// is plainly one whole record is rewritten: its key known in its part of the
// file, exactly its number of values, each value a whole number or empty (a
// closing text kept as written). Comments, headers and every other line stay
// byte for byte, so that the formatted file builds to the same model: the
// field stream skips the blanks that formatting moves, and nothing else
// changes.
#include <optional>
#include <string>
#include <vector>

#include "tools/comune/colonne.h"
#include "tools/servizio/funzioni.h"
#include "tools/servizio/righe.h"

namespace od {
namespace {

bool numero_o_vuoto(std::string_view campo) {
  std::size_t i = campo.starts_with('-') ? 1 : 0;
  if (i == 1 && campo.size() == 1) return false;
  for (; i < campo.size(); ++i) {
    if (campo[i] < '0' || campo[i] > '9') return false;
  }
  return true;
}

bool sezione_generale(std::string_view intestazione) {
  std::string minuscolo(intestazione);
  for (char& c : minuscolo) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return minuscolo.find("generale") != std::string::npos;
}

// One line as a record to lay out again, when it plainly is one.
struct riga_record {
  std::string chiave;
  std::vector<std::string> campi;
  bool ultimo_testo = false;
};

std::optional<riga_record> come_record(std::string_view riga, parte_file parte) {
  const std::vector<campo_testo> campi = campi_della_riga(riga);
  const std::string_view chiave = campi.front().testo;
  if (chiave.empty() || campo_commento(chiave) || riga_intestazione(chiave)) return std::nullopt;
  const record_schema* r = record_riconosciuto(parte, chiave);
  if (r == nullptr || campi.size() != r->campi.size() + 1) return std::nullopt;
  riga_record rr{std::string(chiave), {}, false};
  for (std::size_t n = 1; n < campi.size(); ++n) {
    if (r->campi[n - 1].letto == larghezza::testo) {
      // A text runs to the end of the line: kept whole, its blanks at the
      // end too.
      if (n + 1 != campi.size()) return std::nullopt;
      rr.campi.emplace_back(riga.substr(campi[n].colonna));
      rr.ultimo_testo = true;
    } else {
      if (!numero_o_vuoto(campi[n].testo)) return std::nullopt;
      rr.campi.emplace_back(campi[n].testo);
    }
  }
  return rr;
}

}  // namespace

std::string testo_formattato(const std::string& testo, bool file_linea) {
  const std::vector<std::string_view> righe = righe_del_testo(testo);
  // Each line as a record, when it is one, and the section it stands in.
  std::vector<std::optional<riga_record>> record(righe.size());
  std::vector<std::size_t> sezione_di(righe.size(), 0);
  std::vector<bool> generale{false};
  parte_file parte = file_linea ? parte_file::linea_generale : parte_file::treno;
  bool dopo_generale = false;
  for (std::size_t n = 0; n < righe.size(); ++n) {
    const std::string_view chiave = campi_della_riga(righe[n]).front().testo;
    if (riga_intestazione(chiave)) {
      generale.push_back(sezione_generale(chiave));
      // The line file's general section ends at the first header after it.
      if (file_linea && dopo_generale) parte = parte_file::linea_corpo;
      if (generale.back()) dopo_generale = true;
    }
    sezione_di[n] = generale.size() - 1;
    // Lines before "[generale]" are never read: left alone.
    if (dopo_generale) record[n] = come_record(righe[n], parte);
  }
  std::vector<std::vector<std::vector<std::string>>> valori(generale.size());
  for (std::size_t n = 0; n < righe.size(); ++n) {
    // As decompila_scenario counts them: a closing text too, though it is
    // never padded.
    if (record[n]) valori[sezione_di[n]].push_back(record[n]->campi);
  }
  std::vector<std::vector<std::size_t>> larghezze;
  for (const auto& v : valori) larghezze.push_back(larghezze_colonne(v));
  std::string nuovo;
  nuovo.reserve(testo.size());
  std::size_t inizio = 0;
  for (std::size_t n = 0; n < righe.size(); ++n) {
    // The line's own end, as it was (CR LF, LF, or none at the very end).
    const std::size_t fine_riga = inizio + righe[n].size();
    std::size_t dopo = testo.find('\n', fine_riga);
    dopo = dopo == std::string::npos ? testo.size() : dopo + 1;
    const std::string_view a_capo = std::string_view(testo).substr(fine_riga, dopo - fine_riga);
    const std::optional<riga_record>& r = record[n];
    if (!r) {
      nuovo.append(righe[n]);
    } else if (generale[sezione_di[n]]) {
      nuovo += riga_generale(r->chiave, r->campi);
    } else {
      nuovo += riga_allineata(r->chiave, r->campi, larghezze[sezione_di[n]], r->ultimo_testo);
    }
    nuovo.append(a_capo);
    inizio = dopo;
  }
  return nuovo == testo ? std::string{} : nuovo;
}

}  // namespace od
