#include "tools/comune/riga_comando.h"

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>

#include <regex>
#include <utility>

#include "platform/file_atomico.h"

namespace od {
namespace {

// The usage line first, as command-line users expect, then what the tool
// does, its arguments, its options and the closing notes.
class formato_italiano : public CLI::Formatter {
 public:
  std::string make_help(const CLI::App* app, std::string nome, CLI::AppFormatMode modo) const override {
    if (modo == CLI::AppFormatMode::Sub) return make_expanded(app);
    std::string testo = make_usage(app, std::move(nome));
    testo += '\n' + make_description(app);
    testo += make_positionals(app);
    testo += make_groups(app, modo);
    return testo + '\n' + make_footer(app);
  }
};

// CLI11's messages and their Italian form, first match wins. They are those
// of the CLI11 that the build uses; a test keeps them in step.
const std::vector<std::pair<std::regex, std::string>>& traduzioni() {
  static const std::vector<std::pair<std::regex, std::string>> tabella = [] {
    std::vector<std::pair<std::regex, std::string>> t;
    auto aggiungi = [&t](const char* inglese, const char* italiano) { t.emplace_back(std::regex(inglese), italiano); };
    aggiungi("^(.+) is required$", "manca $1");
    aggiungi("^The following argument was not expected: (-.*)$", "opzione sconosciuta: $1");
    aggiungi("^The following argument was not expected: (.*)$", "argomento in piu': $1");
    aggiungi("^The following arguments were not expected: (.*)$", "argomenti in piu': $1");
    aggiungi("^(.+): [0-9]+ required (.*) missing$", "$1 vuole un valore ($2)");
    aggiungi("^(.+): At Most [0-9]+ required but received [0-9]+$", "$1 si puo' dare una volta sola");
    aggiungi("^(.+): At least ([0-9]+) required but received ([0-9]+)$", "$1 vuole almeno $2 valori, ne ha $3");
    aggiungi("^(.+): too many inputs for a flag$", "$1 non vuole un valore");
    aggiungi("^(.+): Should be true/false or a number$", "$1 non vuole un valore");
    aggiungi("^Could not convert: (.+) = (.*)$", "valore non valido per $1: \"$2\"");
    aggiungi("^The value (.+) is not an allowed value for (.+)$", "valore non ammesso per $2: \"$1\"");
    aggiungi("^(.+) excludes (.+)$", "$1 non si usa insieme a $2");
    aggiungi("^(.+) requires (.+)$", "$1 si usa solo insieme a $2");
    return t;
  }();
  return tabella;
}

}  // namespace

std::string_view versione_strumenti() { return OD_VERSIONE; }

namespace {

// CLI11 lists unexpected arguments last first; the author typed them the
// other way round.
std::string in_ordine(const std::string& elenco) {
  std::vector<std::string> parole;
  std::size_t inizio = 0;
  for (std::size_t spazio; (spazio = elenco.find(' ', inizio)) != std::string::npos; inizio = spazio + 1) {
    parole.push_back(elenco.substr(inizio, spazio - inizio));
  }
  parole.push_back(elenco.substr(inizio));
  return fmt::format("{}", fmt::join(parole.rbegin(), parole.rend(), " "));
}

}  // namespace

std::string messaggio_italiano(const CLI::Error& e) {
  // The tools' own checks already speak Italian: "OPTION: what is wrong".
  if (dynamic_cast<const CLI::ValidationError*>(&e) != nullptr) return e.what();
  std::string inglese = e.what();
  const std::string molti = "The following arguments were not expected: ";
  if (inglese.starts_with(molti)) inglese = molti + in_ordine(inglese.substr(molti.size()));
  for (const auto& [modello, italiano] : traduzioni()) {
    if (std::regex_match(inglese, modello)) return std::regex_replace(inglese, modello, italiano);
  }
  return "argomenti non validi (" + inglese + ")";
}

void prepara_riga_comando(CLI::App& app, std::string_view programma, std::string_view uso) {
  app.formatter(std::make_shared<formato_italiano>());
  auto formato = app.get_formatter();
  formato->label("Usage", "Uso");
  formato->label("Positionals", "Argomenti");
  formato->label("OPTIONS", "OPZIONI");
  formato->label("REQUIRED", "(obbligatorio)");
  formato->label("TEXT", "TESTO");
  formato->column_width(28);
  app.set_help_flag("-h,--help", "mostra questo aiuto ed esce")->group("Opzioni");
  app.set_version_flag("--version", fmt::format("{} {}", programma, versione_strumenti()))
      ->description("mostra la versione ed esce")
      ->group("Opzioni");
  app.failure_message([programma = std::string(programma), uso = std::string(uso)](const CLI::App*,
                                                                                   const CLI::Error& e) {
    return fmt::format("{}: {}\nUso: {}\n", programma, messaggio_italiano(e), uso);
  });
}

std::optional<int> analizza_argomenti(CLI::App& app, const std::vector<std::string>& argomenti, std::ostream& uscita,
                                      std::ostream& diagnostica) {
  const std::string nome = app.get_name();
  std::vector<const char*> argv{nome.c_str()};
  for (const std::string& a : argomenti) argv.push_back(a.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    return app.exit(e, uscita, diagnostica) == 0 ? 0 : stato_uso_errato;
  }
  return std::nullopt;
}

std::string controlla_nome(std::string_view cosa, const std::string& nome) {
  if (nome.empty()) return fmt::format("{} vuoto", cosa);
  for (const char separatore : {'/', '\\'}) {
    if (nome.find(separatore) != std::string::npos) return fmt::format("{} contiene \"{}\": \"{}\"", cosa, separatore, nome);
  }
  return {};
}

int esegui_su_scenario(std::string_view programma, const std::string& percorso, const std::string& treno,
                       std::ostream& diagnostica, const std::function<int()>& esegui) {
  for (const auto& [cosa, nome] : {std::pair{"PERCORSO", &percorso}, std::pair{"TRENO", &treno}}) {
    if (const std::string errore = controlla_nome(cosa, *nome); !errore.empty()) {
      fmt::print(diagnostica, "{}: {}\n", programma, errore);
      return stato_uso_errato;
    }
  }
  try {
    return esegui();
  } catch (const errore_file& e) {
    fmt::print(diagnostica, "{}: {}: {}\n", programma, e.percorso(), e.motivo());
    return stato_uso_errato;
  } catch (const std::exception& e) {
    // Nothing below is expected to throw anything else; if it does, one line
    // instead of an abort.
    fmt::print(diagnostica, "{}: errore inatteso: {}\n", programma, e.what());
    return stato_uso_errato;
  }
}

}  // namespace od
