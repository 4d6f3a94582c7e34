// The items of a decoded scenario gathered the way an author thinks of them:
// stations with their areas and times, signals with their two sides,
// slowdowns with their warning and approach marks, boards, signs with their
// texts, reduction points, and the running values as runs of cells. Every
// unpacking goes through the codecs of this room, so the summary, the JSON,
// the picture and the other readers of a built model see the same items.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "elementi/voci_generali.h"
#include "modello/misure_linea.h"
#include "modello/modello.h"

namespace od {

// Positions come back from cells through modello/misure_linea.h: a point
// item stands at posizione_puntuale of its cell; a change of a running value,
// a reduction and the walk's codes count from inizio_cella.

struct progressiva_letta {
  int32_t posizione = 0;    // metres along the line
  int32_t progressiva = 0;  // posted progressive there, metres
  int32_t verso = 0;        // direction flag
};

struct generale_letto {
  int32_t lunghezza_linea = 0;   // voci_generali.h names every field here
  int32_t lunghezza_totale = 0;  // line plus 7000 m
  int32_t ultima_cella = -1;
  int32_t ultima_riempita = -4;                    // the last cell with running values
  std::array<progressiva_letta, 3> progressive{};  // entries 81 to 83
  std::array<int32_t, 3> sfondi{};                 // "uno", "due", "tre"
  int32_t ripetizione_primo = 0, ripetizione_secondo = 0, ripetizione_codici = 0;
  int32_t massa_frenata = 0, vetture = 0;
  int16_t sabbia = 0;
  std::array<int16_t, 3> orologio{};  // hours, minutes, seconds
  int16_t segno_tabella = 0;          // 610 in a whole file
  int32_t codice_st = 0;
  int16_t segno_binario = 0;  // 5121 in a whole file
  int16_t codice_og = 0;
  int32_t righe_planimetria = 0, righe_calcolate = 0;
};

struct stazione_letta {
  int numero = 0;  // table entry
  voce dati;
  int32_t cella_fermata = -1;  // -1: no stopping point on the track
};

struct segnale_letto {
  int32_t cella = 0, posizione = 0;
  int sx = 0, dx = 0, rapp = 0;             // unpacked from valore4 = rapp * 10 + sx * 3 + dx
  std::array<int, 3> sinistra{}, destra{};  // s1..s3, d1..d3
  int attesa = 0;
};

struct rallentamento_letto {
  int32_t cella_inizio = 0, cella_fine = -1, cella_avviso = -1;
  int velocita = 0, d_v = 0, treno_intero = 0;
  std::vector<int32_t> celle_preavviso;  // nearest the warning first
};

struct indicatore_letto {
  int32_t cella = 0, posizione = 0;
  std::array<int, 3> sinistra{}, destra{};  // km/h, unpacked from v = destra / 5 + sinistra * 20
  int strisce_sinistra = 0, strisce_destra = 0;
};

struct cartello_letto {
  int32_t cella = 0, posizione = 0;
  int voce = 0;
  std::string testo;
};

struct abbattimento_letto {
  int32_t cella = 0, posizione = 0;
  int valore = 0;
  bool fine = false;  // code 13, the end of a reduction
};

// A slowdown part that no start cell claims: a sign of a damaged file.
struct parte_isolata {
  int32_t cella = 0;
  uint8_t oggetto = 0;
  int valore1 = 0;
};

// Cells da..a (inclusive) holding one value.
struct tratto {
  int32_t da = 0, a = 0;
  int valore = 0;
  int segni = 0;  // mountain runs only: marker cells inside the run
};

struct elementi_linea {
  generale_letto generale;
  std::vector<stazione_letta> stazioni;
  std::vector<segnale_letto> segnali;
  std::vector<rallentamento_letto> rallentamenti;
  std::vector<parte_isolata> isolate;
  std::vector<indicatore_letto> indicatori;
  std::vector<cartello_letto> cartelli;
  std::vector<abbattimento_letto> abbattimenti;
  // Stored values (vmax in steps of 5 km/h, gradient plus 100), over the
  // cells the build fills: 0 to ultima_cella - 3.
  std::vector<tratto> pendenze, velocita, aderenze;
  std::vector<tratto> montagne;  // runs of a non-zero mountain side, over every cell
};

elementi_linea estrai_elementi(const scenario& s);

}  // namespace od
