#include "run/generazione.h"

#include "builder/codici.h"
#include "costruzione/diagnostica.h"
#include "costruzione/memorizza_percorso.h"
#include "documents/documenti.h"
#include "output/file_binari.h"
#include "platform/blocco_cartella.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "scenario_text/nomi_file.h"
#include "scenario_text/scenario_carico.h"

namespace od {

void errore(finestra& finestra, std::string_view a) {
  std::string testo = " Errore n. ";
  testo += a;
  finestra.messaggio(testo);
}

namespace {

// The code as the message shows it, with the position where one goes with it.
std::string testo_codice(const esito_lettura& codice) {
  std::string testo = std::to_string(codice.codice);
  const descrizione_codice* d = descrivi_codice(codice.codice);
  if (d != nullptr && d->con_posizione) testo += " - posizione " + std::to_string(codice.posizione);
  return testo;
}

constexpr const char* programma = "orsella_drumvane";

// The generator tells the walk's codes only; the other warnings are for the
// authors' tools.
void mostra_avvisi(const sessione_costruzione& sessione, const std::string& cartella, std::ostream& diagnostica) {
  for (const avviso& a : sessione.avvisi) {
    if (a.codice != 0) diagnostica << testo_avviso(a, cartella, programma);
  }
}

// The run's description files are its own, written for this build alone:
// once the build has read them they go, whatever the build's outcome, a
// failure to write the binary files included.
class descrizioni_da_eliminare {
 public:
  descrizioni_da_eliminare(const std::string& cartella, const scenario& stato)
      : linea_(nome_completo(cartella, nome_file_linea(stato.nome_percorso))),
        treno_(nome_completo(cartella, nome_file_treno(stato.nome_percorso, stato.nome_treno))) {}
  descrizioni_da_eliminare(const descrizioni_da_eliminare&) = delete;
  descrizioni_da_eliminare& operator=(const descrizioni_da_eliminare&) = delete;

  // Deletes both now, so that a deletion that fails is told as the run's
  // file error (deleting a missing file is no error).
  void elimina() {
    eliminate_ = true;
    elimina_se_esiste(linea_);
    elimina_se_esiste(treno_);
  }

  // On the way out of a failed build: the error already on its way is the
  // one told, so a further failure here is passed over.
  ~descrizioni_da_eliminare() {
    if (eliminate_) return;
    try {
      elimina_se_esiste(linea_);
      elimina_se_esiste(treno_);
    } catch (const errore_file&) {
    }
  }

 private:
  std::string linea_;
  std::string treno_;
  bool eliminate_ = false;
};

// Every file that a run writes, each of which a killed run may have left
// half-written beside its target.
std::vector<std::string> file_della_generazione(const scenario& stato) {
  const std::string& p = stato.nome_percorso;
  const std::string& t = stato.nome_treno;
  const nomi_binari binari = nomi_file_binari(p, t);
  return {nome_file_linea(p),
          nome_file_treno(p, t),
          nome_file_documento(p, t, "note"),
          nome_file_documento(p, t, "rallentamenti"),
          nome_file_documento(p, t, "scheda_treno"),
          binari.planimetria,
          binari.tabella,
          binari.binario};
}

// Every stage that changes the folder. The description files, deleted at
// the end, are not synced at all. The documents and the binary files stay
// temporaries, each synced, until the build is over; then they replace the
// old ones as one set, which syncs the folder once: a run that fails before
// (a full disk) leaves the six files as they were, and one stopped by a
// final check still replaces the documents, with no binary file to join them.
risultato_build scrivi_e_costruisci(scenario& stato, sessione_costruzione& sessione, const std::string& cartella,
                                    const scrittori_generazione& scrittori, chiamate_file& chiamate) {
  for (const auto scrivi : {scrittori.linea, scrittori.treno}) {
    scrivi(cartella, stato.nome_percorso, stato.nome_treno, chiamate, sincronia::nessuna);
  }
  sostituzione_insieme insieme(chiamate);
  for (const auto prepara : {scrittori.note, scrittori.rallentamenti, scrittori.scheda}) {
    prepara(insieme, cartella, stato.nome_percorso, stato.nome_treno);
  }
  opzioni_build opzioni;
  opzioni.sorgente = {cartella};
  opzioni.cartella_uscita = cartella;
  opzioni.insieme = &insieme;
  // The generator tells every code of the walk: its output is the
  // simulator's, and no author's limit applies.
  opzioni.avvisi.massimo_per_nome = 0;
  descrizioni_da_eliminare descrizioni(cartella, stato);
  const risultato_build risultato = memorizza_percorso(stato, sessione, 1, opzioni);
  descrizioni.elimina();
  insieme.installa();
  return risultato;
}

int genera(finestra& finestra, const std::string& cartella, std::ostream& diagnostica,
           const scrittori_generazione& scrittori, chiamate_file& chiamate) {
  scenario stato;
  sessione_costruzione sessione;
  stato.nome_percorso = nome_percorso_carico;
  stato.nome_treno = nome_treno_carico;
  finestra.mostra("Attendere");

  const blocco_cartella blocco(cartella);
  elimina_temporanei_rimasti(cartella, file_della_generazione(stato));
  const risultato_build risultato = scrivi_e_costruisci(stato, sessione, cartella, scrittori, chiamate);

  switch (risultato.esito) {
    case esito_build::completato:
      mostra_avvisi(sessione, cartella, diagnostica);
      return uscita_ok;
    case esito_build::errore_finale:
      errore(finestra, std::to_string(risultato.codice_finale));
      return uscita_errore;
    case esito_build::avvisi_errori:  // the generator never asks for it
      return uscita_errore;
    case esito_build::codice_lettura:
    case esito_build::senza_binario:
      diagnostica << diagnostica_codice(sessione.codice.luogo, sessione.codice.codice, sessione.codice.posizione,
                                        cartella, programma);
      errore(finestra, testo_codice(sessione.codice));
      return uscita_errore;
  }
  return uscita_errore;
}

}  // namespace

scrittori_generazione scrittori_carichi() {
  return {[](const std::string& cartella, const std::string& percorso, const std::string&, chiamate_file& chiamate,
             sincronia sincronia) { dati_linea(cartella, percorso, chiamate, sincronia); },
          dati_treno, prepara_note, prepara_rallentamenti, prepara_scheda};
}

int esegui_generazione(finestra& finestra, const std::string& cartella, std::ostream& diagnostica,
                       const scrittori_generazione& scrittori, chiamate_file& chiamate) {
  try {
    return genera(finestra, cartella, diagnostica, scrittori, chiamate);
  } catch (const errore_file& e) {
    diagnostica << programma << ": " << e.percorso() << ": " << e.motivo() << '\n';
    diagnostica.flush();
    // The run ends when the user has read it.
    finestra.errore_file(e.percorso() + ": " + e.motivo());
    return uscita_file;
  }
}

}  // namespace od
