#include "tools/comune/opzioni_orario.h"

#include <cmath>
#include <string>

namespace od {
namespace {

// CLI11's own range checks speak English; these say it in Italian, and
// messaggio_italiano passes a validation message through as it is. Only
// physical values pass: a train that accelerates at 9e307 m/s2 gives no
// running time worth printing, and numbers that large overflow the
// calculation.
CLI::Validator tra(double minimo, bool incluso, double massimo, const char* regola) {
  return CLI::Validator(
      [=](std::string& testo) -> std::string {
        double x = 0;
        if (!CLI::detail::lexical_cast(testo, x) || !std::isfinite(x)) return "\"" + testo + "\" non e' un numero";
        if ((x > minimo || (incluso && x == minimo)) && x <= massimo) return {};
        return "vuole un numero " + std::string(regola) + ", non " + testo;
      },
      "");
}

// A service brake or a start beyond this is no train's: 5 m/s2 is half of
// gravity.
constexpr double tasso_massimo = 5;
// The cells hold the line speed in steps of 5 km/h in one byte.
constexpr double velocita_massima_formato = 255 * 5;
constexpr double vettura_massima = 100;  // metres

void aggiungi(CLI::App& app, const char* nome, double& valore, const char* tipo, const char* aiuto,
              const CLI::Validator& regola) {
  app.add_option(nome, valore, aiuto)->type_name(tipo)->check(regola)->capture_default_str()->group("Orario");
}

}  // namespace

void aggiungi_opzioni_orario(CLI::App& app, opzioni_orario& o) {
  const CLI::Validator tasso = tra(0, false, tasso_massimo, "maggiore di 0 e al massimo 5");
  const CLI::Validator velocita = tra(0, true, velocita_massima_formato, "da 0 a 1275");
  const CLI::Validator vettura = tra(0, true, vettura_massima, "da 0 a 100");
  const CLI::Validator non_negativo = tra(0, true, HUGE_VAL, "non negativo");
  aggiungi(app, "--accelerazione", o.treno.accelerazione, "A", "accelerazione del treno in piano, m/s2", tasso);
  aggiungi(app, "--frenatura", o.treno.frenatura, "B", "frenatura di servizio in piano, m/s2", tasso);
  aggiungi(app, "--velocita-massima", o.treno.velocita_massima, "V", "velocita' massima del treno, km/h (0: nessuna)",
           velocita);
  aggiungi(app, "--lunghezza-vettura", o.treno.lunghezza_vettura, "M", "lunghezza di una vettura, m", vettura);
  aggiungi(app, "--margine-minimo", o.margine_minimo, "P",
           "margine sotto cui una tratta ha l'avviso orario-stretto, in percento del tempo minimo", non_negativo);
}

}  // namespace od
