#include "builder/avvisi.h"

#include <array>

#include "builder/codici.h"
#include "modello/misure_linea.h"

namespace od {
namespace {

constexpr std::array<descrizione_avviso, 33> avvisi{{
    {tipo_avviso::chiave_sconosciuta, "chiave-sconosciuta",
     "un campo al posto di una chiave che non e' chiave, commento o intestazione"},
    {tipo_avviso::valori_in_piu, "valori-in-piu", "un campo dopo i valori di un record, sulla stessa riga"},
    {tipo_avviso::valori_mancanti, "valori-mancanti", "un record che prende i suoi ultimi valori dalla riga dopo"},
    {tipo_avviso::commento_come_chiave, "commento-come-chiave", "un commento di troppo di fila, letto come chiave"},
    {tipo_avviso::generale_assente, "generale-assente",
     "un file del treno senza \"[generale]\": nessun dato del treno"},
    {tipo_avviso::generale_vuota, "generale-vuota", "un \"[generale]\" dopo cui non viene nessun record"},
    {tipo_avviso::ultimo_campo_ignorato, "ultimo-campo-ignorato", "un ultimo campo da solo, che non e' mai letto"},
    {tipo_avviso::ordine_posizioni, "ordine-posizioni",
     "pendenze, curve, aderenze o velocita' non in ordine di posizione"},
    {tipo_avviso::inizio_senza_valore, "inizio-senza-valore",
     "la prima aderenza o velocita' dopo 0 m: le celle prima valgono 0"},
    {tipo_avviso::valore_troncato, "valore-troncato",
     "un valore che la cella o la voce registra con meno bit, cambiato"},
    {tipo_avviso::valore_sovrapposto, "valore-sovrapposto",
     "una cifra o una velocita' che nel valore impacchettato si mescola all'altra"},
    {tipo_avviso::velocita_arrotondata, "velocita-arrotondata",
     "una velocita' non multipla di 5, registrata arrotondata"},
    {tipo_avviso::tempo_alzato, "tempo-alzato", "un tempo di segnale da 1 a 100, che vale 101"},
    {tipo_avviso::campo_senza_effetto, "campo-senza-effetto", "un valore che dove sta non ha effetto"},
    {tipo_avviso::ora_inesistente, "ora-inesistente", "un'ora oltre 23, o minuti o secondi oltre 59"},
    {tipo_avviso::orario_all_indietro, "orario-all-indietro",
     "l'orario di una stazione non dopo quello della stazione precedente"},
    {tipo_avviso::abbattimento_senza_posto, "abbattimento-senza-posto",
     "la costruzione non trova posto per un abbattimento (codici 11, 12, 13)"},
    {tipo_avviso::orario_impossibile, "orario-impossibile",
     "un orario prima dell'ora piu' presto in cui il treno puo' esserci"},
    {tipo_avviso::orario_stretto, "orario-stretto",
     "una tratta con meno margine di --margine-minimo sul suo tempo minimo"},
    {tipo_avviso::orario_senza_fermata, "orario-senza-fermata",
     "una fermata prevista in una stazione senza punto di fermata"},
    {tipo_avviso::nome_tagliato, "nome-tagliato",
     "un nome o un testo piu' lungo della sua colonna nei documenti per il macchinista"},
    {tipo_avviso::oltre_fine_linea, "oltre-fine-linea",
     "una stazione, un segnale o un rallentamento oltre la fine della linea"},
    {tipo_avviso::rallentamento_inutile, "rallentamento-inutile",
     "un rallentamento a una velocita' non sotto quella massima della linea: non rallenta"},
    {tipo_avviso::rallentamento_scambiato, "rallentamento-scambiato",
     "un rallentamento sopra la velocita' della linea e piu' corto di un treno: velocita' e lunghezza scambiate"},
    {tipo_avviso::rallentamento_non_frenabile, "rallentamento-non-frenabile",
     "un rallentamento per cui il treno non puo' frenare dal suo avviso"},
    {tipo_avviso::rallentamenti_sovrapposti, "rallentamenti-sovrapposti",
     "un rallentamento che comincia prima della fine del precedente"},
    {tipo_avviso::lato_segnale_sconosciuto, "lato-segnale-sconosciuto",
     "un codice di lato di segnale fuori dal formato: sx 1 o 2, dx 0, 1 o 2"},
    {tipo_avviso::orologio_dopo_partenza, "orologio-dopo-partenza",
     "l'orologio che parte dopo la partenza dalla prima stazione"},
    {tipo_avviso::caratteri_utf8, "caratteri-utf8", "lettere scritte in UTF-8 in un file a 8 bit"},
    {tipo_avviso::montagna_rovesciata, "montagna-rovesciata", "un tratto di montagna che finisce prima di cominciare"},
    {tipo_avviso::margine_stazione, "margine-stazione",
     "una stazione con meno margine di --margine-minimo, ritardo portato dalla tratta prima compreso"},
    {tipo_avviso::orario_arrotondato, "orario-arrotondato",
     "un orario con secondi diversi da 0 e 30, che la scheda treno mostra al mezzo minuto"},
    {tipo_avviso::documenti_presenti, "documenti-presenti",
     "documenti gia' presenti, lasciati come sono senza --sovrascrivi"},
}};

// The table lists every kind once, in the enum's order, so that a kind is
// its own index.
constexpr bool in_ordine() {
  for (std::size_t i = 0; i < avvisi.size(); ++i) {
    if (static_cast<std::size_t>(avvisi[i].tipo) != i) return false;
  }
  return avvisi.size() == tipi_di_avviso;
}
static_assert(in_ordine(), "the warnings' table must list every tipo_avviso once, in order");

}  // namespace

std::span<const descrizione_avviso> tutti_gli_avvisi() { return avvisi; }

std::string_view nome_avviso(tipo_avviso tipo) { return avvisi[static_cast<std::size_t>(tipo)].nome; }

bool avviso_esiste(std::string_view nome) {
  for (const descrizione_avviso& d : avvisi) {
    if (d.nome == nome) return true;
  }
  return false;
}

std::optional<tipo_avviso> tipo_di_avviso(std::string_view nome) {
  for (const descrizione_avviso& d : avvisi) {
    if (d.nome == nome) return d.tipo;
  }
  return std::nullopt;
}

bool conteggio_avvisi::terrebbe(tipo_avviso tipo, const regole_avvisi& regole) const {
  const int64_t gia = trovati_[static_cast<std::size_t>(tipo)];
  return (regole.massimo_per_nome <= 0 || gia < regole.massimo_per_nome) && !regole.taciuto(nome_avviso(tipo));
}

bool conteggio_avvisi::conta(tipo_avviso tipo, const regole_avvisi& regole) {
  const bool tenuto = terrebbe(tipo, regole);
  ++trovati_[static_cast<std::size_t>(tipo)];
  return tenuto;
}

int64_t conteggio_avvisi::oltre_il_limite(tipo_avviso tipo, const regole_avvisi& regole) const {
  const int64_t trovati = trovati_[static_cast<std::size_t>(tipo)];
  if (regole.massimo_per_nome <= 0 || trovati <= regole.massimo_per_nome || regole.taciuto(nome_avviso(tipo))) return 0;
  return trovati - regole.massimo_per_nome;
}

std::vector<avviso> applica_regole(const std::vector<avviso>& elenco, const regole_avvisi& regole) {
  std::vector<avviso> mostrati;
  std::array<int64_t, tipi_di_avviso> per_tipo{};
  for (const avviso& a : elenco) {
    if (regole.taciuto(a.nome)) continue;
    const std::optional<tipo_avviso> tipo = tipo_di_avviso(a.nome);
    if (tipo && regole.massimo_per_nome > 0 && ++per_tipo[static_cast<std::size_t>(*tipo)] > regole.massimo_per_nome)
      continue;
    mostrati.push_back(a);
  }
  return mostrati;
}

std::vector<avvisi_non_mostrati> oltre_il_limite(const std::vector<avviso>& elenco, const conteggio_avvisi& conteggio,
                                                 const regole_avvisi& regole) {
  std::array<int64_t, tipi_di_avviso> per_tipo{};
  for (const avviso& a : elenco) {
    if (const std::optional<tipo_avviso> tipo = tipo_di_avviso(a.nome)) ++per_tipo[static_cast<std::size_t>(*tipo)];
  }
  std::vector<avvisi_non_mostrati> non_mostrati;
  for (const descrizione_avviso& d : avvisi) {
    const int64_t tenuti = per_tipo[static_cast<std::size_t>(d.tipo)];
    int64_t quanti = conteggio.oltre_il_limite(d.tipo, regole);
    if (regole.massimo_per_nome > 0 && tenuti > regole.massimo_per_nome && !regole.taciuto(d.nome))
      quanti += tenuti - regole.massimo_per_nome;
    if (quanti > 0) non_mostrati.push_back({d.nome, quanti});
  }
  return non_mostrati;
}

std::string riga_non_mostrati(const std::vector<avvisi_non_mostrati>& non_mostrati, int32_t massimo) {
  if (non_mostrati.empty()) return {};
  int64_t totale = 0;
  std::string nomi;
  for (const avvisi_non_mostrati& n : non_mostrati) {
    totale += n.quanti;
    if (!nomi.empty()) nomi += ", ";
    nomi.append(n.nome).append(" ").append(std::to_string(n.quanti));
  }
  return (totale == 1 ? "un altro avviso non mostrato" : "altri " + std::to_string(totale) + " avvisi non mostrati") +
         " (" + nomi + "): se ne mostrano " + std::to_string(massimo) + " per nome, --max-avvisi 0 li mostra tutti";
}

avviso avviso_del_percorso(int32_t codice, int32_t posizione, const luogo_errore* origine) {
  const descrizione_codice* d = descrivi_codice(codice);
  std::string messaggio = d != nullptr ? std::string(d->significato) : "codice sconosciuto";
  messaggio.append(" (codice ").append(std::to_string(codice)).append(", ");
  messaggio.append(testo_posizione(posizione, posizione / metri_cella));
  messaggio.append(")");
  return {std::string(nome_avviso(tipo_avviso::abbattimento_senza_posto)), std::move(messaggio),
          origine != nullptr ? *origine : luogo_errore{}, codice, posizione};
}

}  // namespace od
