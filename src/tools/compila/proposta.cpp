#include "tools/compila/proposta.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "percorrenza/proposta.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "tools/compila/scrivi_orario.h"
#include "tools/comune/proposta_orario.h"

namespace od {
namespace {

std::filesystem::path percorso_di(const std::string& testo) { return std::u8string(testo.begin(), testo.end()); }

std::string leggi_tutto(const std::string& file) {
  std::ifstream in(percorso_di(file), std::ios::binary);
  if (!in) throw errore_file(file, "non si puo' leggere");
  std::ostringstream testo;
  testo << in.rdbuf();
  return testo.str();
}

void scrivi_copia(const scenario& stato, const proposta_orario& p, const richiesta_proposta& r) {
  std::error_code e;
  if (std::filesystem::equivalent(percorso_di(r.sorgente), percorso_di(r.destinazione), e)) {
    throw errore_file(r.destinazione,
                      "e' il file del treno stesso: l'orario si scrive in una copia, con un altro nome");
  }
  std::string testo;
  try {
    testo = testo_con_orario(leggi_tutto(r.sorgente), stato, p);
  } catch (const std::runtime_error& x) {
    if (dynamic_cast<const errore_file*>(&x) != nullptr) throw;
    throw errore_file(r.sorgente, x.what());
  }
  crea_cartella_del_file(r.destinazione);
  sostituisci_file(r.destinazione, testo);
}

}  // namespace

nlohmann::ordered_json proposta_costruita(const scenario& stato, const opzioni_orario& o, const richiesta_proposta& r,
                                          bool json, std::ostream& uscita) {
  const proposta_orario p = proponi_orario(stato, o.treno, r.abbuono);
  nlohmann::ordered_json membri = scrivi_proposta(stato, p, o, json, uscita);
  if (r.destinazione.empty()) return membri;
  if (!p.errore.empty()) throw errore_file(r.destinazione, "nessuna proposta da scrivere: " + p.errore);
  scrivi_copia(stato, p, r);
  if (json) {
    membri["orario_scritto"] = r.destinazione;
  } else {
    fmt::print(uscita, "orario proposto scritto in {}\n", r.destinazione);
  }
  return membri;
}

}  // namespace od
