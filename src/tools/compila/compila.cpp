#include "tools/compila/compila.h"

#include <exception>
#include <string_view>
#include <utility>
#include <vector>

#include "builder/codici.h"
#include "costruzione/diagnostica.h"
#include "costruzione/memorizza_percorso.h"
#include "modello/modello.h"
#include "output/file_binari.h"
#include "platform/blocco_cartella.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "tools/compila/diagnostica_json.h"
#include "tools/comune/testo_utf8.h"

namespace od {
namespace {

constexpr std::string_view programma = "compila_scenario";

// What the build did, for the text on standard error and for --json.
struct resoconto {
  risultato_build risultato;
  std::vector<avviso> avvisi;                     // the warnings shown, after the author's rules
  std::vector<avvisi_non_mostrati> non_mostrati;  // past --max-avvisi, counted
  std::vector<std::string> file_scritti;
  std::string errore_file;  // a file that could not be written, with the reason
};

void mostra_testo(const sessione_costruzione& sessione, const resoconto& r, const richiesta_compila& q,
                  std::ostream& diagnostica) {
  const risultato_build& b = r.risultato;
  const std::string nome(programma);
  // The warnings stand before the reading code: the reading stopped there.
  for (const avviso& a : r.avvisi) diagnostica << testo_avviso(a, q.cartella, nome);
  if (!r.non_mostrati.empty())
    diagnostica << programma << ": " << riga_non_mostrati(r.non_mostrati, q.avvisi.massimo_per_nome) << '\n';
  if (b.codice_lettura != 0)
    diagnostica << diagnostica_codice(sessione.codice.luogo, b.codice_lettura, b.posizione_lettura, q.cartella, nome);
  if (b.esito == esito_build::senza_binario)
    diagnostica << programma << ": il binario non e' stato creato: nessun file da scrivere\n";
  if (b.esito == esito_build::errore_finale)
    diagnostica << diagnostica_finale(sessione, b.codice_finale, q.cartella, nome);
  if (b.esito == esito_build::avvisi_errori) {
    diagnostica << programma << ": nessun file scritto: gli avvisi contano come errori (--avvisi-errori)\n";
  }
  if (b.esito == esito_build::completato && b.codice_lettura != 0) {
    diagnostica << programma << ": file scritti comunque (--forza) dal modello letto fino all'errore\n";
  }
  if (!r.errore_file.empty()) diagnostica << programma << ": " << r.errore_file << '\n';
}

void mostra_json(const sessione_costruzione& sessione, const resoconto& r, const richiesta_compila& q, int esito,
                 const nlohmann::ordered_json& altro, std::ostream& uscita) {
  using json = nlohmann::ordered_json;
  const risultato_build& b = r.risultato;
  json j = {{"stato_uscita", esito},
            {"codice_errore", sessione.codice.codice},
            {"posizione_errore", sessione.codice.posizione},
            {"errore_lettura", b.codice_lettura != 0 ? json_codice(b.codice_lettura, b.posizione_lettura,
                                                                   sessione.codice.luogo, q.cartella)
                                                     : json(nullptr)}};
  json avvisi = json::array();
  for (const avviso& a : r.avvisi) avvisi.push_back(json_avviso(a, q.cartella));
  j["avvisi"] = std::move(avvisi);
  // Only when the limit left some out, by name: an outcome without them
  // reads as it always did.
  if (!r.non_mostrati.empty()) {
    json non_mostrati = json::object();
    for (const avvisi_non_mostrati& n : r.non_mostrati) non_mostrati[std::string(n.nome)] = n.quanti;
    j["avvisi_non_mostrati"] = std::move(non_mostrati);
  }
  j["errore_finale"] = b.codice_finale != 0 ? json(b.codice_finale) : json(nullptr);
  j["errore_file"] = r.errore_file.empty() ? json(nullptr) : json(r.errore_file);
  j["file_scritti"] = r.file_scritti;
  if (altro.is_object()) j.update(altro);
  uscita << json_utf8(std::move(j), -1) << '\n';
}

std::string quanti_avvisi(std::size_t n) { return n == 1 ? "1 avviso" : std::to_string(n) + " avvisi"; }

std::string errore_e_posizione(int32_t codice, int64_t posizione) {
  const descrizione_codice* d = descrivi_codice(codice);
  std::string testo = "errore " + std::to_string(codice);
  if (d != nullptr && d->con_posizione) testo += " a " + std::to_string(posizione) + " m";
  return testo;
}

// The last line of the plain output: one form whatever happened (compila.h).
std::string riga_esito(const resoconto& r) {
  const risultato_build& b = r.risultato;
  const std::string avvisi = quanti_avvisi(r.avvisi.size());
  if (!r.errore_file.empty()) return "esito: errore di scrittura, " + avvisi;
  switch (b.esito) {
    case esito_build::errore_finale:
      return "esito: " + errore_e_posizione(b.codice_finale, 0) + ", " + avvisi;
    case esito_build::avvisi_errori:
      return "esito: non costruito, " + avvisi + " (--avvisi-errori)";
    case esito_build::codice_lettura:
    case esito_build::senza_binario:
      return "esito: " + errore_e_posizione(b.codice_lettura, b.posizione_lettura) + ", " + avvisi;
    case esito_build::completato:
      break;
  }
  if (b.codice_lettura != 0) {
    return "esito: costruito con " + errore_e_posizione(b.codice_lettura, b.posizione_lettura) + " (--forza), " +
           avvisi;
  }
  return "esito: costruito, " + avvisi;
}

int stato_di_uscita(const resoconto& r) {
  if (!r.errore_file.empty()) return compila_uso;
  switch (r.risultato.esito) {
    case esito_build::errore_finale:
      return compila_finale;
    case esito_build::codice_lettura:
    case esito_build::senza_binario:
    case esito_build::avvisi_errori:
      return compila_codice;
    case esito_build::completato:
      break;
  }
  return r.risultato.codice_lettura == 0 ? compila_ok : compila_codice;
}

int esegui(const richiesta_compila& q, std::ostream& uscita, std::ostream& diagnostica) {
  scenario stato;
  sessione_costruzione sessione;
  stato.nome_percorso = q.percorso;
  stato.nome_treno = q.treno;
  opzioni_build opzioni;
  opzioni.sorgente.cartella = q.cartella;
  opzioni.cartella_uscita = q.cartella_uscita;
  opzioni.forza = q.forza;
  opzioni.avvisi = q.avvisi;
  opzioni.orario = q.orario;
  const int32_t j = q.senza_planimetria ? 0 : 1;
  resoconto r;
  std::string creata;  // the folders made for the output, gone again if nothing is written
  try {
    // One writer at a time in the output folder, as for the generator; once
    // it is held, no other run's temporary files can be live there.
    creata = crea_cartella(q.cartella_uscita);
    const blocco_cartella blocco(q.cartella_uscita);
    const nomi_binari binari = nomi_file_binari(q.percorso, q.treno);
    elimina_temporanei_rimasti(q.cartella_uscita, {binari.planimetria, binari.tabella, binari.binario});
    // A refusal comes before anything is built or written.
    if (q.controlla_accanto) r.errore_file = q.controlla_accanto();
    // The binary files and the documents beside them replace the old ones
    // as one set, once all are written: a failure on the way leaves all as
    // they were.
    sostituzione_insieme insieme;
    opzioni.insieme = &insieme;
    if (r.errore_file.empty()) r.risultato = memorizza_percorso(stato, sessione, j, opzioni);
    if (r.errore_file.empty() && r.risultato.esito == esito_build::completato) {
      std::vector<std::string> scritti;
      if (j != 0) scritti.push_back(nome_completo(q.cartella_uscita, binari.planimetria));
      scritti.push_back(nome_completo(q.cartella_uscita, binari.tabella));
      scritti.push_back(nome_completo(q.cartella_uscita, binari.binario));
      if (q.scrivi_accanto) {
        for (std::string& f : q.scrivi_accanto(stato, sessione.avvisi, insieme)) scritti.push_back(std::move(f));
      }
      insieme.installa();
      r.file_scritti = std::move(scritti);
    }
  } catch (const errore_file& e) {
    r.errore_file = e.what();
  }
  if (r.file_scritti.empty()) rimuovi_cartelle_create(q.cartella_uscita, creata);
  r.avvisi = avvisi_mostrati(sessione, opzioni);
  r.non_mostrati = avvisi_oltre_il_limite(sessione, opzioni);
  const int esito = stato_di_uscita(r);
  mostra_testo(sessione, r, q, diagnostica);
  nlohmann::ordered_json altro;
  if (q.dopo_costruzione && r.risultato.esito == esito_build::completato && r.risultato.codice_lettura == 0 &&
      r.errore_file.empty()) {
    altro = q.dopo_costruzione(stato, uscita, diagnostica);
  }
  if (q.json) {
    mostra_json(sessione, r, q, esito, altro, uscita);
  } else {
    uscita << riga_esito(r) << '\n';
  }
  return esito;
}

}  // namespace

int compila(const richiesta_compila& q, std::ostream& uscita, std::ostream& diagnostica) {
  try {
    return esegui(q, uscita, diagnostica);
  } catch (const errore_file& e) {
    // What a tool writes after the build (the proposed timetable) and cannot.
    diagnostica << programma << ": " << e.what() << '\n';
    return compila_uso;
  } catch (const std::exception& e) {
    // Nothing below is expected to throw anything else; if it does, the
    // author still gets one line instead of an abort.
    diagnostica << programma << ": errore inatteso: " << e.what() << '\n';
    // A script that reads the last line still finds one.
    if (!q.json) uscita << "esito: errore inatteso\n";
    return compila_uso;
  }
}

}  // namespace od
