#include "documents/note_scheda.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "documents/impaginazione_scheda.h"
#include "documents/testo_documenti.h"
#include "elementi/voci_generali.h"
#include "modello/misure_linea.h"
#include "modello/progressiva.h"
#include "modello/stazioni.h"

namespace od {
namespace {

// A sheet stays a sheet: past this many changes of the limit, the rest are
// counted in one line.
constexpr std::size_t massimo_cambi = 120;

std::size_t cella_di(const scenario& s, int32_t posizione) {
  if (posizione <= 0 || s.binario.empty()) return 0;
  const auto c = static_cast<std::size_t>(posizione / metri_cella);
  return std::min(c, s.binario.size() - 1);
}

int kmh(const cella& c) { return 5 * c.vmax; }

std::string frase_cambio(const scenario& s, const cambio_limite& c, const std::string& da, const std::string& a) {
  const auto posizione = static_cast<int32_t>(c.cella * metri_cella);
  return "  km " + chilometri(progressiva_di(s, posizione).metri) + " fra " + da + " e " + a + ": " +
         std::to_string(c.dopo) + " km/h (prima " + std::to_string(c.prima) + ")";
}

void aggiungi_cambi(const scenario& s, const std::vector<int>& stazioni, std::vector<std::string>& note) {
  std::vector<std::string> righe;
  std::size_t oltre = 0;
  for (std::size_t i = 0; i + 1 < stazioni.size(); ++i) {
    const voce& da = voce_n(s, stazioni[i]);
    const voce& a = voce_n(s, stazioni[i + 1]);
    for (const cambio_limite& c : cambi_fra(s, da.posizione, a.posizione)) {
      if (righe.size() < massimo_cambi) {
        righe.push_back(frase_cambio(s, c, da.nome, a.nome));
      } else {
        ++oltre;
      }
    }
  }
  if (righe.empty()) return;
  note.emplace_back("Velocita' limite: cambi fra le stazioni, dal km indicato in poi");
  for (std::string& r : righe) note.push_back(std::move(r));
  if (oltre > 0) note.push_back("  e altri " + std::to_string(oltre) + " cambi");
}

void aggiungi_impossibili(const scenario& s, const std::vector<int>& stazioni, const margini_stazioni& margini,
                          std::vector<std::string>& note) {
  bool margine_mostrato = false;
  std::vector<std::string> righe;
  for (std::size_t i = 1; i < stazioni.size() && i < margini.size(); ++i) {
    const voce& v = voce_n(s, stazioni[i]);
    if (!margini[i] || v.orario <= 0) continue;
    margine_mostrato = true;
    if (!impossibile(*margini[i])) continue;
    const double piu_presto = v.orario - *margini[i];
    righe.push_back("* " + v.nome + ": orario " + ora_al_secondo(v.orario) + " impossibile, il treno non " +
                    (i + 1 < stazioni.size() && v.sosta > 0 ? "ne riparte" : "vi arriva") + " prima delle " +
                    ora_al_secondo(piu_presto) + " (" +
                    std::to_string(static_cast<long long>(std::nearbyint(-*margini[i]))) + " s dopo)");
  }
  if (!margine_mostrato) return;
  note.emplace_back("Rec: minuti di margine sull'orario rispetto alla marcia piu' veloce ('+': mezzo minuto)");
  for (std::string& r : righe) note.push_back(std::move(r));
}

}  // namespace

std::vector<cambio_limite> cambi_fra(const scenario& s, int32_t da, int32_t a) {
  std::vector<cambio_limite> cambi;
  const std::size_t fine = cella_di(s, a);
  for (std::size_t c = cella_di(s, da) + 1; c <= fine; ++c) {
    if (s.binario[c].vmax != s.binario[c - 1].vmax) cambi.push_back({c, kmh(s.binario[c - 1]), kmh(s.binario[c])});
  }
  return cambi;
}

bool impossibile(double margine) { return std::nearbyint(margine) < 0; }

std::string cella_recupero(double margine) {
  std::string testo;
  if (impossibile(margine)) {
    const auto minuti = static_cast<long long>(std::ceil(-std::nearbyint(margine) / 60.0));
    testo = minuti > 99 ? "-99*" : "-" + std::to_string(minuti) + "*";
  } else {
    const auto mezzi = static_cast<long long>(std::floor(std::nearbyint(margine) / 30.0));
    testo = mezzi > 199 ? "99+" : std::to_string(mezzi / 2) + (mezzi % 2 != 0 ? "+" : "");
    testo += ' ';
  }
  return std::string(massimo_recupero - testo.size(), ' ') + testo;
}

std::vector<std::string> note_della_scheda(const scenario& s, const std::vector<int>& stazioni,
                                           const margini_stazioni& margini) {
  std::vector<std::string> note;
  aggiungi_cambi(s, stazioni, note);
  aggiungi_impossibili(s, stazioni, margini, note);
  return note;
}

std::string ora_al_secondo(double secondi) {
  if (!std::isfinite(secondi) || std::fabs(secondi) > 1e12) return "--:--:--";
  const auto s = static_cast<long long>(std::nearbyint(secondi));
  const long long giorno = ((s % 86400) + 86400) % 86400;
  char testo[16];
  std::snprintf(testo, sizeof testo, "%02lld:%02lld:%02lld", giorno / 3600, giorno / 60 % 60, giorno % 60);
  return testo;
}

}  // namespace od
