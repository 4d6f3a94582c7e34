#include "costruzione/memorizza_percorso.h"

#include "builder/codici.h"
#include "builder/memorizza_dati.h"
#include "builder/percorso.h"
#include "costruzione/avvisi_modello.h"
#include "elementi/voci_generali.h"
#include "modello/misure_linea.h"
#include "output/codici_gara.h"
#include "output/file_binari.h"
#include "percorrenza/avvisi_orario.h"
#include "percorrenza/orario.h"

namespace od {

int32_t controlli_finali(scenario& stato) {
  if (stato.binario.size() < 2) return 0;  // no track: nothing to mark
  if (segno_in_tabella(stato) != 0 || segno_in_binario(stato) != 0) return numero(codici::cella1_primo);
  segno_in_tabella(stato) = segno_tabella;
  segno_in_binario(stato) = segno_binario;
  if (codice_st(stato) != 0 || codice_og(stato) != 0) return numero(codici::cella1_secondo);
  codice_st(stato) = codice_gara_st(stato);
  codice_og(stato) = codice_gara_og(stato);
  return 0;
}

namespace {

// Every warning about the model as a whole joins the readers' and the walk's
// here, so that the rules of the author see them all before anything is
// written.
void raccogli_avvisi_costruzione(const scenario& stato, sessione_costruzione& sessione, const opzioni_build& opzioni,
                                 bool letto_tutto) {
  // A model read only in part, or without a track, has nothing worth judging.
  if (!letto_tutto || stato.binario.size() < 2) return;
  const treno_percorrenza treno = opzioni.orario ? opzioni.orario->treno : treno_percorrenza{};
  for (avviso& a : avvisi_del_modello(stato, sessione, treno)) registra_avviso(sessione, std::move(a));
  // Whether the timetable can be kept.
  if (!opzioni.orario) return;
  const tabella_orario t = calcola_orario(stato, opzioni.orario->treno, opzioni.orario->margine_minimo);
  for (avviso& a : avvisi_della_tabella(t, stato, sessione.origini)) registra_avviso(sessione, std::move(a));
}

}  // namespace

std::vector<avviso> avvisi_mostrati(const sessione_costruzione& sessione, const opzioni_build& opzioni) {
  return applica_regole(sessione.avvisi, opzioni.avvisi);
}

std::vector<avvisi_non_mostrati> avvisi_oltre_il_limite(const sessione_costruzione& sessione,
                                                        const opzioni_build& opzioni) {
  return oltre_il_limite(sessione.avvisi, sessione.conteggio, opzioni.avvisi);
}

risultato_build memorizza_percorso(scenario& stato, sessione_costruzione& sessione, int32_t j,
                                   const opzioni_build& opzioni) {
  stato.con_planimetria = j;
  sessione = {};
  sessione.regole = opzioni.avvisi;
  pulisci_tabella(stato);
  sessione.codice = memorizza_dati(stato, sessione, opzioni.sorgente);
  risultato_build risultato{.esito = esito_build::completato,
                            .codice_finale = 0,
                            .codice_lettura = sessione.codice.codice,
                            .posizione_lettura = sessione.codice.posizione};
  if (risultato.codice_lettura != 0 && !opzioni.forza) {
    risultato.esito = esito_build::codice_lettura;
    return risultato;
  }
  if (risultato.codice_lettura != 0 && stato.binario.size() < 2) {
    risultato.esito = esito_build::senza_binario;
    return risultato;
  }
  cammina_binario(stato, sessione);
  raccogli_avvisi_costruzione(stato, sessione, opzioni, risultato.codice_lettura == 0);
  if (const int32_t codice = controlli_finali(stato); codice != 0) {
    risultato.esito = esito_build::errore_finale;
    risultato.codice_finale = codice;
    return risultato;
  }
  if (opzioni.avvisi.come_errori && !avvisi_mostrati(sessione, opzioni).empty()) {
    risultato.esito = esito_build::avvisi_errori;
    return risultato;
  }
  if (opzioni.solo_in_memoria) return risultato;
  if (opzioni.insieme != nullptr) {
    prepara_file_binari(stato, opzioni.cartella_uscita, *opzioni.insieme);
  } else {
    scrivi_file_binari(stato, opzioni.cartella_uscita, *opzioni.chiamate, opzioni.sincronia_binari);
  }
  return risultato;
}

}  // namespace od
