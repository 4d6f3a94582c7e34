#include "platform/file_atomico.h"

#include <algorithm>
#include <string_view>

#include "platform/file_atomico_sistema.h"
#include "platform/intento.h"

namespace od {

errore_file::errore_file(std::string percorso, std::string motivo)
    : std::runtime_error(percorso + ": " + motivo), percorso_(std::move(percorso)), motivo_(std::move(motivo)) {}

namespace sistema {

std::optional<std::string> motivo_comune(std::error_condition condizione) {
  if (condizione.category() != std::generic_category()) return std::nullopt;
  switch (static_cast<std::errc>(condizione.value())) {
    case std::errc::no_space_on_device:
      return "spazio esaurito sul disco";
    case std::errc::read_only_file_system:
      return "il disco e' in sola lettura";
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
      return "permesso negato";
    case std::errc::filename_too_long:
      return "nome troppo lungo";
    case std::errc::no_such_file_or_directory:
      return "file o cartella inesistente";
    case std::errc::not_a_directory:
      return "una parte del percorso non e' una cartella";
    case std::errc::is_a_directory:
      return "e' una cartella";
    case std::errc::file_too_large:
      return "file troppo grande";
    case std::errc::io_error:
      return "errore di lettura o scrittura sul disco";
    default:
      return std::nullopt;
  }
}

std::string motivo_di(std::error_code errore) {
  return motivo_comune(errore.default_error_condition()).value_or(errore.message());
}

void riempi_nome_temporaneo(std::string& modello, std::size_t da, uint64_t& seme) {
  static constexpr std::string_view alfabeto = "abcdefghijklmnopqrstuvwxyz0123456789";
  seme = seme * 6364136223846793005ULL + 1442695040888963407ULL;
  uint64_t valore = seme >> 16;
  for (std::size_t i = 0; i < 6; ++i) {
    modello[da + i] = alfabeto[valore % alfabeto.size()];
    valore /= alfabeto.size();
  }
}

namespace {

constexpr std::string_view segno_temporaneo = ".tmp-";
// The longest file name that the common file systems take, in bytes.
constexpr std::size_t nome_massimo = 255;

}  // namespace

// A name that fits leaves room for the mark and six characters only when it
// is shorter by that much; a longer one gives up its end, cut between two
// characters (a UTF-8 character is never split, which Windows would refuse).
std::string prefisso_temporaneo(std::string_view nome) {
  const std::size_t massimo = nome_massimo - segno_temporaneo.size() - 6;
  if (nome.size() <= massimo) return std::string(nome);
  std::size_t fine = massimo;
  while (fine > 0 && (static_cast<unsigned char>(nome[fine]) & 0xC0) == 0x80) --fine;
  return std::string(nome.substr(0, fine));
}

bool temporaneo_di(std::string_view voce, const std::vector<std::string>& nomi) {
  return std::any_of(nomi.begin(), nomi.end(), [voce](const std::string& nome) {
    const std::string prefisso = prefisso_temporaneo(nome);
    return voce.size() == prefisso.size() + segno_temporaneo.size() + 6 && voce.starts_with(prefisso) &&
           voce.substr(prefisso.size(), segno_temporaneo.size()) == segno_temporaneo;
  });
}

}  // namespace sistema

namespace {

// Writes everything, resuming after short writes and interrupted calls.
void scrivi_tutto(chiamate_file& chiamate, int fd, std::string_view contenuto, const std::string& percorso) {
  std::size_t scritti = 0;
  while (scritti < contenuto.size()) {
    const ssize_t n = chiamate.scrivi(fd, contenuto.data() + scritti, contenuto.size() - scritti);
    if (n < 0 && sistema::scrittura_interrotta()) continue;
    if (n == 0) sistema::segna_disco_pieno();
    if (n <= 0) throw errore_file(percorso, "scrittura non riuscita: " + sistema::motivo_ultimo_errore());
    scritti += static_cast<std::size_t>(n);
  }
}

}  // namespace

sostituzione_insieme::sostituzione_insieme(chiamate_file& chiamate, sincronia sincronia)
    : chiamate_(chiamate), sincronia_(sincronia) {}

sostituzione_insieme::~sostituzione_insieme() {
  for (const preparato& p : preparati_) chiamate_.elimina(p.temporaneo.c_str());
}

void sostituzione_insieme::prepara(const std::string& percorso, const produttore_contenuto& contenuto) {
  sistema::limite_dimensione_come_errore();
  // A folder in the file's place would stop the set halfway through its
  // renames: it is found here, before anything is replaced.
  if (sistema::e_cartella(percorso)) throw errore_file(percorso, "al suo posto c'e' una cartella, non un file");
  const std::string nome = sistema::nome_nella_cartella(percorso);
  if (nome.size() > sistema::nome_massimo) {
    throw errore_file(percorso, "nome troppo lungo: " + std::to_string(nome.size()) +
                                    " byte, il file system ne tiene " + std::to_string(sistema::nome_massimo));
  }
  std::string temporaneo = percorso.substr(0, percorso.size() - nome.size()) + sistema::prefisso_temporaneo(nome) +
                           std::string(sistema::segno_temporaneo) + "XXXXXX";
  const int fd = chiamate_.crea_temporaneo(temporaneo);
  if (fd < 0) throw errore_file(percorso, "impossibile creare il file: " + sistema::motivo_ultimo_errore());
  try {
    contenuto([&](std::string_view parte) { scrivi_tutto(chiamate_, fd, parte, percorso); });
    if (sincronia_ != sincronia::nessuna && chiamate_.sincronizza(fd) != 0) {
      throw errore_file(percorso, "sincronizzazione non riuscita: " + sistema::motivo_ultimo_errore());
    }
    if (chiamate_.copia_permessi(fd, percorso.c_str()) != 0) {
      throw errore_file(percorso, "impossibile copiare i permessi del file: " + sistema::motivo_ultimo_errore());
    }
  } catch (...) {
    chiamate_.chiudi(fd);
    chiamate_.elimina(temporaneo.c_str());
    throw;
  }
  if (chiamate_.chiudi(fd) != 0) {
    const std::string motivo = sistema::motivo_ultimo_errore();
    chiamate_.elimina(temporaneo.c_str());
    throw errore_file(percorso, "chiusura non riuscita: " + motivo);
  }
  preparati_.push_back({percorso, std::move(temporaneo)});
}

void sostituzione_insieme::prepara(const std::string& percorso, std::string_view contenuto) {
  prepara(percorso, [contenuto](const std::function<void(std::string_view)>& scrivi) { scrivi(contenuto); });
}

namespace {

// The renames of a set in each of its folders, by names within the folder.
std::vector<std::pair<std::string, std::vector<rinomina_prevista>>> per_cartella(
    const std::vector<std::pair<std::string, std::string>>& coppie) {
  std::vector<std::pair<std::string, std::vector<rinomina_prevista>>> cartelle;
  for (const auto& [temporaneo, percorso] : coppie) {
    std::string cartella = sistema::cartella_di(percorso);
    auto dove =
        std::find_if(cartelle.begin(), cartelle.end(), [&cartella](const auto& c) { return c.first == cartella; });
    if (dove == cartelle.end()) dove = cartelle.insert(cartelle.end(), {std::move(cartella), {}});
    dove->second.push_back({sistema::nome_nella_cartella(temporaneo), sistema::nome_nella_cartella(percorso)});
  }
  return cartelle;
}

}  // namespace

// One file is replaced by one rename, whole or not at all. Several are
// recorded first (intento.h): a kill between two renames leaves the record,
// and the next writer finishes them.
void sostituzione_insieme::installa() {
  std::vector<std::pair<std::string, std::string>> coppie;
  for (const preparato& p : preparati_) coppie.emplace_back(p.temporaneo, p.percorso);
  const auto cartelle = per_cartella(coppie);
  const bool con_intento = preparati_.size() > 1;
  if (con_intento) {
    for (const auto& [cartella, rinomine] : cartelle) scrivi_intento(cartella, rinomine, chiamate_, sincronia_);
  }
  while (!preparati_.empty()) {
    const preparato p = preparati_.front();
    if (chiamate_.rinomina(p.temporaneo.c_str(), p.percorso.c_str()) != 0) {
      const std::string motivo = sistema::motivo_ultimo_errore();
      // The record names the temporaries still to rename: they stay for the
      // next writer, which finishes the set.
      if (con_intento) preparati_.clear();
      throw errore_file(p.percorso, "impossibile sostituire il file: " + motivo);
    }
    preparati_.erase(preparati_.begin());
  }
  // A record is removed only once the renames it names are durable.
  if (sincronia_ == sincronia::completa || (con_intento && sincronia_ != sincronia::nessuna)) {
    for (const auto& c : cartelle) sincronizza_cartella(c.first, chiamate_);
  }
  if (con_intento) {
    for (const auto& c : cartelle) rimuovi_intento(c.first, chiamate_);
  }
}

void sostituisci_file(const std::string& percorso, const produttore_contenuto& contenuto, chiamate_file& chiamate,
                      sincronia sincronia) {
  sostituzione_insieme sostituzione(chiamate, sincronia);
  sostituzione.prepara(percorso, contenuto);
  sostituzione.installa();
}

// Without this a power cut soon after the renames could still bring back the
// old names.
void sincronizza_cartella(const std::string& cartella, chiamate_file& chiamate) {
  if (chiamate.sincronizza_cartella(cartella.c_str()) != 0) {
    throw errore_file(cartella, "sincronizzazione della cartella non riuscita: " + sistema::motivo_ultimo_errore());
  }
}

}  // namespace od
