// The slowdown order of any scenario, read from its track: one row per
// slowdown start, in the order along the line. Its stations are the last one
// passed before the start and the next one, or the one whose area the start
// lies in ("nella stazione di"); its post is the last whole kilometre post
// passed before the start in the direction of travel; prescription A when the
// slowdown holds for the whole train. Names in the order's letter case.
#include <cstddef>
#include <stdexcept>
#include <string>

#include "documents/documenti_scenario.h"
#include "documents/impaginazione_ordine.h"
#include "documents/testo_documenti.h"
#include "elementi/rallentamenti.h"
#include "elementi/voci_generali.h"
#include "modello/misure_linea.h"
#include "modello/progressiva.h"
#include "modello/stazioni.h"

namespace od {
namespace {

// Lines of the form besides the two of each slowdown: 12 above the body, the
// last empty row, the bottom rule and 7 of legend. The list also keeps one
// entry for its end sentinel.
constexpr std::size_t righe_fuori_corpo = 12 + 1 + 1 + 7;
constexpr std::size_t massimo_rallentamenti = (capacita_lista - 1 - righe_fuori_corpo) / 2;

struct rallentamento_letto {
  int32_t inizio = 0;
  int32_t lunghezza = -1;  // -1: no end cell on the track
  int velocita = 0;
  bool treno_intero = false;
};

// Each start cell with its end cell, as the build put them down.
std::vector<rallentamento_letto> rallentamenti_del_binario(const scenario& s) {
  std::vector<rallentamento_letto> trovati;
  for (const coppia_rallentamento& coppia : coppie_rallentamenti(s)) {
    const valori_rallentamento v = valori_di(s.binario[static_cast<std::size_t>(coppia.inizio)]);
    const auto inizio = static_cast<int32_t>(posizione_puntuale(coppia.inizio));
    rallentamento_letto r{inizio, -1, v.velocita, v.treno_intero == 1};
    if (coppia.fine >= 0) r.lunghezza = static_cast<int32_t>(inizio_cella(coppia.fine - coppia.inizio));
    trovati.push_back(r);
  }
  return trovati;
}

std::string fra_le_stazioni(const scenario& s, const std::vector<int>& stazioni, int32_t x) {
  const voce* prima = nullptr;
  const voce* dopo = nullptr;
  for (int n : stazioni) {
    const voce& v = voce_n(s, n);
    if (v.area_inizio <= x && x < v.area_fine) return "nella stazione di " + come_nome_proprio(v.nome);
    if (v.posizione < x) prima = &v;
    if (v.posizione > x && dopo == nullptr) dopo = &v;
  }
  std::string testo = prima != nullptr ? come_nome_proprio(prima->nome) : std::string();
  if (prima != nullptr && dopo != nullptr) testo += " - ";
  if (dopo != nullptr) testo += come_nome_proprio(dopo->nome);
  return testo;
}

}  // namespace

lista_righe righe_rallentamenti_scenario(const scenario& stato, const testata_documenti& testata,
                                         avvisi_documenti& avvisi) {
  const std::vector<int> stazioni = stazioni_del_percorso(stato);
  contenuto_ordine c;
  if (!stazioni.empty()) {
    c.linea = come_nome_proprio(voce_n(stato, stazioni.front()).nome) + " - " +
              come_nome_proprio(voce_n(stato, stazioni.back()).nome);
  }
  // Dots, as the form's other blanks, where the number is to be written by hand.
  c.numero_treno = testata.numero_treno.empty() ? "......" : testata.numero_treno;
  const std::vector<rallentamento_letto> rallentamenti = rallentamenti_del_binario(stato);
  if (rallentamenti.size() > massimo_rallentamenti) {
    throw std::length_error("l'ordine di rallentamento contiene al massimo " + std::to_string(massimo_rallentamenti) +
                            " rallentamenti; lo scenario ne ha " + std::to_string(rallentamenti.size()));
  }
  for (std::size_t i = 0; i < rallentamenti.size(); ++i) {
    const rallentamento_letto& r = rallentamenti[i];
    const std::string numero = std::to_string(i + 1);
    c.righe.push_back({numero,
                       accorcia(fra_le_stazioni(stato, stazioni, r.inizio), massimo_fra_stazioni,
                                "ordine di rallentamento: le stazioni del rallentamento " + numero, avvisi),
                       taglia(std::to_string(cippo_precedente(stato, r.inizio)), massimo_cippo,
                              "ordine di rallentamento: il cippo del rallentamento " + numero, avvisi),
                       std::to_string(r.velocita),
                       r.lunghezza < 0
                           ? std::string()
                           : taglia(std::to_string(r.lunghezza), massimo_lunghezza,
                                    "ordine di rallentamento: la lunghezza del rallentamento " + numero, avvisi),
                       r.treno_intero ? "A" : "---"});
  }
  if (c.righe.empty()) c.righe.push_back({"", "Nessun rallentamento", "", "", "", ""});
  return impagina_ordine(c);
}

}  // namespace od
