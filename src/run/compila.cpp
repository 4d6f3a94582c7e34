#include "run/compila.h"

#include <exception>
#include <string_view>

#include "builder/codici.h"
#include "builder/modello.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "run/memorizza_percorso.h"

namespace od {
namespace {

constexpr std::string_view programma = "compila_scenario";
constexpr std::string_view uso =
    "Uso: compila_scenario [--senza-planimetria] [--forza] [--uscita CARTELLA_USCITA] CARTELLA PERCORSO TRENO";

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
    "  --help                mostra questo aiuto\n"
    "\n"
    "Un errore di lettura e' scritto sullo standard error come\n"
    "  FILE:RIGA: errore N: significato (posizione P m)\n"
    "e i file binari non vengono scritti (salvo con --forza). I codici 11, 12 e 13\n"
    "della costruzione sono avvisi, una riga ciascuno: i file vengono scritti.\n"
    "Gli errori 1250 e 1251 dei controlli finali non scrivono alcun file.\n"
    "L'ultima riga dello standard output e' sempre, dopo la costruzione,\n"
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
  std::string cartella;
  std::string cartella_uscita;  // empty: the input folder
  std::string percorso;
  std::string treno;
};

// A name becomes part of every file name: a separator in it would put the
// files in another folder.
std::string controlla_nome(std::string_view cosa, const std::string& nome) {
  if (nome.empty()) return std::string(cosa) + " vuoto";
  if (nome.find(separatore_cartella) != std::string::npos) {
    return std::string(cosa) + " contiene \"" + separatore_cartella + "\": \"" + nome + "\"";
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

std::string_view significato(int32_t codice) {
  const descrizione_codice* d = descrivi_codice(codice);
  return d != nullptr ? d->significato : "codice sconosciuto";
}

bool con_posizione(int32_t codice) {
  const descrizione_codice* d = descrivi_codice(codice);
  return d != nullptr && d->con_posizione;
}

// "FILE:LINE: errore N: meaning (posizione P m)", the way compilers point at
// the input, so that an editor can jump to the line.
void mostra_codice_lettura(const stato_scenario& stato, const risultato_build& r, const std::string& cartella,
                           std::ostream& diagnostica) {
  const luogo_errore& luogo = stato.luogo;
  if (luogo.file.empty()) {
    diagnostica << programma;
  } else {
    diagnostica << nome_completo(cartella, luogo.file);
    if (luogo.linea > 0) diagnostica << ':' << luogo.linea;
  }
  diagnostica << ": errore " << r.codice_lettura << ": " << significato(r.codice_lettura);
  if (r.codice_lettura == 25 && !luogo.motivo.empty()) diagnostica << ": " << luogo.motivo;
  if (con_posizione(r.codice_lettura)) diagnostica << " (posizione " << r.posizione_lettura << " m)";
  diagnostica << '\n';
}

void mostra_avvisi(const stato_scenario& stato, std::ostream& diagnostica) {
  for (const avviso_percorso& a : stato.avvisi) {
    diagnostica << "avviso n. " << a.codice << " - posizione " << a.posizione << " m: " << significato(a.codice)
                << '\n';
  }
}

int esito(const stato_scenario& stato, const risultato_build& r, const richiesta& q, std::ostream& diagnostica) {
  if (r.codice_lettura != 0) mostra_codice_lettura(stato, r, q.cartella, diagnostica);
  switch (r.esito) {
    case esito_build::codice_lettura:
      return compila_codice;
    case esito_build::senza_binario:
      diagnostica << programma << ": il binario non e' stato creato: nessun file da scrivere\n";
      return compila_codice;
    case esito_build::errore_finale:
      mostra_avvisi(stato, diagnostica);
      diagnostica << " Errore n. " << r.codice_finale << '\n';
      return compila_finale;
    case esito_build::completato:
      break;
  }
  mostra_avvisi(stato, diagnostica);
  if (r.codice_lettura == 0) return compila_ok;
  diagnostica << programma << ": file scritti comunque (--forza) dal modello letto fino all'errore\n";
  return compila_codice;
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
  int stato_uscita = compila_uso;
  try {
    const risultato_build r = memorizza_percorso(stato, q.senza_planimetria ? 0 : 1, opzioni);
    stato_uscita = esito(stato, r, q, diagnostica);
  } catch (const errore_file& e) {
    diagnostica << programma << ": " << e.percorso() << ": " << e.motivo() << '\n';
  }
  uscita << "codice_errore " << stato.codice_errore << " posizione_errore " << stato.posizione_errore << '\n';
  return stato_uscita;
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
