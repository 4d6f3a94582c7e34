#include "builder/memo_treno.h"

#include "builder/codici.h"
#include "elementi/segnali.h"
#include "modello/misure_linea.h"

namespace od {
namespace {

bool dentro(const scenario& stato, int64_t indice) { return indice >= 0 && indice <= stato.ultima_cella(); }

cella& cella_n(scenario& stato, int64_t indice) { return stato.binario[static_cast<std::size_t>(indice)]; }

bool libera(const scenario& stato, int64_t indice) {
  return cella_libera(stato.binario[static_cast<std::size_t>(indice)]);
}

// The fields of a cell are narrower than the file's numbers and keep their
// low bits; the reader has already refused what the file's widths forbid.
int16_t basso16(int64_t valore) { return static_cast<int16_t>(valore); }
uint8_t basso8(int64_t valore) { return static_cast<uint8_t>(valore); }

}  // namespace

codici memo_segnale(scenario& stato, dati_segnale& segnale) {
  const int64_t c = cella_puntuale(segnale.posizione);
  // The marks stand 100 m apart below the signal; a signal too near the start
  // of the line would put the farthest of them before cell 0.
  if (!dentro(stato, c) || !dentro(stato, cella_preavviso_segnale(c, preavvisi_per_segnale)))
    return codice_fuori_binario;
  if (!libera(stato, c)) return codici::segnale_occupata;

  cella& posto = cella_n(stato, c);
  posto.oggetto = oggetto::segnale;
  posto.valore4 = basso16(impacca_lati(segnale.rapp, segnale.sx, segnale.dx));
  posto.valore1 = basso16(impacca_coppia(segnale.s1, segnale.d1));
  posto.valore2 = basso16(impacca_coppia(segnale.s2, segnale.d2));
  posto.valore3 = basso16(impacca_coppia(segnale.s3, segnale.d3));

  // A held time is never shorter than 101 s once one is given.
  if (segnale.tempo >= 1 && segnale.tempo <= 100) segnale.tempo = 101;
  posto.attesa = segnale.sx == 2 ? basso8(segnale.tempo) : 0;

  const int64_t base = base_preavvisi_segnale(segnale.sx, segnale.dx);
  for (int32_t j = 1; j <= preavvisi_per_segnale; ++j) {
    cella_n(stato, cella_preavviso_segnale(c, j)).preavviso = basso8(base + j);
  }
  return codici::nessuno;
}

namespace {

// The slowdown's values in the cells of its start, end or warning.
void scrivi_valori(cella& posto, uint8_t codice, const dati_rallentamento& r) {
  posto.oggetto = codice;
  posto.valore1 = basso16(r.v);
  if (r.d_v != 0) posto.valore2 = basso16(r.d_v);
}

}  // namespace

codici memo_rallentamento(scenario& stato, const dati_rallentamento& r) {
  const bool con_avviso = r.x > inizio_con_avviso;
  const bool con_preavvisi = con_avviso && r.f_ta != 0;
  const int64_t w = cella_puntuale(int64_t{r.x} - distanza_avviso);
  const int64_t s = cella_puntuale(r.x);
  const int64_t e = cella_puntuale(int64_t{r.x} + r.l);
  const int64_t b = cella_di(int64_t{r.x} - distanza_avviso);

  // An end in the start cell (or before it) would be overwritten by the start,
  // leaving a slowdown that never ends.
  if (e <= s) return codici::fine_occupata;
  if (!dentro(stato, s) || !dentro(stato, e)) return codice_fuori_binario;
  if (con_avviso && (!dentro(stato, w) || !dentro(stato, b - 3))) return codice_fuori_binario;

  if (con_avviso && !libera(stato, w)) return codici::avviso_occupata;
  if (!libera(stato, s)) return codici::inizio_occupata;
  if (!libera(stato, e)) return codici::fine_occupata;

  scrivi_valori(cella_n(stato, e), oggetto::fine_rallentamento, r);
  scrivi_valori(cella_n(stato, s), oggetto::inizio_rallentamento, r);
  if (con_avviso) scrivi_valori(cella_n(stato, w), oggetto::avviso_rallentamento, r);
  cella_n(stato, s).valore3 = basso16(r.f_tt);
  cella_n(stato, e).valore3 = basso16(r.f_tt);

  if (!con_preavvisi) return codici::nessuno;
  for (int64_t k = 0; k <= 3; ++k) {
    if (!libera(stato, b - k)) return codici::preavviso_occupata;
  }
  for (int64_t k = 0; k <= 3; ++k) {
    cella& segno = cella_n(stato, b - k);
    segno.oggetto = oggetto::preavviso_rallentamento;
    segno.valore1 = basso16(k + 1);
    if (r.d_v != 0) segno.valore2 = basso16(k + 1);
  }
  return codici::nessuno;
}

}  // namespace od
