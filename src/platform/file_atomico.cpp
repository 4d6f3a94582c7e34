#include "platform/file_atomico.h"

#include <algorithm>
#include <string_view>

#include "platform/file_atomico_sistema.h"

namespace od {

errore_file::errore_file(std::string percorso, std::string motivo)
    : std::runtime_error(percorso + ": " + motivo), percorso_(std::move(percorso)), motivo_(std::move(motivo)) {}

namespace sistema {

void riempi_nome_temporaneo(std::string& modello, std::size_t da, uint64_t& seme) {
  static constexpr std::string_view alfabeto = "abcdefghijklmnopqrstuvwxyz0123456789";
  seme = seme * 6364136223846793005ULL + 1442695040888963407ULL;
  uint64_t valore = seme >> 16;
  for (std::size_t i = 0; i < 6; ++i) {
    modello[da + i] = alfabeto[valore % alfabeto.size()];
    valore /= alfabeto.size();
  }
}

bool temporaneo_di(std::string_view voce, const std::vector<std::string>& nomi) {
  static constexpr std::string_view segno = ".tmp-";
  return std::any_of(nomi.begin(), nomi.end(), [voce](const std::string& nome) {
    return voce.size() == nome.size() + segno.size() + 6 && voce.starts_with(nome) &&
           voce.substr(nome.size(), segno.size()) == segno;
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
  std::string temporaneo = percorso + ".tmp-XXXXXX";
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

void sostituzione_insieme::installa() {
  std::vector<std::string> cartelle;
  while (!preparati_.empty()) {
    const preparato p = preparati_.front();
    if (chiamate_.rinomina(p.temporaneo.c_str(), p.percorso.c_str()) != 0) {
      throw errore_file(p.percorso, "impossibile sostituire il file: " + sistema::motivo_ultimo_errore());
    }
    preparati_.erase(preparati_.begin());
    std::string cartella = sistema::cartella_di(p.percorso);
    if (std::find(cartelle.begin(), cartelle.end(), cartella) == cartelle.end())
      cartelle.push_back(std::move(cartella));
  }
  if (sincronia_ != sincronia::completa) return;
  for (const std::string& cartella : cartelle) sincronizza_cartella(cartella, chiamate_);
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
