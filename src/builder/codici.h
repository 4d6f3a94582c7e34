// Every code that the build records, with its meaning in one plain sentence
// and whether a position in metres goes with it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace od {

struct descrizione_codice {
  int32_t codice;
  bool con_posizione;
  std::string_view significato;
};

// Every code by name; the table in codici.cpp gives each its meaning, and
// code sites name them. A position beyond the track (fuori_binario): the
// reader stops there, runs its final fill and records it.
namespace codici {
inline constexpr int32_t lunghezza_oltre = 1;
inline constexpr int32_t progressiva_non_multipla = 2;
inline constexpr int32_t ripetizione_inizio = 3;
inline constexpr int32_t ripetizione_fine = 4;
inline constexpr int32_t ripetizione_senza_codici = 5;
inline constexpr int32_t cartello_occupata = 6;
inline constexpr int32_t abbattimento_occupata = 7;
inline constexpr int32_t stazione_posizione = 8;
inline constexpr int32_t stazione_lunghezza = 9;
inline constexpr int32_t stazioni_nei_cartelli = 10;
inline constexpr int32_t posto_segnale = 11;
inline constexpr int32_t posto_inizio = 12;
inline constexpr int32_t posto_rallentamento = 13;
inline constexpr int32_t fuori_binario = 15;
inline constexpr int32_t segnale_occupata = 16;
inline constexpr int32_t avviso_occupata = 17;
inline constexpr int32_t inizio_occupata = 18;
inline constexpr int32_t fine_occupata = 19;
inline constexpr int32_t preavviso_occupata = 20;
inline constexpr int32_t indicatore_occupata = 21;
inline constexpr int32_t stazioni_vicine = 22;
inline constexpr int32_t fermata_all_inizio = 24;
inline constexpr int32_t lettura = 25;
inline constexpr int32_t linea_assente = 101;
inline constexpr int32_t generale_assente = 102;
inline constexpr int32_t curva_impossibile = 103;
inline constexpr int32_t cella1_primo = 1250;
inline constexpr int32_t cella1_secondo = 1251;
}  // namespace codici
inline constexpr int32_t codice_fuori_binario = codici::fuori_binario;

std::span<const descrizione_codice> tutti_i_codici();
// The entry for a code, or nullptr for a code the build never records.
const descrizione_codice* descrivi_codice(int32_t codice);

// Where a code with a position stands, as every message writes it:
// "posizione P m, cella C".
std::string testo_posizione(int64_t posizione, int64_t cella);

}  // namespace od
