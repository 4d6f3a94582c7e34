#include "tools/compila/esempio.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <vector>

#include "platform/blocco_cartella.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "scenario_text/nomi_file.h"
#include "scenario_text/scenario_carico.h"
#include "tools/comune/riga_comando.h"

namespace od {
namespace {

constexpr std::string_view programma = "compila_scenario";

// A folder as the author would type it back in a shell: quoted when it holds
// anything a shell would split or expand.
std::string per_la_shell(const std::string& testo) {
  if (!testo.empty() &&
      testo.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-./\\:") ==
          std::string::npos) {
    return testo;
  }
  std::string citato = "'";
  for (const char c : testo) citato += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return citato + "'";
}

}  // namespace

int scrivi_esempio(const std::string& cartella, bool sovrascrivi, std::ostream& uscita, std::ostream& diagnostica) {
  const std::string percorso(nome_percorso_carico), treno(nome_treno_carico);
  const std::vector<std::string> file{nome_completo(cartella, nome_file_linea(percorso)),
                                      nome_completo(cartella, nome_file_treno(percorso, treno))};
  if (!sovrascrivi) {
    // Both are looked at before either is written, so a refusal touches nothing.
    for (const std::string& f : file) {
      if (esiste_voce(f)) {
        fmt::print(diagnostica, "{}: {}: esiste gia'; non lo sostituisco (--sovrascrivi per sostituirlo)\n", programma,
                   f);
        return stato_uso_errato;
      }
    }
  }
  try {
    crea_cartella(cartella);
    // Not while a run in the same folder is reading or deleting these files.
    const blocco_cartella blocco(cartella);
    dati_linea(cartella, percorso);
    dati_treno(cartella, percorso, treno);
  } catch (const errore_file& e) {
    fmt::print(diagnostica, "{}: {}: {}\n", programma, e.percorso(), e.motivo());
    return stato_uso_errato;
  }
  for (const std::string& f : file) fmt::print(uscita, "scritto {}\n", f);
  fmt::print(uscita, "Per costruire i file binari dello scenario:\n  {} {} {} {}\n", programma, per_la_shell(cartella),
             percorso, treno);
  return 0;
}

}  // namespace od
