#include "run/generazione.h"

#include "builder/codici.h"
#include "documents/documenti.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "run/memorizza_percorso.h"
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
std::string testo_codice(const stato_scenario& stato) {
  std::string testo = std::to_string(stato.codice_errore);
  const descrizione_codice* d = descrivi_codice(stato.codice_errore);
  if (d != nullptr && d->con_posizione) testo += " - posizione " + std::to_string(stato.posizione_errore);
  return testo;
}

void mostra_avvisi(const stato_scenario& stato, std::ostream& diagnostica) {
  for (const avviso_percorso& a : stato.avvisi) {
    const descrizione_codice* d = descrivi_codice(a.codice);
    diagnostica << "avviso n. " << a.codice << " - posizione " << a.posizione;
    if (d != nullptr) diagnostica << ": " << d->significato;
    diagnostica << '\n';
  }
}

int genera(finestra& finestra, const std::string& cartella, std::ostream& diagnostica) {
  stato_scenario stato;
  stato.nome_percorso = nome_percorso_carico;
  stato.nome_treno = nome_treno_carico;
  finestra.mostra("Attendere");

  dati_linea(cartella, stato.nome_percorso);
  dati_treno(cartella, stato.nome_percorso, stato.nome_treno);
  dati_note(cartella, stato.nome_percorso, stato.nome_treno);
  dati_rallentamenti(cartella, stato.nome_percorso, stato.nome_treno);
  dati_scheda(cartella, stato.nome_percorso, stato.nome_treno);

  opzioni_build opzioni;
  opzioni.sorgente = {cartella, true};
  opzioni.cartella_uscita = cartella;
  const risultato_build risultato = memorizza_percorso(stato, 1, opzioni);
  // The description files are transient whatever happened while reading.
  elimina_se_esiste(nome_completo(cartella, nome_file_linea(stato.nome_percorso)));
  elimina_se_esiste(nome_completo(cartella, nome_file_treno(stato.nome_percorso, stato.nome_treno)));

  switch (risultato.esito) {
    case esito_build::completato:
      mostra_avvisi(stato, diagnostica);
      return uscita_ok;
    case esito_build::errore_finale:
      errore(finestra, std::to_string(risultato.codice_finale));
      return uscita_errore;
    case esito_build::codice_lettura:
    case esito_build::senza_binario:
      errore(finestra, testo_codice(stato));
      return uscita_errore;
  }
  return uscita_errore;
}

}  // namespace

int esegui_generazione(finestra& finestra, const std::string& cartella, std::ostream& diagnostica) {
  try {
    return genera(finestra, cartella, diagnostica);
  } catch (const errore_file& e) {
    diagnostica << "orsella_drumvane: " << e.percorso() << ": " << e.motivo() << '\n';
    return uscita_file;
  }
}

}  // namespace od
