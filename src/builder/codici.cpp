#include "builder/codici.h"

#include <array>

namespace od {
namespace {

constexpr std::array<descrizione_codice, 28> tabella_codici{{
    {codici::lunghezza_oltre, false, "la lunghezza del percorso supera 1000000 m"},
    {codici::progressiva_non_multipla, false, "una progressiva chilometrica ha posizione o valore non multiplo di 50"},
    {codici::ripetizione_inizio, false, "il primo valore della ripetizione segnali non e' multiplo di 50"},
    {codici::ripetizione_fine, false, "il secondo valore della ripetizione segnali non e' multiplo di 50"},
    {codici::ripetizione_senza_codici, false, "la chiave della ripetizione segnali non contiene ne' \"4\" ne' \"9\""},
    {codici::cartello_occupata, true, "un cartello cade su una cella gia' occupata"},
    {codici::abbattimento_occupata, true, "un abbattimento cade su una cella gia' occupata"},
    {codici::stazione_posizione, true, "la posizione di una stazione non e' multipla di 50"},
    {codici::stazione_lunghezza, true, "la lunghezza di una stazione non e' multipla di 100"},
    {codici::stazioni_nei_cartelli, false, "le stazioni raggiungono le voci della tabella occupate dai cartelli"},
    {codici::posto_segnale, true, "un segnale prima di un avviso di rallentamento non ha posto per l'abbattimento"},
    {codici::posto_inizio, true, "non c'e' posto per un abbattimento prima dell'inizio di un rallentamento"},
    {codici::posto_rallentamento, true, "non c'e' posto per un abbattimento lungo o dopo un rallentamento"},
    {codici::fuori_binario, true, "una posizione cade fuori dal binario"},
    {codici::segnale_occupata, true, "un segnale cade su una cella gia' occupata"},
    {codici::avviso_occupata, true, "l'avviso di un rallentamento cade su una cella gia' occupata"},
    {codici::inizio_occupata, true, "l'inizio di un rallentamento cade su una cella gia' occupata"},
    {codici::fine_occupata, true, "la fine di un rallentamento cade su una cella gia' occupata"},
    {codici::preavviso_occupata, true, "un preavviso di rallentamento cade su una cella gia' occupata"},
    {codici::indicatore_occupata, true, "un indicatore di velocita' massima cade su una cella gia' occupata"},
    {codici::stazioni_vicine, true, "l'area di una stazione inizia a meno di 350 m dalla fine della precedente"},
    {codici::fermata_all_inizio, false, "una stazione con fermata finisce entro 100 m dall'inizio della linea"},
    {codici::lettura, false, "un campo non si puo' leggere come richiesto, o manca un file o un dato necessario"},
    {codici::linea_assente, false, "il file di descrizione della linea non esiste"},
    {codici::generale_assente, false, "il file della linea non contiene la sezione [generale]"},
    {codici::curva_impossibile, false, "una curva non ha curvatura da 1 a 6, o la planimetria supera 1000000 m"},
    {codici::cella1_primo, false, "il primo valore della cella 1 o il contrassegno della voce 85 era gia' occupato"},
    {codici::cella1_secondo, false, "il secondo valore della cella 1 o il codice della voce 85 era gia' occupato"},
}};

}  // namespace

std::span<const descrizione_codice> tutti_i_codici() { return tabella_codici; }

std::string testo_posizione(int64_t posizione, int64_t cella) {
  return "posizione " + std::to_string(posizione) + " m, cella " + std::to_string(cella);
}

const descrizione_codice* descrivi_codice(int32_t codice) {
  for (const descrizione_codice& d : tabella_codici) {
    if (d.codice == codice) return &d;
  }
  return nullptr;
}

}  // namespace od
