// The scenario model: the row of 50 m track cells, the 87-entry item table
// and the plan of the line (planimetria.h). How a build came to it (codes,
// warnings, where each item was read) is the builder's session, not here.
// The field order and widths of `cella` and `voce` are those of the binary
// files; the writer encodes them field by field.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modello/planimetria.h"

namespace od {

struct cella {
  uint8_t oggetto = 0;    // item code, 8 bits unsigned; 0 = nothing
  int16_t valore1 = 0;    // first value of the item, signed 16 bits
  int16_t valore2 = 0;    // second value of the item, signed 16 bits
  int16_t valore3 = 0;    // third value of the item, signed 16 bits
  int16_t valore4 = 0;    // fourth value of the item, signed 16 bits
  uint8_t attesa = 0;     // a signal's held time, seconds, 8 bits
  uint8_t preavviso = 0;  // approach-mark code before a signal or station end, 8 bits
  uint8_t montagna = 0;   // type of the mountain run over the cell, 0 outside, 8 bits
  uint8_t vmax = 0;       // line speed limit in steps of 5 km/h, 8 bits
  uint8_t pendenza = 0;   // gradient per mille plus 100 (100 = level), 8 bits
  uint8_t aderenza = 0;   // adhesion in percent, 8 bits

  bool operator==(const cella&) const = default;
};

// The kinds of item that a cell can hold, with the codes the files store in
// `cella::oggetto`. The cell keeps the raw byte, since a damaged file can hold
// any value: `tipo_noto` says whether a byte is a known kind. A switch over
// the kinds lists every one and has no default, so that the compiler names
// every place a new kind must reach (elementi/tipi_oggetto.h has their texts).
enum class tipo_oggetto : uint8_t {
  vuoto = 0,
  segnale = 1,
  fine_rallentamento = 2,
  inizio_rallentamento = 3,
  avviso_rallentamento = 4,
  preavviso_rallentamento = 5,
  indicatore_vmax = 6,
  fermata = 10,
  segno_montagna = 11,
  abbattimento = 12,
  fine_abbattimento = 13,
  cartello = 14,
};

constexpr uint8_t codice_oggetto(tipo_oggetto t) { return static_cast<uint8_t>(t); }

constexpr std::optional<tipo_oggetto> tipo_noto(uint8_t codice) {
  const auto t = static_cast<tipo_oggetto>(codice);
  switch (t) {
    case tipo_oggetto::vuoto:
    case tipo_oggetto::segnale:
    case tipo_oggetto::fine_rallentamento:
    case tipo_oggetto::inizio_rallentamento:
    case tipo_oggetto::avviso_rallentamento:
    case tipo_oggetto::preavviso_rallentamento:
    case tipo_oggetto::indicatore_vmax:
    case tipo_oggetto::fermata:
    case tipo_oggetto::segno_montagna:
    case tipo_oggetto::abbattimento:
    case tipo_oggetto::fine_abbattimento:
    case tipo_oggetto::cartello:
      return t;
  }
  return std::nullopt;
}

// The same codes as bytes, for comparing and writing `cella::oggetto`.
namespace oggetto {
inline constexpr uint8_t vuoto = codice_oggetto(tipo_oggetto::vuoto);
inline constexpr uint8_t segnale = codice_oggetto(tipo_oggetto::segnale);
inline constexpr uint8_t fine_rallentamento = codice_oggetto(tipo_oggetto::fine_rallentamento);
inline constexpr uint8_t inizio_rallentamento = codice_oggetto(tipo_oggetto::inizio_rallentamento);
inline constexpr uint8_t avviso_rallentamento = codice_oggetto(tipo_oggetto::avviso_rallentamento);
inline constexpr uint8_t preavviso_rallentamento = codice_oggetto(tipo_oggetto::preavviso_rallentamento);
inline constexpr uint8_t indicatore_vmax = codice_oggetto(tipo_oggetto::indicatore_vmax);
inline constexpr uint8_t fermata = codice_oggetto(tipo_oggetto::fermata);
inline constexpr uint8_t segno_montagna = codice_oggetto(tipo_oggetto::segno_montagna);
inline constexpr uint8_t abbattimento = codice_oggetto(tipo_oggetto::abbattimento);
inline constexpr uint8_t fine_abbattimento = codice_oggetto(tipo_oggetto::fine_abbattimento);
inline constexpr uint8_t cartello = codice_oggetto(tipo_oggetto::cartello);
}  // namespace oggetto

// A text of the table stores its length in 16 bits.
inline constexpr std::size_t lunghezza_massima_testo = 65535;

struct voce {
  uint8_t tipo = 0;         // station type code, 8 bits
  int32_t area_inizio = 0;  // start of the station area, metres, signed 32 bits
  int32_t area_fine = 0;    // end of the station area, metres, signed 32 bits
  int32_t posizione = 0;    // station position, metres, signed 32 bits
  uint8_t opzione_a = 0;    // flag, 8 bits
  std::string nome;         // text: 16-bit length, then 8-bit characters
  int16_t terna_a1 = 0;     // group a, first value, signed 16 bits
  int16_t terna_a2 = 0;     // group a, second value, signed 16 bits
  int16_t terna_b1 = 0;     // group b, first value, signed 16 bits
  int16_t terna_b2 = 0;     // group b, second value, signed 16 bits
  int16_t terna_b3 = 0;     // group b, third value, signed 16 bits
  uint8_t terna_a3 = 0;     // group a, third value, 8 bits
  uint8_t sosta = 0;        // stop time, seconds, 8 bits
  uint8_t opzione_c = 0;    // flag, 8 bits
  uint8_t opzione_b = 0;    // flag, 8 bits
  int32_t orario = 0;       // scheduled time, seconds since midnight, signed 32 bits

  bool operator==(const voce&) const = default;
};

inline constexpr int voci_tabella = 87;
inline constexpr int prima_voce_cartelli = 80;
inline constexpr int voce_progressive = 81;  // 81, 82, 83
inline constexpr int voce_treno = 84;
inline constexpr int voce_percorso = 85;
inline constexpr int voce_ripetizione = 86;

// The scenario: what the three binary files hold, and nothing of how it was
// built. The readers fill it, the walk and the final checks change it in
// place, the writer stores it, and the tools read it back into the same form.
struct scenario {
  std::string nome_percorso;
  std::string nome_treno;
  int32_t con_planimetria = 0;  // whether there is a plan (the line file .dat)
  std::vector<cella> binario;   // cells 0 .. ultima_cella()
  std::array<voce, voci_tabella> tabella{};
  class planimetria planimetria;
  int32_t lunghezza_totale = 0;  // metres of track, the line's length plus the run-out

  // The last cell; -1 until the track exists.
  int32_t ultima_cella() const { return static_cast<int32_t>(binario.size()) - 1; }
};

void pulisci_tabella(scenario& s);
// Cells 0 .. round((lunghezza + 7000) / 50), all zero; with the geometry flag
// also the plan rows 0 .. lunghezza + 7000, all empty.
void crea_binario(scenario& s, int32_t lunghezza);
inline bool cella_libera(const cella& c) { return c.oggetto == oggetto::vuoto || c.oggetto == oggetto::segno_montagna; }

}  // namespace od
