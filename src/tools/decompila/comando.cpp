#include "tools/decompila/comando.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <CLI/CLI.hpp>
#include <array>
#include <exception>
#include <string_view>

#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "scenario_text/nomi_file.h"
#include "tools/decompila/decompila.h"
#include "tools/mostra/lettura_binari.h"

#ifndef OD_VERSIONE
#define OD_VERSIONE "1"
#endif

namespace od {
namespace {

constexpr std::string_view programma = "decompila_scenario";
constexpr std::string_view uso =
    "Uso: decompila_scenario [--uscita CARTELLA_USCITA] [--sovrascrivi] CARTELLA PERCORSO TRENO";

constexpr std::string_view descrizione =
    "Riscrive i due file di descrizione di uno scenario dai suoi file binari:\n"
    "  CARTELLA/PERCORSO_linea.dat    planimetria (se c'e': da essa le curve)\n"
    "  CARTELLA/PERCORSO_TRENO.sim    tabella delle voci\n"
    "  CARTELLA/PERCORSO_TRENO.dat    celle del binario\n"
    "e scrive in CARTELLA_USCITA (per difetto CARTELLA):\n"
    "  PERCORSO_linea.txt     descrizione della linea\n"
    "  PERCORSO_TRENO-.txt    descrizione del treno\n"
    "Poi li ricostruisce in memoria con la stessa lettura di compila_scenario e\n"
    "confronta ogni byte con i file binari: ogni differenza e' una riga sullo\n"
    "standard error (file, cella o voce, campo, valore trovato, valore ricostruito).";

constexpr std::string_view piede =
    "Stato di uscita:\n"
    "  0   i file di descrizione ridanno i file binari byte per byte\n"
    "  1   i file binari contengono cio' che nessuna descrizione produce (un file\n"
    "      danneggiato o modificato a mano): scritto il testo piu' vicino\n"
    "  2   uso errato, un file mancante, file che non sono uno scenario, o un\n"
    "      file di descrizione gia' presente senza --sovrascrivi";

struct richiesta {
  std::string uscita;
  bool sovrascrivi = false;
  std::string cartella, percorso, treno;
};

// CLI11's own messages, in the authors' language.
std::string in_italiano(std::string testo) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> frasi{{
      {"The following arguments were not expected: ", "argomenti inattesi: "},
      {"The following argument was not expected: ", "argomento inatteso: "},
      {" is required", ": argomento obbligatorio mancante"},
      {" required TEXT missing", " valore mancante"},
      {"Expected exactly ", "attesi esattamente "},
      {" arguments to ", " argomenti per "},
  }};
  for (const auto& [inglese, italiano] : frasi) {
    for (std::size_t p = testo.find(inglese); p != std::string::npos; p = testo.find(inglese, p + italiano.size())) {
      testo.replace(p, inglese.size(), italiano);
    }
  }
  return testo;
}

void prepara(CLI::App& app, richiesta& q) {
  app.description(std::string(descrizione));
  app.footer(std::string(piede));
  app.get_formatter()->label("Usage", "Uso");
  app.get_formatter()->label("Positionals", "Argomenti");
  app.get_formatter()->label("OPTIONS", "OPZIONI");
  app.get_formatter()->label("REQUIRED", "OBBLIGATORIO");
  app.get_formatter()->label("TEXT", "TESTO");
  app.get_formatter()->column_width(30);
  app.set_help_flag("-h,--help", "mostra questo aiuto")->group("Opzioni");
  app.set_version_flag("--version", std::string(OD_VERSIONE))->description("mostra la versione")->group("Opzioni");
  app.add_option("--uscita", q.uscita, "cartella in cui scrivere i file di descrizione (per difetto CARTELLA)")
      ->type_name("CARTELLA_USCITA")
      ->group("Opzioni");
  app.add_flag("--sovrascrivi", q.sovrascrivi, "sostituisce file di descrizione gia' presenti")->group("Opzioni");
  app.add_option("CARTELLA", q.cartella, "cartella dei file binari")->required();
  app.add_option("PERCORSO", q.percorso, "nome del percorso")->required();
  app.add_option("TRENO", q.treno, "nome del treno")->required();
  app.failure_message([](const CLI::App*, const CLI::Error& e) {
    return fmt::format("{}: {}\n{}\n", programma, in_italiano(e.what()), uso);
  });
}

// A name becomes part of every file name: a separator in it would reach into
// another folder. Both are refused, since Windows takes either.
std::string controlla_nome(std::string_view cosa, const std::string& nome) {
  if (nome.empty()) return fmt::format("{} vuoto", cosa);
  if (nome.find_first_of("/\\") != std::string::npos) return fmt::format("{} contiene un separatore: \"{}\"", cosa, nome);
  return {};
}

int esegui(const richiesta& q, std::ostream& uscita, std::ostream& diagnostica) {
  const std::string cartella_uscita = q.uscita.empty() ? q.cartella : q.uscita;
  const std::string file_linea = nome_completo(cartella_uscita, nome_file_linea(q.percorso));
  const std::string file_treno = nome_completo(cartella_uscita, nome_file_treno(q.percorso, q.treno));
  for (const std::string& f : {file_linea, file_treno}) {
    if (!q.sovrascrivi && esiste_file(f)) {
      fmt::print(diagnostica, "{}: {} esiste gia': --sovrascrivi per sostituirlo\n", programma, f);
      return decompila_uso;
    }
  }
  const immagini_binarie immagini = leggi_immagini(q.cartella, q.percorso, q.treno);
  const scenario_letto letto = decodifica_scenario(q.percorso, q.treno, immagini);
  for (const danno& d : letto.danni) {
    fmt::print(diagnostica, "{}: byte {}: {}\n", nome_completo(q.cartella, d.file), d.byte, d.motivo);
  }
  const bool piano_illeggibile = letto.planimetria_presente && letto.stato.con_planimetria == 0;
  if (!letto.tabella_letta || !letto.binario_letto || piano_illeggibile) {
    fmt::print(diagnostica, "{}: i file non si decodificano come uno scenario: nessun testo scritto\n", programma);
    return decompila_uso;
  }
  const scenario_decompilato d = decompila(letto, immagini);
  sostituisci_file(file_linea, d.testo_linea);
  sostituisci_file(file_treno, d.testo_treno);
  fmt::print(uscita, "scritti {} e {}\n", file_linea, file_treno);
  for (const std::string& riga : d.differenze) fmt::print(diagnostica, "{}: {}\n", programma, riga);
  if (d.differenze.empty() && letto.danni.empty()) {
    fmt::print(uscita, "ricostruiti in memoria, ridanno i file binari byte per byte\n");
    return decompila_identico;
  }
  fmt::print(uscita, "ricostruiti in memoria, non ridanno i file binari: {} differenze sullo standard error\n",
             d.differenze.size());
  return decompila_differenze;
}

}  // namespace

int decompila_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica) {
  richiesta q;
  CLI::App app{std::string(descrizione), std::string(programma)};
  prepara(app, q);
  std::vector<const char*> argv{programma.data()};
  for (const std::string& a : argomenti) argv.push_back(a.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    return app.exit(e, uscita, diagnostica) == 0 ? decompila_identico : decompila_uso;
  }
  for (const auto& [cosa, nome] : {std::pair{"PERCORSO", &q.percorso}, std::pair{"TRENO", &q.treno}}) {
    if (const std::string errore = controlla_nome(cosa, *nome); !errore.empty()) {
      fmt::print(diagnostica, "{}: {}\n{}\n", programma, errore, uso);
      return decompila_uso;
    }
  }
  try {
    return esegui(q, uscita, diagnostica);
  } catch (const errore_file& e) {
    fmt::print(diagnostica, "{}: {}: {}\n", programma, e.percorso(), e.motivo());
    return decompila_uso;
  } catch (const std::exception& e) {
    fmt::print(diagnostica, "{}: errore inatteso: {}\n", programma, e.what());
    return decompila_uso;
  }
}

}  // namespace od
