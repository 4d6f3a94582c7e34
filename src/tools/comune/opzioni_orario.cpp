#include "tools/comune/opzioni_orario.h"

#include <cmath>
#include <string>

namespace od {
namespace {

// CLI11's own range checks speak English; these say it in Italian, and
// messaggio_italiano passes a validation message through as it is.
CLI::Validator almeno(double minimo, bool incluso, const char* regola) {
  return CLI::Validator(
      [=](std::string& testo) -> std::string {
        double x = 0;
        if (!CLI::detail::lexical_cast(testo, x) || !std::isfinite(x)) return "\"" + testo + "\" non e' un numero";
        if (x > minimo || (incluso && x == minimo)) return {};
        return "vuole un numero " + std::string(regola) + ", non " + testo;
      },
      "");
}

void aggiungi(CLI::App& app, const char* nome, double& valore, const char* tipo, const char* aiuto,
              const CLI::Validator& regola) {
  app.add_option(nome, valore, aiuto)->type_name(tipo)->check(regola)->capture_default_str()->group("Orario");
}

}  // namespace

void aggiungi_opzioni_orario(CLI::App& app, opzioni_orario& o) {
  const CLI::Validator positivo = almeno(0, false, "maggiore di 0");
  const CLI::Validator non_negativo = almeno(0, true, "non negativo");
  aggiungi(app, "--accelerazione", o.treno.accelerazione, "A", "accelerazione del treno in piano, m/s2", positivo);
  aggiungi(app, "--frenatura", o.treno.frenatura, "B", "frenatura di servizio in piano, m/s2", positivo);
  aggiungi(app, "--velocita-massima", o.treno.velocita_massima, "V", "velocita' massima del treno, km/h (0: nessuna)",
           non_negativo);
  aggiungi(app, "--lunghezza-vettura", o.treno.lunghezza_vettura, "M", "lunghezza di una vettura, m", non_negativo);
  aggiungi(app, "--margine-minimo", o.margine_minimo, "P",
           "margine sotto cui una tratta ha l'avviso orario-stretto, in percento del tempo minimo", non_negativo);
}

}  // namespace od
