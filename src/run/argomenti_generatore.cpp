#include "run/argomenti_generatore.h"

#include "run/generazione.h"

namespace od {
namespace {

constexpr std::string_view programma = "orsella_drumvane";
// Bad usage ends with status 2, as in the authors' tools.
constexpr int uso_errato = 2;
constexpr std::string_view uso = "orsella_drumvane [--help | --version]";

constexpr std::string_view aiuto =
    "Uso: orsella_drumvane [OPZIONI]\n"
    "\n"
    "Scrive lo scenario Orsella_Drumvane (treno xr40318) nella cartella che\n"
    "contiene il programma: i due file di descrizione, che rilegge e poi\n"
    "cancella, i tre documenti per il macchinista e i tre file binari che il\n"
    "simulatore carica. Senza argomenti esegue tutta la generazione.\n"
    "\n"
    "Opzioni:\n"
    "  -h, --help    mostra questo aiuto ed esce senza scrivere file\n"
    "  --version     mostra la versione ed esce senza scrivere file\n"
    "\n"
    "Stato di uscita:\n"
    "  0   esecuzione normale\n"
    "  1   terminata da un errore: un controllo finale, o un codice registrato\n"
    "      nella lettura (nessun file binario scritto)\n"
    "  2   un file non si puo' creare, sostituire o leggere, oppure uso errato\n";

bool chiede_aiuto(const std::string& a) { return a == "-h" || a == "--help"; }
bool chiede_versione(const std::string& a) { return a == "--version"; }

// Why the arguments from `da` on are refused; before `da` stands at most the
// one option accepted.
std::string argomento_inatteso(const std::vector<std::string>& argomenti, std::size_t da) {
  const std::string& primo = argomenti[da];
  if (da > 0 && (chiede_aiuto(primo) || chiede_versione(primo))) {
    return primo + " non si usa insieme a " + argomenti[0];
  }
  if (primo.size() > 1 && primo[0] == '-') return "opzione sconosciuta: " + primo;
  std::string testo = argomenti.size() - da > 1 ? "argomenti in piu':" : "argomento in piu':";
  for (std::size_t i = da; i < argomenti.size(); ++i) testo += " " + argomenti[i];
  return testo;
}

}  // namespace

std::string_view versione_generatore() { return OD_VERSIONE; }

std::optional<int> analizza_argomenti_generatore(const std::vector<std::string>& argomenti, std::ostream& uscita,
                                                 std::ostream& diagnostica) {
  if (argomenti.empty()) return std::nullopt;
  const bool aiuto_chiesto = chiede_aiuto(argomenti[0]);
  // Only one of the two, alone: anything else is refused before any file is
  // touched, so a mistyped option never starts the generation.
  const std::size_t inatteso = aiuto_chiesto || chiede_versione(argomenti[0]) ? 1 : 0;
  if (argomenti.size() > inatteso) {
    diagnostica << programma << ": " << argomento_inatteso(argomenti, inatteso) << "\nUso: " << uso << '\n';
    return uso_errato;
  }
  if (aiuto_chiesto) {
    uscita << aiuto;
  } else {
    uscita << programma << ' ' << versione_generatore() << '\n';
  }
  return uscita_ok;
}

}  // namespace od
