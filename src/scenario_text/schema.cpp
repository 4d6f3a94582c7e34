#include "scenario_text/schema.h"

#include <array>
#include <cstdint>

#include "scenario_text/flusso_campi.h"

namespace od {
namespace {

using enum larghezza;
using enum tipo_record;

constexpr int64_t min32 = INT32_MIN, max32 = INT32_MAX;
constexpr int64_t min16 = INT16_MIN, max16 = INT16_MAX;

constexpr campo_schema lunghezza_f[] = {{"lunghezza", lungo, min32, max32, "lunghezza della linea (m)"}};
constexpr campo_schema progressiva_f[] = {
    {"posizione", lungo, min32, max32, "posizione del cambio sulla linea (m)"},
    {"progressiva", lungo, min32, max32, "progressiva che vale li' (m)"},
    {"verso", lungo, min32, max32, "verso, 0 o 1"},
};
constexpr campo_schema sfondo_f[] = {{"valore", lungo, min32, max32, "valore dello sfondo, passato com'e'"}};
constexpr campo_schema ripetizione_f[] = {
    {"inizio", lungo, min32, max32, "inizio della ripetizione (m), multiplo di 50"},
    {"fine", lungo, min32, max32, "fine della ripetizione (m), multiplo di 50; 0 nessuna"},
};
// The cell holds the gradient plus 100 in one byte.
constexpr campo_schema pendenza_f[] = {
    {"posizione", lungo, min32, max32, "posizione (m)"},
    {"pendenza", lungo, -100, 155, "pendenza (per mille)"},
};
constexpr campo_schema curva_f[] = {
    {"inizio", lungo, min32, max32, "inizio (m)"},
    {"lunghezza", lungo, min32, max32, "lunghezza (m)"},
};
constexpr campo_schema montagna_f[] = {
    {"inizio", lungo, min32, max32, "inizio (m)"},
    {"fine", lungo, min32, max32, "fine (m)"},
    {"tipo", lungo, min32, max32, "tipo (1, 2, 11 o 12)"},
};
// Each pair packs as left speed * 20 + right speed / 5, the stripes as
// left * 10 + right: a right-hand value beyond its share runs into the left.
constexpr campo_schema indicatori_f[] = {
    {"posizione", lungo, min32, max32, "posizione (m)"},
    {"vas", lungo, min32, max32, "prima velocita' di sinistra (km/h)"},
    {"vbs", lungo, min32, max32, "seconda velocita' di sinistra (km/h)"},
    {"vcs", lungo, min32, max32, "terza velocita' di sinistra (km/h)"},
    {"strisces", lungo, 0, 9, "strisce di sinistra"},
    {"vad", lungo, 0, 97, "prima velocita' di destra (km/h)"},
    {"vbd", lungo, 0, 97, "seconda velocita' di destra (km/h)"},
    {"vcd", lungo, 0, 97, "terza velocita' di destra (km/h)"},
    {"strisced", lungo, 0, 9, "strisce di destra"},
};
constexpr campo_schema cartello_f[] = {
    {"posizione", lungo, min32, max32, "posizione (m)"},
    {"testo", testo, 0, 0, "testo del cartello, fino alla fine della riga"},
};
constexpr campo_schema massa_f[] = {{"percentuale", lungo, min32, max32, "percentuale di massa frenata"}};
constexpr campo_schema vetture_f[] = {{"numero", lungo, min32, max32, "numero di vetture"}};
constexpr campo_schema velocita_f[] = {
    {"posizione", lungo, min32, max32, "posizione (m)"},
    {"velocita", lungo, min32, max32, "velocita' massima (km/h)"},
};
constexpr campo_schema aderenza_f[] = {
    {"posizione", lungo, min32, max32, "posizione (m)"},
    {"percentuale", lungo, 0, 255, "aderenza (percento)"},
};
constexpr campo_schema orologio_f[] = {
    {"ore", corto, min16, max16, "ore"},
    {"minuti", corto, min16, max16, "minuti"},
    {"secondi", corto, min16, max16, "secondi"},
};
constexpr campo_schema sabbia_f[] = {{"sabbia", corto, min16, max16, "scorta di sabbia, passata com'e'"}};
constexpr campo_schema segnale_f[] = {
    {"posizione", lungo, min32, max32, "posizione del segnale (m), almeno 350"},
    {"sx", lungo, min32, max32, "codice del lato sinistro: 1 (avviso) o 2 (protezione)"},
    {"s1", lungo, min32, max32, "primo valore del lato sinistro"},
    {"s2", lungo, min32, max32, "secondo valore del lato sinistro"},
    {"s3", lungo, min32, max32, "terzo valore del lato sinistro"},
    {"rapp", lungo, min32, max32, "un valore ulteriore del segnale"},
    {"dx", lungo, min32, max32, "codice del lato destro: 0 nessuno, 1 o 2"},
    {"d1", lungo, 0, 9, "primo valore del lato destro, una cifra"},
    {"d2", lungo, 0, 9, "secondo valore del lato destro, una cifra"},
    {"d3", lungo, 0, 9, "terzo valore del lato destro, una cifra"},
    {"tempo", lungo, 0, 255, "un tempo in secondi, usato solo con sx 2"},
};
constexpr campo_schema rallentamento_f[] = {
    {"x", lungo, min32, max32, "inizio del rallentamento (m)"},
    {"v", lungo, min16, max16, "velocita' sul rallentamento (km/h)"},
    {"l", lungo, min32, max32, "lunghezza (m)"},
    {"f_tt", lungo, min16, max16, "1 se la velocita' vale per tutta la lunghezza del treno"},
    {"f_ta", lungo, min32, max32, "diverso da 0: quattro preavvisi davanti all'avviso"},
    {"d_v", lungo, min16, max16, "un valore ulteriore"},
};
constexpr campo_schema abbattimento_f[] = {
    {"posizione", lungo, min32, max32, "posizione (m)"},
    {"valore", lungo, min16, max16, "valore; 0 o meno: fine dell'abbattimento"},
};
constexpr campo_schema stazione_f[] = {
    {"posizione", lungo, min32, max32, "posizione della stazione (m), multiplo di 50"},
    {"tipo", byte, 0, 255, "codice del tipo"},
    {"lunghezza", lungo, min32, max32, "lunghezza dell'area di stazione (m), multiplo di 100"},
    {"opzione_a", byte, 0, 255, "indicatore 0 o 1, passato com'e'"},
    {"opzione_b", byte, 0, 255, "indicatore 0 o 1"},
    {"opzione_c", byte, 0, 255, "indicatore 0 o 1: l'area finisce 50 m piu' in la'"},
    {"terna_a1", corto, min16, max16, "primo gruppo"},
    {"terna_a2", corto, min16, max16, "primo gruppo"},
    {"terna_a3", byte, 0, 255, "primo gruppo"},
    {"terna_b1", corto, min16, max16, "secondo gruppo"},
    {"terna_b2", corto, min16, max16, "secondo gruppo"},
    {"terna_b3", corto, min16, max16, "secondo gruppo"},
    {"sosta", byte, 0, 255, "sosta in secondi"},
    {"ore", lungo, min32, max32, "orario: ore"},
    {"minuti", lungo, min32, max32, "orario: minuti"},
    {"secondi", lungo, min32, max32, "orario: secondi"},
    {"nome", testo, 0, 0, "nome della stazione, fino alla fine della riga"},
};

constexpr parte_file generale = parte_file::linea_generale;
constexpr parte_file corpo = parte_file::linea_corpo;
constexpr parte_file treno = parte_file::treno;

// The order is the handbook's, and part of the format: a key field holding
// the words of two records reads them in this order (the line reader takes
// the three progressive changes together, from "tre" down), and of two
// suggestions equally near the first is made.
constexpr std::array<record_schema, 23> records{{
    {lunghezza_percorso, generale, "lunghezza percorso", "", "lunghezza percorso", "lunghezza", "percorso", false,
     lunghezza_f},
    {progressiva_uno, generale, "progressiva chilometrica uno", "", "progressiva chilometrica", "progressiva", "uno",
     true, progressiva_f},
    {progressiva_due, generale, "progressiva chilometrica due", "", "progressiva chilometrica", "progressiva", "due",
     true, progressiva_f},
    {progressiva_tre, generale, "progressiva chilometrica tre", "", "progressiva chilometrica", "progressiva", "tre",
     true, progressiva_f},
    {sfondo_uno, generale, "sfondo uno", "", "sfondo", "sfondo", "uno", true, sfondo_f},
    {sfondo_due, generale, "sfondo due", "", "sfondo", "sfondo", "due", true, sfondo_f},
    {sfondo_tre, generale, "sfondo tre", "", "sfondo", "sfondo", "tre", true, sfondo_f},
    {ripetizione_segnali, generale, "ripetizione segnali 4 codici", "", "ripetizione segnali", "ripetizione", "segnali",
     true, ripetizione_f},
    {pendenza, corpo, "pendenza", "", "pendenza", "pendenza", "", false, pendenza_f},
    {curva, corpo, "curvas", "curvad", "curva", "curva", "", false, curva_f},
    {montagna, corpo, "montagna", "", "montagna", "montagna", "", false, montagna_f},
    {indicatori_vmax, corpo, "indicatori_vmax", "", "indicatori_vmax", "indicatori_v", "", false, indicatori_f},
    {cartello_indicatore, corpo, "cartello_indicatore", "", "cartello_indicatore", "cartello", "indicat", false,
     cartello_f},
    {massa_frenata, treno, "percentuale massa frenata", "", "percentuale massa frenata", "frenata", "massa", false,
     massa_f},
    {numero_vetture, treno, "numero vetture", "", "numero vetture", "vetture", "", false, vetture_f},
    {velocita, treno, "velocita", "", "velocita", "velocit", "", false, velocita_f},
    {aderenza, treno, "aderenza", "", "aderenza", "aderenza", "", false, aderenza_f},
    {orologio, treno, "orologio", "", "orologio", "orologio", "", false, orologio_f},
    {sabbia, treno, "sabbia", "", "sabbia", "sabbia", "", false, sabbia_f},
    {segnale, treno, "segnale", "", "segnale", "segnale", "", false, segnale_f},
    {rallentamento, treno, "rallentamento", "", "rallentamento", "rallentamento", "", false, rallentamento_f},
    {abbattimento, treno, "abbattimento", "", "abbattimento", "abbattimento", "", false, abbattimento_f},
    {stazione, treno, "stazione", "", "stazione", "stazione", "", false, stazione_f},
}};

// Every kind once, in the enum's order, so that a kind is its own index.
constexpr bool in_ordine() {
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (static_cast<std::size_t>(records[i].tipo) != i) return false;
  }
  return records.size() == static_cast<std::size_t>(tipo_record::stazione) + 1;
}
static_assert(in_ordine(), "the schema must list every tipo_record once, in order");

}  // namespace

bool record_schema::riconosce(std::string_view campo) const {
  if (maiuscole_esatte) return contiene(campo, parola) && contiene(campo, anche);
  return contiene_senza_maiuscole(campo, parola) && contiene_senza_maiuscole(campo, anche);
}

std::span<const record_schema> schema_record() { return records; }

const record_schema& record_di(tipo_record tipo) { return records[static_cast<std::size_t>(tipo)]; }

const campo_schema& campo_di(tipo_record tipo, int32_t n) {
  return record_di(tipo).campi[static_cast<std::size_t>(n - 1)];
}

const record_schema* record_riconosciuto(parte_file parte, std::string_view campo) {
  for (const record_schema& r : records) {
    if (r.parte == parte && r.riconosce(campo)) return &r;
  }
  return nullptr;
}

}  // namespace od
