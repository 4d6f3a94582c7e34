// The timetable sheet of any scenario, read from its model: one row per
// station, its progressive as the line posts it and a dashed separator where
// the progressive changes its reference; the origin's departure, the
// destination's arrival, arrival and departure at a timed stop (the
// departure less the stop time), the scheduled time of a station passed on
// time, and elsewhere the time the caller gives; the line speed limit at the
// origin and wherever it differs from the previous station's.
#include <cmath>
#include <cstddef>
#include <string>

#include "documents/documenti_scenario.h"
#include "documents/impaginazione_scheda.h"
#include "documents/note_scheda.h"
#include "documents/testo_documenti.h"
#include "elementi/voci_generali.h"
#include "modello/misure_linea.h"
#include "modello/progressiva.h"
#include "modello/stazioni.h"

namespace od {
namespace {

// The line speed limit, km/h, of the cell that the position lies in, or 0
// when there is no track.
int limite_a(const scenario& s, int32_t posizione) {
  if (s.binario.empty()) return 0;
  const int64_t ultima = static_cast<int64_t>(s.binario.size()) - 1;
  int64_t c = posizione / metri_cella;
  if (c < 0) c = 0;
  if (c > ultima) c = ultima;
  return 5 * s.binario[static_cast<std::size_t>(c)].vmax;
}

std::string ora_o_vuota(const std::optional<double>& secondi) {
  return secondi ? ora_documento(*secondi) : std::string();
}

// The times of station `i` of `n`: what the scenario schedules first, what
// the caller gives where it schedules nothing.
void metti_orario(const voce& v, std::size_t i, std::size_t n, const std::optional<double>& dato, stazione_scheda& r) {
  const bool orario = v.orario > 0;
  const std::optional<double> previsto = orario ? std::optional<double>(static_cast<double>(v.orario)) : dato;
  if (i == 0) {
    r.forma = forma_orario::partenza;
  } else if (i + 1 == n) {
    r.forma = forma_orario::arrivo;
  } else if (orario && v.sosta > 0) {
    r.forma = forma_orario::sosta;
    r.ora = ora_documento(static_cast<double>(v.orario) - v.sosta);
    r.partenza = ora_documento(static_cast<double>(v.orario));
    return;
  } else {
    r.forma = forma_orario::transito;
  }
  r.ora = ora_o_vuota(previsto);
}

std::string cella_testo(const std::string& testo, std::size_t massimo, const std::string& cosa,
                        avvisi_documenti& avvisi) {
  return taglia(testo, massimo, "scheda treno: " + cosa, avvisi);
}

std::string cella_nome(const std::string& nome, std::size_t massimo, const std::string& cosa,
                       avvisi_documenti& avvisi) {
  return accorcia(nome, massimo, "scheda treno: " + cosa, avvisi);
}

void metti_testata(const scenario& s, const testata_documenti& t, const std::vector<int>& stazioni, contenuto_scheda& c,
                   avvisi_documenti& avvisi) {
  c.numero_treno = cella_testo(t.numero_treno, massimo_numero_treno, "il numero del treno", avvisi);
  if (!stazioni.empty()) {
    c.origine = cella_nome(voce_n(s, stazioni.front()).nome, massimo_terminale, "il nome d'origine", avvisi);
    c.destinazione = cella_nome(voce_n(s, stazioni.back()).nome, massimo_terminale, "il nome di destinazione", avvisi);
  }
  c.categoria = cella_testo(t.categoria, massimo_categoria, "la categoria", avvisi);
  const int32_t percento = massa_frenata(s);
  if (percento > 0)
    c.massa_frenata =
        cella_testo(std::to_string(percento) + "%", massimo_massa_frenata, "la percentuale di massa frenata", avvisi);
  c.classificazione = cella_testo(t.classificazione, massimo_classificazione, "la classificazione", avvisi);
  if (t.massa)
    c.massa_bloccata = cella_testo(std::to_string(*t.massa) + "T", massimo_massa_bloccata, "la massa", avvisi);
}

}  // namespace

lista_righe righe_scheda_scenario(const scenario& stato, const testata_documenti& testata, const tempi_stazioni& tempi,
                                  avvisi_documenti& avvisi) {
  return righe_scheda_scenario(stato, testata, tempi, {}, avvisi);
}

lista_righe righe_scheda_scenario(const scenario& stato, const testata_documenti& testata, const tempi_stazioni& tempi,
                                  const margini_stazioni& margini, avvisi_documenti& avvisi) {
  const std::vector<int> stazioni = stazioni_del_percorso(stato);
  contenuto_scheda c;
  metti_testata(stato, testata, stazioni, c, avvisi);
  int limite_mostrato = -1;
  for (std::size_t i = 0; i < stazioni.size(); ++i) {
    const voce& v = voce_n(stato, stazioni[i]);
    stazione_scheda r;
    // The row says what holds from the station on: restated after any change
    // since the station before, which the notes under the table list.
    const int limite = limite_a(stato, v.posizione);
    const bool cambiato = i > 0 && !cambi_fra(stato, voce_n(stato, stazioni[i - 1]).posizione, v.posizione).empty();
    if (limite != limite_mostrato || cambiato) r.velocita_limite = std::to_string(limite);
    limite_mostrato = limite;
    if (i == 0 && testata.velocita_marcia) {
      r.velocita_marcia =
          cella_testo(std::to_string(*testata.velocita_marcia), massimo_velocita, "la velocita' di marcia", avvisi);
    }
    r.progressiva = cella_testo(chilometri(progressiva_di(stato, v.posizione).metri), massimo_progressiva,
                                "la progressiva della stazione " + std::to_string(i + 1), avvisi);
    r.localita = cella_nome(v.nome, massimo_localita, "il nome della stazione " + std::to_string(i + 1), avvisi);
    metti_orario(v, i, stazioni.size(), i < tempi.size() ? tempi[i] : std::nullopt, r);
    if (i > 0 && v.orario > 0 && i < margini.size() && margini[i]) r.recupero = cella_recupero(*margini[i]);
    if (i + 1 < stazioni.size()) {
      const int32_t dopo = voce_n(stato, stazioni[i + 1]).posizione;
      r.cambia_riferimento = progressiva_di(stato, v.posizione).voce != progressiva_di(stato, dopo).voce;
    }
    c.stazioni.push_back(std::move(r));
  }
  c.note = note_della_scheda(stato, stazioni, margini);
  return impagina_scheda(c);
}

avvisi_documenti orari_non_al_mezzo_minuto(const scenario& stato) {
  const std::vector<int> stazioni = stazioni_del_percorso(stato);
  avvisi_documenti avvisi;
  const auto controlla = [&avvisi](double secondi, const std::string& che_cosa) {
    if (std::fmod(secondi, 30.0) == 0) return;
    avvisi.push_back("scheda treno: " + che_cosa + ", " + ora_al_secondo(secondi) +
                     ", ha secondi diversi da 0 e 30: la scheda mostra i mezzi minuti e scrive " +
                     ora_documento(secondi));
  };
  for (std::size_t i = 0; i < stazioni.size(); ++i) {
    const voce& v = voce_n(stato, stazioni[i]);
    if (v.orario <= 0) continue;
    const bool sosta = i > 0 && i + 1 < stazioni.size() && v.sosta > 0;
    if (sosta) controlla(static_cast<double>(v.orario) - v.sosta, "l'arrivo a " + v.nome + " (orario meno sosta)");
    controlla(v.orario, std::string(sosta || i == 0 ? "la partenza da " : "l'orario di ") + v.nome);
  }
  return avvisi;
}

}  // namespace od
