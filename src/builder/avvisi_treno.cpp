#include "builder/avvisi_treno.h"

#include <string>
#include <string_view>

#include "elementi/segnali.h"
#include "modello/arrotonda.h"
#include "modello/misure_linea.h"
#include "modello/stazioni.h"
#include "scenario_text/schema.h"

namespace od {
namespace {

std::string n(int64_t valore) { return std::to_string(valore); }

// A value that a 16-bit field of the cell keeps as its low 16 bits.
void controlla_16_bit(contesto_lettura& contesto, int64_t valore, std::string_view cosa, int32_t campo) {
  if (valore >= INT16_MIN && valore <= INT16_MAX) return;
  aggiungi_avviso(contesto, tipo_avviso::valore_troncato,
                  std::string(cosa) + " " + n(valore) + " e' registrato come " + n(static_cast<int16_t>(valore)) +
                      ": la cella lo tiene in 16 bit (da -32768 a 32767)",
                  campo);
}

// A field of the record that the schema declares 16 bits wide in the cell.
void controlla_campo(contesto_lettura& contesto, tipo_record tipo, int32_t campo, int64_t valore,
                     std::string_view cosa) {
  if (!nel_campo(tipo, campo, valore)) controlla_16_bit(contesto, valore, cosa, campo);
}

}  // namespace

void avvisa_segnale(contesto_lettura& contesto, const dati_segnale& s) {
  const int32_t* cifre[] = {&s.d1, &s.d2, &s.d3};
  for (int i = 0; i < 3; ++i) {
    const int32_t d = *cifre[i];
    if (!nel_campo(tipo_record::segnale, 8 + i, d)) {
      aggiungi_avviso(contesto, tipo_avviso::valore_sovrapposto,
                      "d" + n(i + 1) + " = " + n(d) + " non e' una cifra: in 10 x s" + n(i + 1) + " + d" + n(i + 1) +
                          " si mescola con s" + n(i + 1),
                      8 + i);
    }
  }
  controlla_16_bit(contesto, impacca_coppia(s.s1, s.d1), "il valore 10 x s1 + d1", 3);
  controlla_16_bit(contesto, impacca_coppia(s.s2, s.d2), "il valore 10 x s2 + d2", 4);
  controlla_16_bit(contesto, impacca_coppia(s.s3, s.d3), "il valore 10 x s3 + d3", 5);
  controlla_16_bit(contesto, impacca_lati(s.rapp, s.sx, s.dx), "il valore 10 x rapp + 3 x sx + dx", 6);
  const int64_t marca = base_preavvisi_segnale(s.sx, s.dx);
  if (marca + 1 < 0 || marca + 4 > 255) {
    aggiungi_avviso(contesto, tipo_avviso::valore_troncato,
                    "i preavvisi 30 x sx + 10 x dx + 1..4 escono da 0..255 e sono registrati con i soli 8 bit bassi",
                    2);
  }
  if (s.sx != 2) {
    if (s.tempo != 0) {
      aggiungi_avviso(contesto, tipo_avviso::campo_senza_effetto,
                      "il tempo " + n(s.tempo) + " conta solo con sx = 2: qui e' registrato 0", 11);
    }
    return;
  }
  if (s.tempo >= 1 && s.tempo <= 100) {
    aggiungi_avviso(contesto, tipo_avviso::tempo_alzato,
                    "il tempo " + n(s.tempo) + " s vale 101 s: un tempo dato non e' mai piu' corto", 11);
  } else if (!nel_campo(tipo_record::segnale, 11, s.tempo)) {
    aggiungi_avviso(contesto, tipo_avviso::valore_troncato,
                    "il tempo " + n(s.tempo) + " s e' registrato come " + n(static_cast<uint8_t>(s.tempo)) +
                        " s: la cella lo tiene in un byte (da 0 a 255)",
                    11);
  }
}

void avvisa_rallentamento(contesto_lettura& contesto, const dati_rallentamento& r) {
  controlla_campo(contesto, tipo_record::rallentamento, 2, r.v, "la velocita'");
  controlla_campo(contesto, tipo_record::rallentamento, 4, r.f_tt, "f_tt");
  controlla_campo(contesto, tipo_record::rallentamento, 6, r.d_v, "d_v");
  if (r.x <= inizio_con_avviso && r.f_ta != 0) {
    aggiungi_avviso(contesto, tipo_avviso::campo_senza_effetto,
                    "f_ta non ha effetto: un rallentamento entro " + std::to_string(inizio_con_avviso) +
                        " m non ha avviso ne' preavvisi",
                    5);
  }
}

void avvisa_abbattimento(contesto_lettura& contesto, int32_t valore) {
  controlla_campo(contesto, tipo_record::abbattimento, 2, valore, "il valore");
}

void avvisa_velocita(contesto_lettura& contesto, int32_t velocita) {
  if (velocita % 5 == 0) return;
  aggiungi_avviso(contesto, tipo_avviso::velocita_arrotondata,
                  "la velocita' " + n(velocita) + " km/h e' registrata come " + n(arrotonda_div(velocita, 5) * 5) +
                      " km/h (passi di 5 km/h)",
                  2);
}

void avvisa_aderenza(contesto_lettura& contesto, int32_t percentuale) {
  if (nel_campo(tipo_record::aderenza, 2, percentuale)) return;
  aggiungi_avviso(contesto, tipo_avviso::valore_troncato,
                  "l'aderenza " + n(percentuale) + " e' registrata come " + n(static_cast<uint8_t>(percentuale)) +
                      ": la cella la tiene in un byte (da 0 a 255)",
                  2);
}

void avvisa_ora(contesto_lettura& contesto, int64_t ore, int64_t minuti, int64_t secondi, int32_t campo) {
  if (ore >= 0 && ore <= 23 && minuti >= 0 && minuti <= 59 && secondi >= 0 && secondi <= 59) return;
  aggiungi_avviso(contesto, tipo_avviso::ora_inesistente,
                  "l'ora (ore " + n(ore) + ", minuti " + n(minuti) + ", secondi " + n(secondi) +
                      ") non esiste: ore da 0 a 23, minuti e secondi da 0 a 59",
                  campo);
}

void avvisa_opzioni_stazione(contesto_lettura& contesto, int32_t numero, int32_t tipo, int32_t lunghezza,
                             int32_t opzione_b, int32_t opzione_c) {
  // Station 1 never keeps opzione_b, but the carried scenario writes it
  // there all the same: a warning on it would fire on every scenario made
  // from the example, so only the length is told.
  if (opzione_b != 0 && numero > 1 && lunghezza < 600) {
    aggiungi_avviso(contesto, tipo_avviso::campo_senza_effetto,
                    "opzione_b e' registrata 0: vale solo per stazioni di almeno 600 m", 5);
  }
  const bool area_fissa = tipo_capolinea(tipo) || tipo_simmetrico(tipo);  // types 5 to 8
  if (opzione_c != 0 && (numero == 1 || area_fissa)) {
    aggiungi_avviso(
        contesto, tipo_avviso::campo_senza_effetto,
        std::string("opzione_c e' registrata 0: ") +
            (area_fissa ? "i tipi da 5 a 8 non la portano"
                        : "la stazione 1 non la porta (allunga solo l'area di " + std::to_string(allungo_area) + " m)"),
        6);
  }
}

}  // namespace od
