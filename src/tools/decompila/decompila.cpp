// The texts come from the model in one pass (descrivi.h), except for the
// reduction records: the walk places reduction markers of its own, and a
// stored reduction cell needs a record only where the walk would not put the
// same there. So the text is built without them, walked, and a record is
// added for each reduction cell that the walk did not give back; a record
// can move a marker of the walk, so this repeats until nothing changes, and
// a cell that looks like a marker gets a record only when no other cell is
// missing, since it may be a marker that a record still to come moves there. The
// plan plays no part in the cells, so these rounds leave it out; the last
// build, the proof, has it.
#include "tools/decompila/decompila.h"

#include <map>

#include "tools/decompila/descrivi.h"
#include "tools/decompila/ricostruzione.h"

namespace od {
namespace {

constexpr int giri_abbattimenti = 8;
constexpr int16_t valore_segno_cammino = 180;  // the value of every marker that the walk places

bool di_abbattimento(const cella& c) {
  return c.oggetto == oggetto::abbattimento || c.oggetto == oggetto::fine_abbattimento;
}

// A record can only take a cell that nothing but a mountain marker or a
// marker of the walk holds.
bool prendibile(const cella& c) { return cella_libera(c) || c.oggetto == oggetto::abbattimento; }

std::vector<riga_descrizione> righe(const std::map<int32_t, riga_descrizione>& per_cella) {
  std::vector<riga_descrizione> r;
  for (const auto& [c, riga] : per_cella) r.push_back(riga);
  return r;
}

std::map<int32_t, riga_descrizione> abbattimenti(const scenario& s, const std::string& testo_linea) {
  std::map<int32_t, riga_descrizione> per_cella;
  bool ne_ha = false;
  for (const cella& c : s.binario) ne_ha = ne_ha || di_abbattimento(c);
  if (!ne_ha) return per_cella;
  for (int giro = 0; giro < giri_abbattimenti; ++giro) {
    const std::string testo_treno = testo_descrizione(descrivi_treno(s, righe(per_cella)));
    const ricostruzione r = ricostruisci(s.nome_percorso, s.nome_treno, testo_linea, testo_treno, false);
    if (r.stato.binario.size() != s.binario.size()) break;
    // A cell like a marker of the walk may be one that a record moved away
    // from its place: those get records only once the others are in.
    std::vector<int32_t> mancanti, come_segni;
    // Cell 1's first value is a mark: nothing there was ever a reduction.
    for (std::size_t c = 2; c < s.binario.size(); ++c) {
      const cella& trovata = s.binario[c];
      const cella& rifatta = r.stato.binario[c];
      if (!di_abbattimento(trovata) || per_cella.contains(static_cast<int32_t>(c))) continue;
      if (trovata.oggetto == rifatta.oggetto && trovata.valore1 == rifatta.valore1) continue;
      if (!prendibile(rifatta)) continue;
      const bool come_segno = trovata.oggetto == oggetto::abbattimento && trovata.valore1 == valore_segno_cammino;
      (come_segno ? come_segni : mancanti).push_back(static_cast<int32_t>(c));
    }
    if (mancanti.empty()) mancanti = come_segni;
    if (mancanti.empty()) break;
    for (const int32_t c : mancanti) {
      per_cella.emplace(c, riga_abbattimento(c, s.binario[static_cast<std::size_t>(c)]));
    }
  }
  return per_cella;
}

}  // namespace

scenario_decompilato decompila(const scenario_letto& letto, const immagini_binarie& immagini) {
  const scenario& s = letto.stato;
  scenario_decompilato d;
  d.testo_linea = testo_descrizione(descrivi_linea(s));
  d.testo_treno = testo_descrizione(descrivi_treno(s, righe(abbattimenti(s, d.testo_linea))));
  const ricostruzione r =
      ricostruisci(s.nome_percorso, s.nome_treno, d.testo_linea, d.testo_treno, s.con_planimetria != 0);
  d.differenze = differenze(letto, immagini, r);
  // When the proof fails, what no text could give comes first.
  if (!d.differenze.empty()) {
    std::vector<std::string> motivi = senza_testo(s);
    d.differenze.insert(d.differenze.begin(), motivi.begin(), motivi.end());
  }
  return d;
}

}  // namespace od
