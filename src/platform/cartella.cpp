#include "platform/cartella.h"

#include <filesystem>
#include <system_error>

#include "platform/file_atomico.h"
#include "platform/file_atomico_sistema.h"

namespace od {
namespace {

// Names are UTF-8 on every platform.
std::filesystem::path percorso_di(const std::string& testo) { return std::u8string(testo.begin(), testo.end()); }

}  // namespace

std::string nome_completo(std::string_view cartella, std::string_view nome) {
  std::string completo(cartella);
  completo += separatore_cartella;
  completo += nome;
  return completo;
}

std::string crea_cartella(const std::string& cartella) {
  if (cartella.empty()) return {};
  std::error_code errore;
  std::filesystem::path prima_nuova;
  for (std::filesystem::path p = percorso_di(cartella); !p.empty() && !std::filesystem::exists(p, errore);
       p = p.parent_path()) {
    prima_nuova = p;
    if (p == p.parent_path()) break;
  }
  std::filesystem::create_directories(percorso_di(cartella), errore);
  if (errore) throw errore_file(cartella, "la cartella non si puo' creare: " + sistema::motivo_di(errore));
  const std::u8string nuova = prima_nuova.u8string();
  return {nuova.begin(), nuova.end()};
}

void rimuovi_cartelle_create(const std::string& cartella, const std::string& fino_a) {
  if (fino_a.empty()) return;
  std::error_code errore;
  const std::filesystem::path ultima = percorso_di(fino_a);
  for (std::filesystem::path p = percorso_di(cartella); !p.empty(); p = p.parent_path()) {
    // remove() takes only an empty folder: one that holds anything stays.
    if (!std::filesystem::remove(p, errore) || p == ultima) return;
  }
}

void crea_cartella_del_file(const std::string& percorso) {
  const std::u8string cartella = percorso_di(percorso).parent_path().u8string();
  crea_cartella(std::string(cartella.begin(), cartella.end()));
}

std::vector<std::string> file_della_cartella(const std::string& cartella) {
  std::vector<std::string> nomi;
  std::error_code errore;
  std::filesystem::directory_iterator voci(percorso_di(cartella.empty() ? "." : cartella), errore);
  for (; !errore && voci != std::filesystem::directory_iterator(); voci.increment(errore)) {
    if (!voci->is_regular_file(errore)) continue;
    const std::u8string nome = voci->path().filename().u8string();
    nomi.emplace_back(nome.begin(), nome.end());
  }
  return nomi;
}

}  // namespace od
