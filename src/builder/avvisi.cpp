#include "builder/avvisi.h"

#include <array>

#include "builder/codici.h"
#include "modello/misure_linea.h"

namespace od {
namespace {

constexpr std::array<descrizione_avviso, 21> avvisi{{
    {"chiave-sconosciuta", "un campo al posto di una chiave che non e' chiave, commento o intestazione"},
    {"valori-in-piu", "un campo dopo i valori di un record, sulla stessa riga"},
    {"valori-mancanti", "un record che prende i suoi ultimi valori dalla riga dopo"},
    {"commento-come-chiave", "un commento di troppo di fila, letto come chiave"},
    {"generale-assente", "un file del treno senza \"[generale]\": nessun dato del treno"},
    {"generale-vuota", "un \"[generale]\" dopo cui non viene nessun record"},
    {"ultimo-campo-ignorato", "un ultimo campo da solo, che non e' mai letto"},
    {"ordine-posizioni", "pendenze, curve, aderenze o velocita' non in ordine di posizione"},
    {"inizio-senza-valore", "la prima aderenza o velocita' dopo 0 m: le celle prima valgono 0"},
    {"valore-troncato", "un valore che la cella o la voce registra con meno bit, cambiato"},
    {"valore-sovrapposto", "una cifra o una velocita' che nel valore impacchettato si mescola all'altra"},
    {"velocita-arrotondata", "una velocita' non multipla di 5, registrata arrotondata"},
    {"tempo-alzato", "un tempo di segnale da 1 a 100, che vale 101"},
    {"campo-senza-effetto", "un valore che dove sta non ha effetto"},
    {"ora-inesistente", "un'ora oltre 23, o minuti o secondi oltre 59"},
    {"orario-all-indietro", "l'orario di una stazione non dopo quello della stazione precedente"},
    {"abbattimento-senza-posto", "la costruzione non trova posto per un abbattimento (codici 11, 12, 13)"},
    {"orario-impossibile", "un orario prima dell'ora piu' presto in cui il treno puo' esserci"},
    {"orario-stretto", "una tratta con meno margine di --margine-minimo sul suo tempo minimo"},
    {"orario-senza-fermata", "una fermata prevista in una stazione senza punto di fermata"},
    {"nome-tagliato", "un nome o un testo piu' lungo della sua colonna nei documenti per il macchinista"},
}};

}  // namespace

std::span<const descrizione_avviso> tutti_gli_avvisi() { return avvisi; }

bool avviso_esiste(std::string_view nome) {
  for (const descrizione_avviso& d : avvisi) {
    if (d.nome == nome) return true;
  }
  return false;
}

std::vector<avviso> applica_regole(const std::vector<avviso>& elenco, const regole_avvisi& regole) {
  std::vector<avviso> mostrati;
  for (const avviso& a : elenco) {
    if (!regole.taciuti.contains(a.nome)) mostrati.push_back(a);
  }
  return mostrati;
}

avviso avviso_del_percorso(int32_t codice, int32_t posizione, const luogo_errore* origine) {
  const descrizione_codice* d = descrivi_codice(codice);
  std::string messaggio = d != nullptr ? std::string(d->significato) : "codice sconosciuto";
  messaggio.append(" (codice ").append(std::to_string(codice)).append(", posizione ");
  messaggio.append(std::to_string(posizione)).append(" m, cella ").append(std::to_string(posizione / metri_cella));
  messaggio.append(")");
  return {"abbattimento-senza-posto", std::move(messaggio), origine != nullptr ? *origine : luogo_errore{}, codice,
          posizione};
}

}  // namespace od
