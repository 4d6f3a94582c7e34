#include "tools/mostra/comando.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <CLI/CLI.hpp>
#include <exception>
#include <optional>
#include <sstream>
#include <string_view>

#include "costruzione/diagnostica.h"
#include "elementi/elementi.h"
#include "output/file_binari.h"
#include "percorrenza/avvisi_orario.h"
#include "percorrenza/proposta.h"
#include "platform/blocco_cartella.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "rilettura/lettura_binari.h"
#include "tools/comune/documenti.h"
#include "tools/comune/opzioni_orario.h"
#include "tools/comune/osserva.h"
#include "tools/comune/proposta_orario.h"
#include "tools/comune/riga_comando.h"
#include "tools/comune/tabella_orario.h"
#include "tools/mostra/celle.h"
#include "tools/mostra/confronto.h"
#include "tools/mostra/grafico.h"
#include "tools/mostra/json.h"
#include "tools/mostra/riepilogo.h"
#include "tools/mostra/svg.h"

namespace od {
namespace {

constexpr std::string_view programma = "mostra_scenario";

constexpr std::string_view uso =
    "mostra_scenario [--json] [--celle DA-A] [--svg FILE.svg] [--orario] [--confronta ALTRA_CARTELLA] [--osserva]\n"
    "     [--proponi-orario[=PERCENTO]] [--grafico FILE.svg]\n"
    "     [--accelerazione A] [--frenatura B] [--velocita-massima V] [--lunghezza-vettura M] [--margine-minimo P]\n"
    "     [--documenti [--sovrascrivi] [OPZIONI DEI DOCUMENTI]] CARTELLA PERCORSO TRENO";

constexpr std::string_view descrizione =
    "Rilegge i file binari di uno scenario e li controlla:\n"
    "  CARTELLA/PERCORSO_linea.dat    planimetria (se c'e')\n"
    "  CARTELLA/PERCORSO_TRENO.sim    tabella delle voci\n"
    "  CARTELLA/PERCORSO_TRENO.dat    celle del binario\n"
    "Controlla dimensioni e struttura, lunghezze dei testi, i segni 610 e 5121,\n"
    "i due codici di gara ricalcolati dai nomi e i codici di oggetto delle celle.\n"
    "Ogni danno e' una riga sullo standard error: FILE: byte N: motivo.\n"
    "Senza opzioni scrive un riepilogo leggibile; con --orario la tabella dei\n"
    "tempi di percorrenza: l'ora piu' presto possibile a ogni stazione e il\n"
    "margine di ogni orario e di ogni tratta, con gli avvisi orario-impossibile e\n"
    "orario-stretto sullo standard error. Con --documenti scrive in CARTELLA la\n"
    "scheda treno e l'ordine di rallentamento dello scenario:\n"
    "  CARTELLA/PERCORSO_TRENO_scheda_treno.txt\n"
    "  CARTELLA/PERCORSO_TRENO_rallentamenti.txt";

constexpr std::string_view piede =
    "Stato di uscita:\n"
    "  0   file letti e controllati, nessun danno (con --confronta: nessuna differenza)\n"
    "  1   un file e' danneggiato\n"
    "  2   uso errato, un file mancante o illeggibile, o un'uscita che non si puo' scrivere\n"
    "  3   con --confronta: i due scenari sono diversi";

struct richiesta {
  bool json = false;
  bool orario = false;
  opzioni_orario percorrenza;
  opzioni_proposta proposta;
  bool proponi = false;
  std::string celle;
  std::string svg;
  std::string grafico;
  std::string confronta;
  opzioni_documenti documenti;
  bool sovrascrivi = false;
  bool osserva = false;
  std::string cartella, percorso, treno;
};

void prepara(CLI::App& app, richiesta& q) {
  prepara_riga_comando(app, programma, uso);
  app.description(std::string(descrizione));
  app.footer(std::string(piede));
  app.add_flag("--json", q.json, "scrive tutto come JSON")->group("Opzioni");
  app.add_option("--celle", q.celle, "scrive le celle da DA ad A, una per riga, con i campi nominati")
      ->type_name("DA-A")
      ->group("Opzioni");
  app.add_option("--svg", q.svg, "disegna la linea in FILE.svg")->type_name("FILE.svg")->group("Opzioni");
  app.add_option("--grafico", q.grafico,
                 "disegna in FILE.svg il grafico orario: orario previsto, marcia piu' veloce e marcia tipo")
      ->type_name("FILE.svg")
      ->group("Orario");
  app.add_flag("--orario", q.orario, "scrive la tabella dei tempi di percorrenza (con --json: il membro \"orario\")")
      ->group("Opzioni");
  aggiungi_opzioni_orario(app, q.percorrenza);
  aggiungi_opzione_proposta(app, q.proposta);
  app.add_option("--confronta", q.confronta, "elenca cio' che cambia rispetto allo stesso scenario in ALTRA_CARTELLA")
      ->type_name("ALTRA_CARTELLA")
      ->group("Opzioni");
  app.add_flag("--sovrascrivi", q.sovrascrivi, "con --documenti, sostituisce i documenti gia' presenti")
      ->group("Documenti");
  aggiungi_opzioni_documenti(app, q.documenti);
  app.add_flag("--osserva", q.osserva,
               "rilegge e riscrive cio' che e' chiesto, poi di nuovo a ogni cambio dei file binari, fino a Ctrl-C")
      ->group("Opzioni");
  app.add_option("CARTELLA", q.cartella, "cartella dei file binari")->required()->type_name("");
  app.add_option("PERCORSO", q.percorso, "nome del percorso")->required()->type_name("");
  app.add_option("TRENO", q.treno, "nome del treno")->required()->type_name("");
}

// Beside the binary files, under the folder's lock that the run holds, and
// only over documents that the author asked to replace. The paths written go
// to `scritti`.
int scrivi_documenti_accanto(const richiesta& q, const scenario& stato, std::ostream* scritti,
                             std::ostream& diagnostica) {
  if (!q.sovrascrivi) {
    if (const std::string presente = documenti_presenti(q.cartella, q.percorso, q.treno); !presente.empty()) {
      fmt::print(diagnostica, "{}: {}\n", programma, presente);
      return mostra_uso;
    }
  }
  std::vector<avviso> avvisi;
  const std::vector<std::string> file = scrivi_documenti(q.cartella, stato, q.documenti, q.percorrenza, avvisi);
  for (const avviso& a : avvisi) diagnostica << testo_avviso(a, q.cartella, std::string(programma));
  for (const std::string& f : file) {
    if (scritti != nullptr) fmt::print(*scritti, "scritto {}\n", f);
  }
  return mostra_ok;
}

// --svg and --grafico: each file replaced whole, and its name on a line.
// The picture is drawn of a damaged scenario too, but with no run over
// values that no build wrote; the graph is all runs, so it wants a healthy one.
int disegna(const richiesta& q, const scenario_letto& s, const elementi_linea& e, std::ostream& uscita,
            std::ostream& diagnostica) {
  const bool modello = s.tabella_letta && s.binario_letto;
  if (!q.svg.empty()) {
    if (!modello) {
      fmt::print(diagnostica, "{}: nessun disegno: la tabella o il binario non si decodificano\n", programma);
      return mostra_danni;
    }
    tabella_orario orario;
    if (s.danni.empty()) {
      orario = calcola_orario(s.stato, q.percorrenza.treno, q.percorrenza.margine_minimo);
    } else {
      orario.errore = "lo scenario e' danneggiato";
    }
    crea_cartella_del_file(q.svg);
    sostituisci_file(q.svg, disegna_svg(s, e, orario));
    if (!q.json) fmt::print(uscita, "scritto {}\n", q.svg);
  }
  if (!q.grafico.empty()) {
    if (!s.danni.empty()) {
      fmt::print(diagnostica, "{}: nessun grafico: lo scenario e' danneggiato\n", programma);
      return mostra_danni;
    }
    const opzioni_orario& o = q.percorrenza;
    const double abbuono = q.proposta.percento();
    crea_cartella_del_file(q.grafico);
    sostituisci_file(q.grafico, disegna_grafico(s.stato, e, calcola_orario(s.stato, o.treno, o.margine_minimo),
                                                calcola_orario(s.stato, o.treno, o.margine_minimo, abbuono), abbuono));
    if (!q.json) fmt::print(uscita, "scritto {}\n", q.grafico);
  }
  return mostra_ok;
}

// --confronta: the differences from the scenario of another folder; `stato`
// is what the first one's reading gave.
int confronta(const richiesta& q, const scenario_letto& s, int stato, std::ostream& uscita, std::ostream& diagnostica) {
  // A second folder is locked only beside a shared first: a run that holds
  // one folder alone never waits for another.
  std::optional<blocco_cartella> blocco_altro;
  if (!q.documenti.documenti) blocco_altro.emplace(q.confronta, accesso::condiviso);
  const scenario_letto altro = leggi_scenario(q.confronta, q.percorso, q.treno);
  scrivi_danni(altro.danni, q.confronta, diagnostica);
  const std::vector<differenza> d = confronta_scenari(s, altro);
  if (q.json) {
    scrivi_differenze_json(d, q.cartella, q.confronta, uscita);
  } else {
    scrivi_differenze(d, q.cartella, q.confronta, uscita);
  }
  if (!altro.danni.empty()) return mostra_danni;
  return stato != mostra_ok ? stato : d.empty() ? mostra_ok : mostra_differenze;
}

int esegui(const richiesta& q, std::ostream& uscita, std::ostream& diagnostica) {
  // Read while no build writes in the folder, so that no set half replaced
  // is taken for damage; with --documenti the run writes there too, and
  // holds the folder alone from the reading to the writing, so that the
  // documents are those of the files it read.
  const blocco_cartella blocco(q.cartella, q.documenti.documenti ? accesso::esclusivo : accesso::condiviso);
  const scenario_letto s = leggi_scenario(q.cartella, q.percorso, q.treno);
  scrivi_danni(s.danni, q.cartella, diagnostica);
  int stato = s.danni.empty() ? mostra_ok : mostra_danni;
  const bool modello = s.tabella_letta && s.binario_letto;
  std::optional<intervallo_celle> celle;
  if (!q.celle.empty() && !s.binario_letto) return mostra_danni;  // the damage is already shown
  if (!q.celle.empty()) {
    std::string errore;
    celle = leggi_intervallo(q.celle, s.stato.ultima_cella(), errore);
    if (!celle) {
      fmt::print(diagnostica, "{}: {}\n", programma, errore);
      return mostra_uso;
    }
  }
  const elementi_linea e = modello ? estrai_elementi(s.stato) : elementi_linea{};
  if (const int esito = disegna(q, s, e, uscita, diagnostica); esito != mostra_ok) return esito;
  if (q.documenti.documenti) {
    if (!s.danni.empty()) {
      fmt::print(diagnostica, "{}: nessun documento scritto: lo scenario e' danneggiato\n", programma);
      return mostra_danni;
    }
    if (const int esito = scrivi_documenti_accanto(q, s.stato, q.json ? nullptr : &uscita, diagnostica);
        esito != mostra_ok) {
      return esito;
    }
  }
  if (!q.confronta.empty()) return confronta(q, s, stato, uscita, diagnostica);
  // The proposal goes alone, or after the table of --orario.
  nlohmann::ordered_json proposta;
  std::ostringstream testo_proposta;
  if (q.proponi) {
    if (!s.danni.empty()) {
      fmt::print(diagnostica, "{}: nessun orario: lo scenario e' danneggiato\n", programma);
      return mostra_danni;
    }
    const proposta_orario p = proponi_orario(s.stato, q.percorrenza.treno, q.proposta.percento());
    proposta = scrivi_proposta(s.stato, p, q.percorrenza, q.json, testo_proposta);
    if (!q.orario) uscita << testo_proposta.str();
  }
  const nlohmann::ordered_json* membro_proposta = q.json && q.proponi ? &proposta : nullptr;
  if (q.orario) {
    // The running times trust every value they read: only a scenario with
    // no damage has values that a build wrote.
    if (!s.danni.empty()) {
      fmt::print(diagnostica, "{}: nessun orario: lo scenario e' danneggiato\n", programma);
      return mostra_danni;
    }
    const tabella_orario t = calcola_orario(s.stato, q.percorrenza.treno, q.percorrenza.margine_minimo);
    // The binary files keep no lines: the warnings name the item table.
    for (avviso a : avvisi_della_tabella(t, s.stato, {})) {
      a.luogo.file = nomi_file_binari(q.percorso, q.treno).tabella;
      diagnostica << testo_avviso(a, q.cartella, std::string(programma));
    }
    if (q.json) {
      const nlohmann::ordered_json orario = json_orario(t, s.stato, q.percorrenza);
      scrivi_json(s, e, celle, uscita, &orario, membro_proposta);
    } else {
      scrivi_tabella_orario(t, s.stato, q.percorrenza, uscita);
      if (q.proponi) uscita << '\n' << testo_proposta.str();
    }
  } else if (q.json) {
    scrivi_json(s, e, celle, uscita, nullptr, membro_proposta);
  } else if (celle) {
    scrivi_celle(s.stato, *celle, uscita);
  } else if (q.svg.empty() && q.grafico.empty() && !q.documenti.documenti && !q.proponi) {
    scrivi_riepilogo(s, e, uscita);
  }
  return stato;
}

}  // namespace

int mostra_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica) {
  richiesta q;
  CLI::App app{std::string(descrizione), std::string(programma)};
  prepara(app, q);
  if (const std::optional<int> fine = analizza_argomenti(app, argomenti, uscita, diagnostica)) return *fine;
  q.proponi = proposta_chiesta(app);
  std::string errore = controlla_opzioni_documenti(app, q.documenti);
  if (errore.empty() && q.sovrascrivi && !q.documenti.documenti)
    errore = "--sovrascrivi si usa solo insieme a --documenti";
  if (!errore.empty()) {
    fmt::print(diagnostica, "{}: {}\nUso: {}\n", programma, errore, uso);
    return mostra_uso;
  }
  auto una_volta = [&] {
    return esegui_su_scenario(programma, q.percorso, q.treno, diagnostica,
                              [&] { return esegui(q, uscita, diagnostica); });
  };
  if (!q.osserva) return una_volta();
  const nomi_binari nomi = nomi_file_binari(q.percorso, q.treno);
  return osserva(programma,
                 {nome_completo(q.cartella, nomi.planimetria), nome_completo(q.cartella, nomi.tabella),
                  nome_completo(q.cartella, nomi.binario)},
                 uscita, una_volta);
}

}  // namespace od
