#include "tools/comune/riga_comando.h"

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>

#include <algorithm>
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

}  // namespace

std::string_view versione_strumenti() { return OD_VERSIONE; }

namespace {

// CLI11's exceptions carry their English text and nothing else, and that
// text may hold anything the author typed. So the words are never read: each
// reading below is an error that CLI11 would raise about one option of the
// app, built with CLI11's own constructor from what the option knows (its
// name, its values, its type), beside its Italian message made from the same
// facts. The error raised is the one whose exit code and text it equals.
struct lettura {
  CLI::Error errore;
  std::string italiano;
};

std::string tra_virgolette(const std::string& testo) { return fmt::format("\"{}\"", testo); }

// An argument the way the author typed it: with a blank in it, or empty, it
// stands between double quotes, so that a list of them reads back word for
// word.
std::string come_scritto(const std::string& argomento) {
  const bool da_chiudere = argomento.empty() || argomento.find_first_of(" \t") != std::string::npos;
  return da_chiudere ? tra_virgolette(argomento) : argomento;
}

std::string quanti_valori(int n) { return n == 1 ? "un valore" : fmt::format("{} valori", n); }

// What CLI11 may say about option `o` while it parses, with the counts that
// it works out the same way (an option wants and takes at least one value)
// and the values as typed.
std::vector<lettura> letture(const CLI::Option& o) {
  const std::string nome = o.get_name();
  const int minimo = std::min(o.get_type_size_min(), o.get_items_expected_min());
  const int almeno = std::max(o.get_items_expected_min(), 1);
  const int al_piu = std::max(o.get_items_expected_max(), 1);
  const std::size_t dati = o.results().size();
  const std::string tipo = o.get_type_name().empty() ? "" : fmt::format(" ({})", o.get_type_name());
  std::vector<std::string> valori;
  for (const std::string& v : o.results()) valori.push_back(tra_virgolette(v));
  std::vector<lettura> l;
  l.push_back({CLI::RequiredError(nome), fmt::format("manca {}", nome)});
  l.push_back({CLI::ArgumentMismatch::TypedAtLeast(nome, minimo, o.get_type_name()),
               fmt::format("{} vuole {}{}", nome, quanti_valori(minimo), tipo)});
  l.push_back({CLI::ArgumentMismatch::AtMost(nome, al_piu, dati),
               al_piu == 1 ? fmt::format("{} si puo' dare una volta sola", nome)
                           : fmt::format("{} vuole al massimo {} valori, ne ha {}", nome, al_piu, dati)});
  l.push_back({CLI::ArgumentMismatch::AtLeast(nome, almeno, dati),
               fmt::format("{} vuole almeno {} valori, ne ha {}", nome, almeno, dati)});
  l.push_back({CLI::ConversionError(nome, o.results()),
               fmt::format("valore non valido per {}: {}", nome, fmt::join(valori, ", "))});
  for (const CLI::Option* altra : o.get_excludes()) {
    l.push_back({CLI::ExcludesError(nome, altra->get_name()),
                 fmt::format("{} non si usa insieme a {}", nome, altra->get_name())});
  }
  for (const CLI::Option* altra : o.get_needs()) {
    l.push_back({CLI::RequiresError(nome, altra->get_name()),
                 fmt::format("{} si usa solo insieme a {}", nome, altra->get_name())});
  }
  return l;
}

bool stesso_errore(const CLI::Error& e, const CLI::Error& lettura) {
  return e.get_exit_code() == lettura.get_exit_code() && std::string_view(e.what()) == lettura.what();
}

// Arguments that nothing took, in the order typed (CLI11's own text lists
// them last first).
std::string in_piu(const std::vector<std::string>& resto) {
  if (resto.size() > 1) {
    std::vector<std::string> scritti;
    for (const std::string& a : resto) scritti.push_back(come_scritto(a));
    return fmt::format("argomenti in piu': {}", fmt::join(scritti, " "));
  }
  return fmt::format("{}: {}", resto[0].starts_with('-') ? "opzione sconosciuta" : "argomento in piu'",
                     come_scritto(resto[0]));
}

// A lookup of an option that the program never defined: a fault of the
// program rather than of the command line, still said in Italian. The name
// is all of CLI11's text but the tail that its constructor adds.
std::optional<std::string> non_definita(const CLI::Error& e) {
  const std::string testo = e.what();
  const std::string coda = CLI::OptionNotFound("").what();
  if (!testo.ends_with(coda)) return std::nullopt;
  return fmt::format("opzione non definita nel programma: {}", testo.substr(0, testo.size() - coda.size()));
}

}  // namespace

std::string messaggio_italiano(const CLI::App& app, const CLI::Error& e) {
  // The tools' own checks already speak Italian: "OPTION: what is wrong".
  if (dynamic_cast<const CLI::ValidationError*>(&e) != nullptr) return e.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
    const std::vector<std::string> resto = app.remaining();
    if (!resto.empty() && stesso_errore(e, CLI::ExtrasError(app.get_name(), resto))) return in_piu(resto);
  }
  if (dynamic_cast<const CLI::OptionNotFound*>(&e) != nullptr) {
    if (const std::optional<std::string> m = non_definita(e)) return *m;
  }
  for (const CLI::Option* o : app.get_options()) {
    for (const lettura& l : letture(*o)) {
      if (stesso_errore(e, l.errore)) return l.italiano;
    }
  }
  // Errors that these command lines cannot raise (subcommands, configuration
  // files): CLI11's own words, inside an Italian sentence.
  return fmt::format("argomenti non validi ({})", e.what());
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
  app.failure_message(
      [programma = std::string(programma), uso = std::string(uso)](const CLI::App* a, const CLI::Error& e) {
        return fmt::format("{}: {}\nUso: {}\n", programma, messaggio_italiano(*a, e), uso);
      });
}

std::optional<int> analizza_argomenti(CLI::App& app, const std::vector<std::string>& argomenti, std::ostream& uscita,
                                      std::ostream& diagnostica) {
  const std::string nome = app.get_name();
  std::vector<const char*> argv{nome.c_str()};
  for (const std::string& a : argomenti) argv.push_back(a.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::Error& e) {  // from the parse, or from an option's callback
    return app.exit(e, uscita, diagnostica) == 0 ? 0 : stato_uso_errato;
  }
  return std::nullopt;
}

std::string controlla_nome(std::string_view cosa, const std::string& nome) {
  if (nome.empty()) return fmt::format("{} vuoto", cosa);
  for (const char separatore : {'/', '\\'}) {
    if (nome.find(separatore) != std::string::npos)
      return fmt::format("{} contiene \"{}\": \"{}\"", cosa, separatore, nome);
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
