#include "builder/codici.h"

#include <array>

namespace od {
namespace {

constexpr std::array<descrizione_codice, 28> codici{{
    {1, false, "la lunghezza del percorso supera 1000000 m"},
    {2, false, "una progressiva chilometrica ha posizione o valore non multiplo di 50"},
    {3, false, "il primo valore della ripetizione segnali non e' multiplo di 50"},
    {4, false, "il secondo valore della ripetizione segnali non e' multiplo di 50"},
    {5, false, "la chiave della ripetizione segnali non contiene ne' \"4\" ne' \"9\""},
    {6, true, "un cartello cade su una cella gia' occupata"},
    {7, true, "un abbattimento cade su una cella gia' occupata"},
    {8, true, "la posizione di una stazione non e' multipla di 50"},
    {9, true, "la lunghezza di una stazione non e' multipla di 100"},
    {10, false, "le stazioni raggiungono le voci della tabella occupate dai cartelli"},
    {11, true, "un segnale prima di un avviso di rallentamento non ha posto per l'abbattimento"},
    {12, true, "non c'e' posto per un abbattimento prima dell'inizio di un rallentamento"},
    {13, true, "non c'e' posto per un abbattimento lungo o dopo un rallentamento"},
    {15, true, "una posizione cade fuori dal binario"},
    {16, true, "un segnale cade su una cella gia' occupata"},
    {17, true, "l'avviso di un rallentamento cade su una cella gia' occupata"},
    {18, true, "l'inizio di un rallentamento cade su una cella gia' occupata"},
    {19, true, "la fine di un rallentamento cade su una cella gia' occupata"},
    {20, true, "un preavviso di rallentamento cade su una cella gia' occupata"},
    {21, true, "un indicatore di velocita' massima cade su una cella gia' occupata"},
    {22, true, "l'area di una stazione inizia a meno di 350 m dalla fine della precedente"},
    {24, false, "una stazione con fermata finisce entro 100 m dall'inizio della linea"},
    {25, false, "un campo non si puo' leggere come richiesto, o manca un file o un dato necessario"},
    {101, false, "il file di descrizione della linea non esiste"},
    {102, false, "il file della linea non contiene la sezione [generale]"},
    {103, false, "una curva non ha curvatura da 1 a 6, o la planimetria supera 1000000 m"},
    {1250, false, "il primo valore della cella 1 o il contrassegno della voce 85 era gia' occupato"},
    {1251, false, "il secondo valore della cella 1 o il codice della voce 85 era gia' occupato"},
}};

}  // namespace

std::span<const descrizione_codice> tutti_i_codici() { return codici; }

const descrizione_codice* descrivi_codice(int32_t codice) {
  for (const descrizione_codice& d : codici) {
    if (d.codice == codice) return &d;
  }
  return nullptr;
}

}  // namespace od
