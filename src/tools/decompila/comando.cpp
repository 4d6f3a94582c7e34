#include "tools/decompila/comando.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <CLI/CLI.hpp>
#include <exception>
#include <optional>
#include <string_view>

#include "platform/blocco_cartella.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "rilettura/lettura_binari.h"
#include "scenario_text/nomi_file.h"
#include "tools/comune/riga_comando.h"
#include "tools/decompila/decompila.h"
#include "tools/decompila/lettura_piano.h"

namespace od {
namespace {

constexpr std::string_view programma = "decompila_scenario";
constexpr std::string_view uso =
    "decompila_scenario [--uscita CARTELLA_USCITA] [--sovrascrivi] CARTELLA PERCORSO TRENO";

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

void prepara(CLI::App& app, richiesta& q) {
  prepara_riga_comando(app, programma, uso);
  app.description(std::string(descrizione));
  app.footer(std::string(piede));
  app.add_option("--uscita", q.uscita,
                 "cartella in cui scrivere i file di descrizione (per difetto CARTELLA; creata se manca)")
      ->type_name("CARTELLA_USCITA")
      ->group("Opzioni");
  app.add_flag("--sovrascrivi", q.sovrascrivi, "sostituisce file di descrizione gia' presenti")->group("Opzioni");
  app.add_option("CARTELLA", q.cartella, "cartella dei file binari")->required()->type_name("");
  app.add_option("PERCORSO", q.percorso, "nome del percorso")->required()->type_name("");
  app.add_option("TRENO", q.treno, "nome del treno")->required()->type_name("");
}

// Without --sovrascrivi, a description file already there is refused, and
// said so; false when the way is clear.
bool gia_presente(const richiesta& q, const std::string& file_linea, const std::string& file_treno,
                  std::ostream& diagnostica) {
  for (const std::string& f : {file_linea, file_treno}) {
    // Anything in the way counts, a link that leads nowhere too: replacing
    // it would write where the author did not ask.
    if (!q.sovrascrivi && esiste_voce(f)) {
      fmt::print(diagnostica, "{}: {} esiste gia': --sovrascrivi per sostituirlo\n", programma, f);
      return true;
    }
  }
  return false;
}

// Both texts new, or both as they were, written while no other run writes
// in the folder. A file that appeared while the binaries were decoded is
// still refused.
bool scrivi_testi(const richiesta& q, const std::string& cartella_uscita, const std::string& file_linea,
                  const std::string& file_treno, const scenario_decompilato& d, std::ostream& diagnostica) {
  crea_cartella(cartella_uscita);
  const blocco_cartella blocco(cartella_uscita);
  if (gia_presente(q, file_linea, file_treno, diagnostica)) return false;
  // Holding the lock, no temporary file of these names can be live.
  elimina_temporanei_rimasti(cartella_uscita, {nome_file_linea(q.percorso), nome_file_treno(q.percorso, q.treno)});
  sostituzione_insieme insieme;
  insieme.prepara(file_linea, d.testo_linea);
  insieme.prepara(file_treno, d.testo_treno);
  insieme.installa();
  return true;
}

int esegui(const richiesta& q, std::ostream& uscita, std::ostream& diagnostica) {
  const std::string cartella_uscita = q.uscita.empty() ? q.cartella : q.uscita;
  const std::string file_linea = nome_completo(cartella_uscita, nome_file_linea(q.percorso));
  const std::string file_treno = nome_completo(cartella_uscita, nome_file_treno(q.percorso, q.treno));
  // Looked at first too, so that a refusal does not wait for the decoding.
  if (gia_presente(q, file_linea, file_treno, diagnostica)) return decompila_uso;
  immagini_binarie immagini;
  // Read while no build writes there; the lock goes before the writing,
  // which takes the output folder's own, so that a run never holds two.
  std::optional<blocco_cartella> lettura(std::in_place, q.cartella, accesso::condiviso);
  const scenario_letto letto = leggi_da_decompilare(q.cartella, q.percorso, q.treno, immagini);
  lettura.reset();
  scrivi_danni(letto.danni, q.cartella, diagnostica);
  const bool piano_illeggibile = letto.planimetria_presente && letto.stato.con_planimetria == 0;
  if (!letto.tabella_letta || !letto.binario_letto || piano_illeggibile) {
    fmt::print(diagnostica, "{}: i file non si decodificano come uno scenario: nessun testo scritto\n", programma);
    return decompila_uso;
  }
  const scenario_decompilato d = decompila(letto, immagini);
  if (!scrivi_testi(q, cartella_uscita, file_linea, file_treno, d, diagnostica)) return decompila_uso;
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
  if (const std::optional<int> fine = analizza_argomenti(app, argomenti, uscita, diagnostica)) return *fine;
  return esegui_su_scenario(programma, q.percorso, q.treno, diagnostica,
                            [&] { return esegui(q, uscita, diagnostica); });
}

}  // namespace od
