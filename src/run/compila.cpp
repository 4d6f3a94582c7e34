#include "run/compila.h"

#include <exception>
#include <string_view>

#include "builder/codici.h"
#include "builder/modello.h"
#include "platform/blocco_cartella.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "output/file_binari.h"
#include "run/diagnostica.h"
#include "run/memorizza_percorso.h"

namespace od {
namespace {

constexpr std::string_view programma = "compila_scenario";
constexpr std::string_view uso =
    "Uso: compila_scenario [--senza-planimetria] [--forza] [--json] [--uscita CARTELLA_USCITA] CARTELLA PERCORSO TRENO";

constexpr std::string_view aiuto =
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
    "\n"
    "Opzioni:\n"
    "  --senza-planimetria   non calcola e non scrive la planimetria; un file\n"
    "                        PERCORSO_linea.dat gia' presente resta com'e'\n"
    "  --forza               scrive i file anche dopo un errore di lettura, dal\n"
    "                        modello cosi' come e' stato letto fino all'errore\n"
    "  --uscita CARTELLA     cartella in cui scrivere i file binari\n"
    "  --json                scrive l'esito (codici, posizioni, righe, avvisi, file\n"
    "                        scritti) come un solo oggetto JSON sullo standard output\n"
    "  --help                mostra questo aiuto\n"
    "\n"
    "Un errore di lettura e' scritto sullo standard error come\n"
    "  FILE:RIGA: errore N: significato (posizione P m, cella C)\n"
    "seguito dalla riga del file e da un segno sotto il campo in errore;\n"
    "gli avvisi allo stesso modo, con la riga del segnale o del rallentamento.\n"
    "e i file binari non vengono scritti (salvo con --forza). I codici 11, 12 e 13\n"
    "della costruzione sono avvisi, una riga ciascuno: i file vengono scritti.\n"
    "Gli errori 1250 e 1251 dei controlli finali non scrivono alcun file.\n"
    "L'ultima riga dello standard output e' sempre, dopo la costruzione (senza --json),\n"
    "  codice_errore N posizione_errore P\n"
    "\n"
    "Stato di uscita:\n"
    "  0   file scritti, nessun errore di lettura (avvisi ammessi)\n"
    "  1   errore di lettura\n"
    "  2   uso errato, oppure un file che non si puo' scrivere\n"
    "  3   errore 1250 o 1251: nessun file scritto\n";

struct richiesta {
  bool aiuto = false;
  bool senza_planimetria = false;
  bool forza = false;
  bool json = false;
  std::string cartella;
  std::string cartella_uscita;  // empty: the input folder
  std::string percorso;
  std::string treno;
};

// A name becomes part of every file name: a separator in it would put the
// files in another folder. Both separators are refused on every platform,
// since Windows takes either.
std::string controlla_nome(std::string_view cosa, const std::string& nome) {
  if (nome.empty()) return std::string(cosa) + " vuoto";
  for (const char separatore : {'/', '\\'}) {
    if (nome.find(separatore) != std::string::npos) {
      return std::string(cosa) + " contiene \"" + separatore + "\": \"" + nome + "\"";
    }
  }
  return {};
}

// Fills `r` from the arguments; returns the reason when they are wrong.
std::string leggi_argomenti(const std::vector<std::string>& argomenti, richiesta& r) {
  std::vector<std::string> posizionali;
  bool opzioni_finite = false;
  for (std::size_t n = 0; n < argomenti.size(); ++n) {
    const std::string& a = argomenti[n];
    if (opzioni_finite || a.empty() || a[0] != '-' || a == "-") {
      posizionali.push_back(a);
    } else if (a == "--") {
      opzioni_finite = true;
    } else if (a == "--help" || a == "-h") {
      r.aiuto = true;
      return {};
    } else if (a == "--senza-planimetria") {
      r.senza_planimetria = true;
    } else if (a == "--forza") {
      r.forza = true;
    } else if (a == "--json") {
      r.json = true;
    } else if (a == "--uscita") {
      if (++n == argomenti.size()) return "--uscita vuole il nome di una cartella";
      r.cartella_uscita = argomenti[n];
    } else if (a.starts_with("--uscita=")) {
      r.cartella_uscita = a.substr(std::string_view("--uscita=").size());
    } else {
      return "opzione sconosciuta: " + a;
    }
  }
  if (posizionali.size() != 3) return "servono tre argomenti: CARTELLA PERCORSO TRENO";
  r.cartella = posizionali[0];
  r.percorso = posizionali[1];
  r.treno = posizionali[2];
  if (r.cartella.empty()) return "CARTELLA vuota";
  if (r.cartella_uscita.empty()) r.cartella_uscita = r.cartella;
  if (std::string e = controlla_nome("PERCORSO", r.percorso); !e.empty()) return e;
  return controlla_nome("TRENO", r.treno);
}

// What the build did, for the text on standard error and for --json.
struct resoconto {
  risultato_build risultato;
  std::vector<std::string> file_scritti;
  std::string errore_file;  // a file that could not be written, with the reason
};

void mostra_testo(const stato_scenario& stato, const resoconto& r, const richiesta& q, std::ostream& diagnostica) {
  const risultato_build& b = r.risultato;
  const std::string nome(programma);
  if (b.codice_lettura != 0) diagnostica << diagnostica_codice(stato, b.codice_lettura, b.posizione_lettura, q.cartella, nome);
  if (b.esito == esito_build::senza_binario) diagnostica << programma << ": il binario non e' stato creato: nessun file da scrivere\n";
  if (b.esito == esito_build::errore_finale || b.esito == esito_build::completato) {
    for (const avviso_percorso& a : stato.avvisi) diagnostica << diagnostica_avviso(stato, a, q.cartella, nome);
  }
  if (b.esito == esito_build::errore_finale) diagnostica << " Errore n. " << b.codice_finale << '\n';
  if (b.esito == esito_build::completato && b.codice_lettura != 0) {
    diagnostica << programma << ": file scritti comunque (--forza) dal modello letto fino all'errore\n";
  }
  if (!r.errore_file.empty()) diagnostica << programma << ": " << r.errore_file << '\n';
}

std::string json_luogo(const luogo_errore& l, const std::string& cartella) {
  if (l.file.empty()) return "null";
  return "{\"file\":" + testo_json(nome_completo(cartella, l.file)) + ",\"linea\":" + std::to_string(l.linea) +
         ",\"colonna\":" + std::to_string(l.linea_campo == l.linea ? l.colonna : 0) + ",\"testo\":" +
         testo_json(l.testo) + "}";
}

std::string json_codice(int32_t codice, int32_t posizione, const luogo_errore& luogo, const std::string& motivo,
                        const std::string& cartella) {
  const descrizione_codice* d = descrivi_codice(codice);
  std::string json = "{\"codice\":" + std::to_string(codice) + ",\"significato\":" +
                     testo_json(d != nullptr ? std::string(d->significato) : "codice sconosciuto");
  if (d != nullptr && d->con_posizione) json += ",\"posizione\":" + std::to_string(posizione);
  json += ",\"luogo\":" + json_luogo(luogo, cartella);
  if (!motivo.empty()) json += ",\"motivo\":" + testo_json(motivo);
  return json + "}";
}

void mostra_json(const stato_scenario& stato, const resoconto& r, const richiesta& q, int esito, std::ostream& uscita) {
  const risultato_build& b = r.risultato;
  std::string json = "{\"stato_uscita\":" + std::to_string(esito) + ",\"codice_errore\":" +
                     std::to_string(stato.codice_errore) + ",\"posizione_errore\":" +
                     std::to_string(stato.posizione_errore) + ",\"errore_lettura\":";
  json += b.codice_lettura != 0
              ? json_codice(b.codice_lettura, b.posizione_lettura, stato.luogo, stato.luogo.motivo, q.cartella)
              : "null";
  json += ",\"avvisi\":[";
  for (std::size_t i = 0; i < stato.avvisi.size(); ++i) {
    const avviso_percorso& a = stato.avvisi[i];
    const auto origine = stato.origini.find(a.elemento);
    if (i > 0) json += ',';
    json += json_codice(a.codice, a.posizione, origine != stato.origini.end() ? origine->second : luogo_errore{}, "",
                        q.cartella);
  }
  json += "],\"errore_finale\":" + (b.codice_finale != 0 ? std::to_string(b.codice_finale) : std::string("null"));
  json += ",\"errore_file\":" + (r.errore_file.empty() ? std::string("null") : testo_json(r.errore_file));
  json += ",\"file_scritti\":[";
  for (std::size_t i = 0; i < r.file_scritti.size(); ++i) {
    if (i > 0) json += ',';
    json += testo_json(r.file_scritti[i]);
  }
  uscita << json << "]}\n";
}

int stato_di_uscita(const resoconto& r) {
  if (!r.errore_file.empty()) return compila_uso;
  switch (r.risultato.esito) {
    case esito_build::errore_finale:
      return compila_finale;
    case esito_build::codice_lettura:
    case esito_build::senza_binario:
      return compila_codice;
    case esito_build::completato:
      break;
  }
  return r.risultato.codice_lettura == 0 ? compila_ok : compila_codice;
}

int compila(const richiesta& q, std::ostream& uscita, std::ostream& diagnostica) {
  stato_scenario stato;
  stato.nome_percorso = q.percorso;
  stato.nome_treno = q.treno;
  opzioni_build opzioni;
  opzioni.sorgente.cartella = q.cartella;
  opzioni.sorgente.elimina = false;  // the author's files stay
  opzioni.cartella_uscita = q.cartella_uscita;
  opzioni.forza = q.forza;
  const int32_t j = q.senza_planimetria ? 0 : 1;
  resoconto r;
  try {
    // One writer at a time in the output folder, as for the generator; once
    // it is held, no other run's temporary files can be live there.
    const blocco_cartella blocco(q.cartella_uscita);
    const nomi_binari binari = nomi_file_binari(q.percorso, q.treno);
    for (const std::string& nome : {binari.planimetria, binari.tabella, binari.binario}) {
      elimina_temporanei_rimasti(nome_completo(q.cartella_uscita, nome));
    }
    r.risultato = memorizza_percorso(stato, j, opzioni);
    if (r.risultato.esito == esito_build::completato) {
      const nomi_binari nomi = nomi_file_binari(q.percorso, q.treno);
      if (j != 0) r.file_scritti.push_back(nome_completo(q.cartella_uscita, nomi.planimetria));
      r.file_scritti.push_back(nome_completo(q.cartella_uscita, nomi.tabella));
      r.file_scritti.push_back(nome_completo(q.cartella_uscita, nomi.binario));
    }
  } catch (const errore_file& e) {
    r.errore_file = e.what();
  }
  const int esito = stato_di_uscita(r);
  mostra_testo(stato, r, q, diagnostica);
  if (q.json) {
    mostra_json(stato, r, q, esito, uscita);
  } else {
    uscita << "codice_errore " << stato.codice_errore << " posizione_errore " << stato.posizione_errore << '\n';
  }
  return esito;
}

}  // namespace

int compila_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica) {
  richiesta q;
  if (const std::string errore = leggi_argomenti(argomenti, q); !errore.empty()) {
    diagnostica << programma << ": " << errore << '\n' << uso << '\n';
    return compila_uso;
  }
  if (q.aiuto) {
    uscita << uso << "\n\n" << aiuto;
    return compila_ok;
  }
  try {
    return compila(q, uscita, diagnostica);
  } catch (const std::exception& e) {
    // Nothing below is expected to throw anything else; if it does, the
    // author still gets one line instead of an abort.
    diagnostica << programma << ": errore inatteso: " << e.what() << '\n';
    return compila_uso;
  }
}

}  // namespace od
