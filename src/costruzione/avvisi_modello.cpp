#include "costruzione/avvisi_modello.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "elementi/rallentamenti.h"
#include "elementi/voci_generali.h"
#include "modello/misure_linea.h"
#include "percorrenza/avvisi_orario.h"
#include "percorrenza/orario.h"

namespace od {
namespace {

std::string n(int64_t valore) { return std::to_string(valore); }

class controllo {
 public:
  controllo(const scenario& stato, const sessione_costruzione& sessione, const treno_percorrenza& treno)
      : s_(stato), sessione_(sessione), treno_(treno) {}

  std::vector<avviso> esegui() {
    const std::vector<coppia_rallentamento> coppie = coppie_rallentamenti(s_);
    for (std::size_t i = 0; i < coppie.size(); ++i) {
      rallentamento(coppie[i]);
      if (i > 0) sovrapposti(coppie[i - 1], coppie[i]);
    }
    orologio();
    return std::move(avvisi_);
  }

 private:
  void aggiungi(tipo_avviso tipo, std::string messaggio, int32_t cella_origine) {
    avviso a{std::string(nome_avviso(tipo)), std::move(messaggio), {}};
    if (const auto o = sessione_.origini.find(cella_origine); o != sessione_.origini.end()) a.luogo = o->second;
    avvisi_.push_back(std::move(a));
  }

  // The highest speed limit over cells da..a, km/h (0: none set there).
  int32_t limite(int32_t da, int32_t a) const {
    int32_t v = 0;
    for (int32_t c = std::max(da, 0); c <= a && c <= ultima_cella_riempita(s_); ++c) {
      v = std::max<int32_t>(v, s_.binario[static_cast<std::size_t>(c)].vmax);
    }
    return v * 5;
  }

  void rallentamento(const coppia_rallentamento& r) {
    const int32_t v = valori_di(s_.binario[static_cast<std::size_t>(r.inizio)]).velocita;
    const int32_t fine = r.fine >= 0 ? r.fine : r.inizio;
    const int32_t sulla_linea = limite(r.inizio, fine);
    if (sulla_linea == 0) return;  // no limit set: nothing to compare
    const int64_t lunghezza = int64_t{fine - r.inizio} * metri_cella;
    const std::string dove = "il rallentamento a " + n(posizione_puntuale(r.inizio)) + " m";
    if (v >= sulla_linea && r.fine >= 0 && lunghezza < rallentamento_corto) {
      aggiungi(tipo_avviso::rallentamento_scambiato,
               dove + " porta " + n(v) + " km/h per " + n(lunghezza) + " m, sopra la velocita' della linea (" +
                   n(sulla_linea) +
                   " km/h) e piu' corto di un treno: velocita' e lunghezza sembrano scambiate "
                   "(il record e' posizione, velocita', lunghezza)",
               r.inizio);
    } else if (v >= sulla_linea) {
      aggiungi(tipo_avviso::rallentamento_inutile,
               dove + " porta " + n(v) + " km/h, non sotto la velocita' massima della linea li' (" + n(sulla_linea) +
                   " km/h): non rallenta nulla; scrivere una velocita' sotto " + n(sulla_linea) +
                   " km/h o togliere il record",
               r.inizio);
    } else {
      frenatura(r, v);
    }
  }

  // From the warning, 1200 m before the start, the train brakes from the
  // highest speed it may run between the two down to the slowdown's.
  void frenatura(const coppia_rallentamento& r, int32_t v) {
    const int32_t avviso = r.inizio - celle_avviso;
    if (avviso < 0 || s_.binario[static_cast<std::size_t>(avviso)].oggetto != oggetto::avviso_rallentamento) return;
    int32_t prima = limite(avviso, r.inizio);
    if (treno_.velocita_massima > 0) prima = std::min<int32_t>(prima, static_cast<int32_t>(treno_.velocita_massima));
    if (prima <= v || treno_.frenatura <= 0) return;
    const double da = prima / 3.6;
    const double a = v / 3.6;
    const double serve = (da * da - a * a) / (2 * treno_.frenatura);
    if (serve <= distanza_avviso) return;
    // The lowest speed before the slowdown from which the distance suffices,
    // down to a multiple of 5 km/h as the limits are stored.
    const double basta = std::sqrt(a * a + 2 * treno_.frenatura * distanza_avviso) * 3.6;
    const auto basta_5 = static_cast<int64_t>(std::floor(basta / 5)) * 5;
    aggiungi(tipo_avviso::rallentamento_non_frenabile,
             "per il rallentamento a " + n(posizione_puntuale(r.inizio)) + " m il treno deve frenare da " + n(prima) +
                 " a " + n(v) + " km/h: a " + testo_decimale(treno_.frenatura) + " m/s2 servono " +
                 n(static_cast<int64_t>(std::ceil(serve))) + " m, dall'avviso ce ne sono " + n(distanza_avviso) +
                 "; abbassare la velocita' della linea prima dell'avviso a " + n(basta_5) +
                 " km/h o alzare quella del rallentamento",
             r.inizio);
  }

  static std::string testo_decimale(double x) {
    std::string t = std::to_string(x);
    while (!t.empty() && t.back() == '0') t.pop_back();
    if (!t.empty() && t.back() == '.') t.pop_back();
    return t;
  }

  void sovrapposti(const coppia_rallentamento& prima, const coppia_rallentamento& dopo) {
    if (prima.fine < 0 || dopo.inizio > prima.fine) return;
    aggiungi(tipo_avviso::rallentamenti_sovrapposti,
             "il rallentamento a " + n(posizione_puntuale(dopo.inizio)) + " m comincia prima della fine di quello a " +
                 n(posizione_puntuale(prima.inizio)) + " m (" + n(posizione_puntuale(prima.fine)) +
                 " m): ogni fine chiude il rallentamento aperto per primo, e l'ordine al macchinista ne mostra altri; "
                 "unirli in uno o separarli",
             dopo.inizio);
  }

  void orologio() {
    const std::vector<int> voci = voci_stazioni(s_);
    if (voci.empty()) return;
    const voce& prima = s_.tabella[static_cast<std::size_t>(voci.front())];
    if (prima.orario == 0) return;
    const int64_t ore = orologio_ore(s_), minuti = orologio_minuti(s_), secondi = orologio_secondi(s_);
    // A clock that is no time of day has its own warning (ora-inesistente).
    if (ore < 0 || ore > 23 || minuti < 0 || minuti > 59 || secondi < 0 || secondi > 59) return;
    const int64_t parte = (ore * 60 + minuti) * 60 + secondi;
    if (parte <= prima.orario) return;
    aggiungi(tipo_avviso::orologio_dopo_partenza,
             "l'orologio parte alle " + ora_esatta(static_cast<double>(parte)) + ", dopo la partenza da '" +
                 prima.nome + "' prevista alle " + ora_esatta(prima.orario) +
                 ": il treno e' in ritardo prima di muoversi; far partire l'orologio entro le " +
                 ora_esatta(prima.orario),
             cella_fermata(voci.front()));
  }

  int32_t cella_fermata(int voce_stazione) const {
    for (std::size_t c = 0; c < s_.binario.size(); ++c) {
      const cella& k = s_.binario[c];
      if (k.oggetto == oggetto::fermata && k.valore1 == voce_stazione) return static_cast<int32_t>(c);
    }
    return -1;
  }

  const scenario& s_;
  const sessione_costruzione& sessione_;
  const treno_percorrenza& treno_;
  std::vector<avviso> avvisi_;
};

}  // namespace

std::vector<avviso> avvisi_del_modello(const scenario& stato, const sessione_costruzione& sessione,
                                       const treno_percorrenza& treno) {
  return controllo(stato, sessione, treno).esegui();
}

}  // namespace od
