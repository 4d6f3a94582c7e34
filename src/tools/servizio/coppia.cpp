#include "tools/servizio/coppia.h"

#include <algorithm>
#include <string_view>

#include "scenario_text/nomi_file.h"

namespace od {
namespace {

constexpr std::string_view coda_linea = "_linea.txt";
constexpr std::string_view coda_treno = "-.txt";

// Folder and name of a path, either separator counting (Windows takes both).
std::pair<std::string, std::string> dividi(const std::string& file) {
  const std::size_t barra = file.find_last_of("/\\");
  if (barra == std::string::npos) return {".", file};
  return {file.substr(0, barra == 0 ? 1 : barra), file.substr(barra + 1)};
}

}  // namespace

std::string nella_cartella(const std::string& cartella, const std::string& nome) {
  return cartella.ends_with('/') || cartella.ends_with('\\') ? cartella + nome : cartella + "/" + nome;
}

std::string coppia_scenario::file_linea() const { return nella_cartella(cartella, nome_file_linea(percorso)); }

std::string coppia_scenario::file_treno() const {
  return treno.empty() ? std::string{} : nella_cartella(cartella, nome_file_treno(percorso, treno));
}

std::optional<coppia_scenario> coppia_di(const std::string& file, std::vector<std::string> nomi) {
  auto [cartella, nome] = dividi(file);
  std::sort(nomi.begin(), nomi.end());
  if (nome.ends_with(coda_linea) && nome.size() > coda_linea.size()) {
    coppia_scenario c{cartella, nome.substr(0, nome.size() - coda_linea.size()), {}};
    const std::string inizio = c.percorso + "_";
    for (const std::string& altro : nomi) {
      if (altro.starts_with(inizio) && altro.ends_with(coda_treno) && altro.size() > inizio.size() + coda_treno.size())
        return coppia_scenario{cartella, c.percorso,
                               altro.substr(inizio.size(), altro.size() - inizio.size() - coda_treno.size())};
    }
    return c;
  }
  if (!nome.ends_with(coda_treno)) return std::nullopt;
  const std::string radice = nome.substr(0, nome.size() - coda_treno.size());
  std::string percorso;
  for (const std::string& altro : nomi) {
    if (!altro.ends_with(coda_linea)) continue;
    const std::string candidato = altro.substr(0, altro.size() - coda_linea.size());
    if (radice.size() > candidato.size() + 1 && radice.starts_with(candidato + "_") &&
        candidato.size() > percorso.size())
      percorso = candidato;
  }
  if (percorso.empty()) {
    const std::size_t trattino = radice.find('_');
    if (trattino == std::string::npos || trattino == 0 || trattino + 1 == radice.size()) return std::nullopt;
    percorso = radice.substr(0, trattino);
  }
  return coppia_scenario{cartella, percorso, radice.substr(percorso.size() + 1)};
}

}  // namespace od
