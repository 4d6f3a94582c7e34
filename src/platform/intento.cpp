#include "platform/intento.h"

#include "platform/cartella.h"
#include "platform/file_atomico_sistema.h"

namespace od {
namespace {

// A first line that says what the file is, then each rename as two names
// ended by a NUL byte, the one character that no file name holds.
constexpr std::string_view intestazione = "sostituzione di file in corso\n";

std::string testo_intento(const std::vector<rinomina_prevista>& rinomine) {
  std::string testo(intestazione);
  for (const rinomina_prevista& r : rinomine) {
    testo.append(r.temporaneo).push_back('\0');
    testo.append(r.finale).push_back('\0');
  }
  return testo;
}

// The renames of a record, or nothing when the file is not one.
std::optional<std::vector<rinomina_prevista>> leggi_rinomine(std::string_view testo) {
  if (!testo.starts_with(intestazione)) return std::nullopt;
  testo.remove_prefix(intestazione.size());
  std::vector<std::string> nomi;
  while (!testo.empty()) {
    const std::size_t fine = testo.find('\0');
    if (fine == std::string_view::npos || fine == 0) return std::nullopt;
    nomi.emplace_back(testo.substr(0, fine));
    testo.remove_prefix(fine + 1);
  }
  if (nomi.size() % 2 != 0) return std::nullopt;
  std::vector<rinomina_prevista> rinomine;
  for (std::size_t i = 0; i < nomi.size(); i += 2) rinomine.push_back({nomi[i], nomi[i + 1]});
  return rinomine;
}

std::string percorso_intento(const std::string& cartella) { return nome_completo(cartella, nome_intento); }

}  // namespace

void scrivi_intento(const std::string& cartella, const std::vector<rinomina_prevista>& rinomine,
                    chiamate_file& chiamate, sincronia sincronia) {
  // The folder is synced after the renames that follow, which makes this
  // name durable with them: one sync of the record's bytes is enough.
  sostituisci_file(percorso_intento(cartella), testo_intento(rinomine), chiamate,
                   sincronia == sincronia::nessuna ? sincronia::nessuna : sincronia::senza_cartella);
}

void rimuovi_intento(const std::string& cartella, chiamate_file& chiamate) {
  chiamate.elimina(percorso_intento(cartella).c_str());
}

void completa_sostituzione_interrotta(const std::string& cartella, chiamate_file& chiamate) {
  const std::string percorso = percorso_intento(cartella);
  // The record's own temporary, from a run killed while writing it, names
  // nothing that was renamed.
  elimina_temporanei_rimasti(cartella, {std::string(nome_intento)});
  if (!esiste_file(percorso)) return;
  const std::optional<std::string> testo = leggi_file(percorso);
  const std::optional<std::vector<rinomina_prevista>> rinomine =
      testo ? leggi_rinomine(*testo) : std::optional<std::vector<rinomina_prevista>>{};
  if (!rinomine) {
    throw errore_file(percorso,
                      "registro di una sostituzione interrotta illeggibile: eliminarlo e ricostruire lo scenario");
  }
  for (const rinomina_prevista& r : *rinomine) {
    const std::string da = nome_completo(cartella, r.temporaneo);
    if (!esiste_file(da)) continue;  // renamed before the run was stopped
    const std::string a = nome_completo(cartella, r.finale);
    if (chiamate.rinomina(da.c_str(), a.c_str()) != 0) {
      throw errore_file(a, "impossibile completare la sostituzione interrotta (" + sistema::motivo_ultimo_errore() +
                               "): liberare il posto del file, o eliminare " + percorso + " e ricostruire lo scenario");
    }
  }
  sincronizza_cartella(cartella, chiamate);
  rimuovi_intento(cartella, chiamate);
}

std::optional<std::string> sostituzione_incompleta(const std::string& cartella) {
  const std::string percorso = percorso_intento(cartella);
  if (!esiste_file(percorso)) return std::nullopt;
  const std::optional<std::string> testo = leggi_file(percorso);
  const std::optional<std::vector<rinomina_prevista>> rinomine =
      testo ? leggi_rinomine(*testo) : std::optional<std::vector<rinomina_prevista>>{};
  if (!rinomine) return percorso;
  for (const rinomina_prevista& r : *rinomine) {
    if (esiste_file(nome_completo(cartella, r.temporaneo))) return nome_completo(cartella, r.finale);
  }
  return std::nullopt;
}

}  // namespace od
