#include "percorrenza/avvisi_orario.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "builder/avvisi.h"

namespace od {
namespace {

std::string secondi(double x) { return std::to_string(secondi_interi(x)); }

std::string decimale(double x) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%.1f", x);
  return testo;
}

std::string numero(double x) {
  std::ostringstream o;
  o << x;
  return o.str();
}

std::string impossibile(const tabella_orario& t, const avviso_orario& a) {
  const tempo_stazione& s = t.stazioni[a.stazione];
  const bool riparte = s.partenza && a.stazione + 1 < t.stazioni.size();
  std::string frase = "orario di " + s.nome + " impossibile: " + ora_esatta(*s.orario) + " previste, ma il treno non " +
                      (riparte ? "ne riparte" : "vi arriva") + " prima delle " +
                      ora_esatta(riparte ? *s.partenza : s.arrivo) + ", " + secondi(-*s.margine) + " s dopo";
  if (a.tratta < t.tratte.size()) {
    const tempo_tratta& x = t.tratte[a.tratta];
    frase += " (tratta da " + t.stazioni[x.da].nome + ": tempo minimo " + secondi(x.minimo) + " s, previsti " +
             std::to_string(x.previsto) + " s)";
  }
  return frase;
}

std::string stretto(const tabella_orario& t, const avviso_orario& a) {
  const tempo_tratta& x = t.tratte[a.tratta];
  return "tratta da " + t.stazioni[x.da].nome + " a " + t.stazioni[x.a].nome + " stretta: margine " +
         secondi(x.margine) + " s, " + decimale(x.percento) + " % del tempo minimo di " + secondi(x.minimo) +
         " s, sotto il " + numero(t.margine_minimo) + " %";
}

// The station's own margin against the section's: the difference is the
// delay that the train brings from before the section.
std::string margine_stazione(const tabella_orario& t, const avviso_orario& a) {
  const tempo_tratta& x = t.tratte[a.tratta];
  const tempo_stazione& s = t.stazioni[a.stazione];
  return "a " + s.nome + " restano " + secondi(*s.margine) + " s di margine, " + decimale(100 * *s.margine / x.minimo) +
         " % del tempo minimo della tratta da " + t.stazioni[x.da].nome + ", sotto il " + numero(t.margine_minimo) +
         " %: la tratta ha " + secondi(x.margine) + " s, ma il treno vi entra con " + secondi(x.margine - *s.margine) +
         " s di ritardo dalle tratte prima; dare piu' tempo a una di esse";
}

std::string senza_fermata(const tabella_orario& t, const avviso_orario& a) {
  const std::string esito = a.stazione == 0                       ? "parte dalla sua posizione"
                            : a.stazione + 1 == t.stazioni.size() ? "si ferma alla sua posizione"
                                                                  : "vi passa senza fermarsi";
  return t.stazioni[a.stazione].nome + " non ha un punto di fermata sul binario: il treno " + esito;
}

}  // namespace

// A time past what a double holds exactly is no time a timetable has; it is
// held there so that the conversion stays defined.
int64_t secondi_interi(double x) {
  constexpr double limite = 9007199254740992.0;  // 2^53
  if (std::isnan(x)) return 0;
  return static_cast<int64_t>(std::nearbyint(std::clamp(x, -limite, limite)));
}

std::string ora_esatta(double x) {
  const int64_t s = secondi_interi(x);
  const int64_t a = s < 0 ? -s : s;
  char testo[40];
  std::snprintf(testo, sizeof testo, "%s%02lld:%02lld:%02lld", s < 0 ? "-" : "", static_cast<long long>(a / 3600),
                static_cast<long long>(a / 60 % 60), static_cast<long long>(a % 60));
  return testo;
}

std::string nome_avviso(const avviso_orario& a) {
  switch (a.genere) {
    case avviso_orario::tipo::impossibile:
      return std::string(nome_avviso(tipo_avviso::orario_impossibile));
    case avviso_orario::tipo::stretto:
      return std::string(nome_avviso(tipo_avviso::orario_stretto));
    case avviso_orario::tipo::margine_stazione:
      return std::string(nome_avviso(tipo_avviso::margine_stazione));
    case avviso_orario::tipo::fermata_senza_punto:
      break;
  }
  return std::string(nome_avviso(tipo_avviso::orario_senza_fermata));
}

std::string frase_avviso(const tabella_orario& t, const avviso_orario& a) {
  switch (a.genere) {
    case avviso_orario::tipo::impossibile:
      return impossibile(t, a);
    case avviso_orario::tipo::stretto:
      return stretto(t, a);
    case avviso_orario::tipo::margine_stazione:
      return margine_stazione(t, a);
    case avviso_orario::tipo::fermata_senza_punto:
      break;
  }
  return senza_fermata(t, a);
}

std::vector<avviso> avvisi_della_tabella(const tabella_orario& t, const scenario& stato,
                                         const std::map<int32_t, luogo_errore>& origini) {
  // The cell that the build marked as each station's stopping point.
  std::vector<int32_t> fermate(voci_tabella, -1);
  for (std::size_t c = 0; c < stato.binario.size(); ++c) {
    const cella& k = stato.binario[c];
    if (k.oggetto == oggetto::fermata && k.valore1 > 0 && k.valore1 < voci_tabella && fermate[k.valore1] < 0) {
      fermate[static_cast<std::size_t>(k.valore1)] = static_cast<int32_t>(c);
    }
  }
  std::vector<avviso> avvisi;
  for (const avviso_orario& a : t.avvisi) {
    avviso x{nome_avviso(a), frase_avviso(t, a), {}};
    const int32_t cella_fermata = fermate[static_cast<std::size_t>(t.stazioni[a.stazione].voce)];
    if (const auto origine = origini.find(cella_fermata); origine != origini.end()) x.luogo = origine->second;
    avvisi.push_back(std::move(x));
  }
  return avvisi;
}

}  // namespace od
