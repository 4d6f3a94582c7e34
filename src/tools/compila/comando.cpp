#include "tools/compila/comando.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <array>
#include <string_view>
#include <vector>

#include "platform/cartella.h"
#include "scenario_text/nomi_file.h"
#include "tools/compila/compila.h"
#include "tools/compila/esempio.h"
#include "tools/compila/orario.h"
#include "tools/compila/proposta.h"
#include "tools/comune/documenti.h"
#include "tools/comune/opzioni_orario.h"
#include "tools/comune/osserva.h"
#include "tools/comune/proposta_orario.h"
#include "tools/comune/riga_comando.h"

namespace od {
namespace {

constexpr std::string_view programma = "compila_scenario";

constexpr std::string_view uso =
    "compila_scenario [--senza-planimetria] [--forza] [--json] [--uscita CARTELLA_USCITA]\n"
    "                         [--avvisi-errori] [--senza-avviso NOME]... [--max-avvisi N]\n"
    "                         [--orario] [--proponi-orario[=PERCENTO] [--scrivi-orario FILE]]\n"
    "                         [--accelerazione A] [--frenatura B] [--velocita-massima V]\n"
    "                         [--lunghezza-vettura M] [--margine-minimo P]\n"
    "                         [--documenti [--sovrascrivi] [OPZIONI DEI DOCUMENTI]] CARTELLA PERCORSO TRENO\n"
    "     compila_scenario --esempio CARTELLA [--sovrascrivi]";

constexpr std::string_view descrizione =
    "Costruisce i file binari di uno scenario dai due file di descrizione scritti\n"
    "a mano, con la stessa lettura e la stessa costruzione del programma di\n"
    "generazione. Legge:\n"
    "  CARTELLA/PERCORSO_linea.txt     descrizione della linea\n"
    "  CARTELLA/PERCORSO_TRENO-.txt    descrizione del treno\n"
    "e non li cancella ne' li modifica mai. Scrive in CARTELLA_USCITA (per\n"
    "difetto CARTELLA):\n"
    "  PERCORSO_linea.dat    planimetria della linea (non con --senza-planimetria)\n"
    "  PERCORSO_TRENO.sim    tabella delle voci\n"
    "  PERCORSO_TRENO.dat    celle del binario\n"
    "e, con --documenti, i documenti per il macchinista:\n"
    "  PERCORSO_TRENO_scheda_treno.txt     scheda treno\n"
    "  PERCORSO_TRENO_rallentamenti.txt    ordine di rallentamento\n"
    "Con --esempio scrive invece in CARTELLA i due file di descrizione dello\n"
    "scenario Orsella_Drumvane (treno xr40318), da cui partire per uno nuovo.";

constexpr std::string_view piede =
    "Un errore di lettura e' scritto sullo standard error come\n"
    "  FILE:RIGA: errore N: significato (posizione P m, cella C)\n"
    "seguito dalla riga del file e da un segno sotto il campo in errore, e i file\n"
    "binari non vengono scritti (salvo con --forza). Un avviso dice cio' che la\n"
    "lettura salta o registra diverso da come e' scritto, e non cambia nulla:\n"
    "  FILE:RIGA:COLONNA: avviso: che cosa e perche' [nome]\n"
    "--senza-avviso NOME tace un avviso (anche piu' volte); --avvisi-errori fa di\n"
    "ogni avviso un errore: stato 1, nessun file scritto. Di ogni nome si mostrano\n"
    "i primi 20 avvisi (--max-avvisi N, 0 per tutti), e gli altri sono contati in\n"
    "una riga. Gli errori 1250 e 1251\n"
    "dei controlli finali non scrivono alcun file. Il calcolo dei tempi di\n"
    "percorrenza da' gli avvisi orario-impossibile e orario-stretto sulla riga\n"
    "della stazione; --orario scrive anche la tabella, --proponi-orario un orario\n"
    "proposto (con --scrivi-orario, in una copia del file del treno). L'ultima riga dello\n"
    "standard output e' sempre (senza --json) l'esito, per esempio\n"
    "  esito: costruito, 0 avvisi\n"
    "  esito: errore 22 a 10100 m, 1 avviso\n"
    "\n"
    "Stato di uscita:\n"
    "  0   file scritti, nessun errore di lettura (avvisi ammessi)\n"
    "  1   errore di lettura, o avvisi con --avvisi-errori\n"
    "  2   uso errato, oppure un file che non si puo' scrivere\n"
    "  3   errore 1250 o 1251: nessun file scritto";

struct argomenti_compila {
  richiesta_compila costruzione;
  std::string esempio;  // the folder for the starting scenario, or empty
  bool sovrascrivi = false;
  opzioni_documenti documenti;
  bool orario = false;
  bool osserva = false;
  opzioni_orario percorrenza;
  opzioni_proposta proposta;
  std::string scrivi_orario;  // --scrivi-orario
  std::array<std::string, 3> posizionali;
  std::vector<std::string> taciuti;  // --senza-avviso
};

// The closing notes and the names that --senza-avviso takes.
std::string piede_con_avvisi() {
  std::string testo(piede);
  testo += "\n\nAvvisi:\n";
  for (const descrizione_avviso& d : tutti_gli_avvisi()) testo += fmt::format("  {:<26}{}\n", d.nome, d.cosa);
  testo.pop_back();
  return testo;
}

void prepara(CLI::App& app, argomenti_compila& a) {
  prepara_riga_comando(app, programma, uso);
  app.description(std::string(descrizione));
  app.footer(piede_con_avvisi());
  richiesta_compila& q = a.costruzione;
  app.add_flag("--senza-planimetria", q.senza_planimetria,
               "non calcola e non scrive la planimetria; un file PERCORSO_linea.dat gia' presente resta com'e'")
      ->group("Opzioni");
  app.add_flag("--forza", q.forza, "scrive i file anche dopo un errore di lettura, dal modello letto fino all'errore")
      ->group("Opzioni");
  app.add_option("--uscita", q.cartella_uscita, "cartella in cui scrivere i file binari (creata se manca)")
      ->type_name("CARTELLA_USCITA")
      ->group("Opzioni");
  app.add_flag("--json", q.json, "scrive l'esito (codici, posizioni, righe, avvisi, file scritti) come un oggetto JSON")
      ->group("Opzioni");
  app.add_flag("--avvisi-errori", q.avvisi.come_errori, "ogni avviso e' un errore: stato 1, nessun file scritto")
      ->group("Opzioni");
  app.add_option("--senza-avviso", a.taciuti, "tace l'avviso NOME; si puo' ripetere")
      ->type_name("NOME")
      ->allow_extra_args(false)
      ->group("Opzioni");
  app.add_option("--max-avvisi", q.avvisi.massimo_per_nome,
                 "quanti avvisi mostrare per ogni nome (per difetto 20, 0 per tutti); gli altri sono solo contati")
      ->type_name("N")
      ->check(CLI::NonNegativeNumber)
      ->group("Opzioni");
  app.add_flag("--orario", a.orario, "scrive la tabella dei tempi di percorrenza (con --json: il membro \"orario\")")
      ->group("Opzioni");
  app.add_flag("--osserva", a.osserva,
               "costruisce, poi di nuovo a ogni salvataggio dei due file di descrizione, fino a Ctrl-C")
      ->group("Opzioni");
  aggiungi_opzioni_orario(app, a.percorrenza);
  aggiungi_opzione_proposta(app, a.proposta);
  app.add_option("--scrivi-orario", a.scrivi_orario,
                 "con --proponi-orario, scrive in FILE una copia del file del treno con gli orari proposti")
      ->type_name("FILE")
      ->group("Orario");
  app.add_option("--esempio", a.esempio, "scrive in CARTELLA i due file di descrizione dello scenario di partenza")
      ->type_name("CARTELLA")
      ->group("Opzioni");
  app.add_flag("--sovrascrivi", a.sovrascrivi,
               "con --esempio o --documenti, sostituisce i file di descrizione o i documenti gia' presenti")
      ->group("Opzioni");
  aggiungi_opzioni_documenti(app, a.documenti);
  // Not marked required: --esempio goes without them, and controlla() tells
  // the author which one is missing.
  app.add_option("CARTELLA", a.posizionali[0], "cartella dei file di descrizione")->type_name("");
  app.add_option("PERCORSO", a.posizionali[1], "nome del percorso")->type_name("");
  app.add_option("TRENO", a.posizionali[2], "nome del treno")->type_name("");
}

// What the parser cannot tell by itself: which options go together, and the
// three names of a build. Returns the reason when the request is wrong.
std::string controlla(argomenti_compila& a, const CLI::App& app) {
  if (!a.esempio.empty() || app.count("--esempio") > 0) {
    if (a.esempio.empty()) return "--esempio vuole il nome di una cartella";
    for (const char* opzione :
         {"--senza-planimetria", "--forza", "--uscita", "--json", "--avvisi-errori", "--senza-avviso", "--max-avvisi",
          "--orario", "--documenti", "--proponi-orario", "--scrivi-orario", "--osserva"}) {
      if (app.count(opzione) > 0) return fmt::format("--esempio non si usa insieme a {}", opzione);
    }
    if (app.count("CARTELLA") > 0) return "--esempio vuole solo la cartella in cui scrivere";
    return controlla_opzioni_documenti(app, a.documenti);
  }
  if (app.count("--scrivi-orario") > 0 && !proposta_chiesta(app))
    return "--scrivi-orario si usa solo insieme a --proponi-orario";
  if (app.count("--scrivi-orario") > 0 && a.scrivi_orario.empty()) return "--scrivi-orario vuole il nome di un file";
  if (a.sovrascrivi && !a.documenti.documenti) return "--sovrascrivi si usa solo insieme a --esempio o --documenti";
  if (std::string e = controlla_opzioni_documenti(app, a.documenti); !e.empty()) return e;
  if (app.count("TRENO") == 0) return "servono tre argomenti: CARTELLA PERCORSO TRENO";
  richiesta_compila& q = a.costruzione;
  q.cartella = a.posizionali[0];
  q.percorso = a.posizionali[1];
  q.treno = a.posizionali[2];
  if (q.cartella.empty()) return "CARTELLA vuota";
  if (app.count("--uscita") > 0 && q.cartella_uscita.empty()) return "--uscita vuole il nome di una cartella";
  if (q.cartella_uscita.empty()) q.cartella_uscita = q.cartella;
  for (const std::string& nome : a.taciuti) {
    if (!avviso_esiste(nome)) return fmt::format("--senza-avviso: avviso sconosciuto \"{}\"", nome);
    q.avvisi.taciuti.insert(nome);
  }
  if (std::string e = controlla_nome("PERCORSO", q.percorso); !e.empty()) return e;
  return controlla_nome("TRENO", q.treno);
}

}  // namespace

int compila_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica) {
  argomenti_compila a;
  CLI::App app{"", std::string(programma)};
  prepara(app, a);
  if (const std::optional<int> fine = analizza_argomenti(app, argomenti, uscita, diagnostica)) return *fine;
  if (const std::string errore = controlla(a, app); !errore.empty()) {
    fmt::print(diagnostica, "{}: {}\nUso: {}\n", programma, errore, uso);
    return stato_uso_errato;
  }
  if (!a.esempio.empty()) return scrivi_esempio(a.esempio, a.sovrascrivi, uscita, diagnostica);
  richiesta_compila& q = a.costruzione;
  q.orario = a.percorrenza;
  const bool proposta = proposta_chiesta(app);
  if (a.orario || proposta) {
    const richiesta_proposta r{a.proposta.percento(), nome_completo(q.cartella, nome_file_treno(q.percorso, q.treno)),
                               a.scrivi_orario};
    q.dopo_costruzione = [&a, &q, proposta, r](const scenario& stato, std::ostream& u, std::ostream&) {
      nlohmann::ordered_json membri = a.orario ? orario_costruito(stato, a.percorrenza, q.json, u) : nullptr;
      if (!proposta) return membri;
      if (a.orario && !q.json) u << '\n';
      const nlohmann::ordered_json altri = proposta_costruita(stato, a.percorrenza, r, q.json, u);
      if (altri.is_object()) {
        if (!membri.is_object()) membri = nlohmann::ordered_json::object();
        membri.update(altri);
      }
      return membri;
    };
  }
  if (a.documenti.documenti) {
    // Documents already there hold back only themselves: the binaries are
    // built all the same.
    q.scrivi_accanto = [&a, &q](const scenario& stato, std::vector<avviso>& avvisi, sostituzione_insieme& insieme) {
      if (a.sovrascrivi) {
        return scrivi_documenti(q.cartella_uscita, stato, a.documenti, a.percorrenza, avvisi, &insieme);
      }
      return scrivi_documenti_se_assenti(q.cartella_uscita, stato, a.documenti, a.percorrenza, avvisi, &insieme);
    };
  }
  if (a.osserva) {
    const std::vector<std::string> file = {nome_completo(q.cartella, nome_file_linea(q.percorso)),
                                           nome_completo(q.cartella, nome_file_treno(q.percorso, q.treno))};
    return osserva(programma, file, uscita, [&] { return compila(q, uscita, diagnostica); });
  }
  return compila(q, uscita, diagnostica);
}

}  // namespace od
