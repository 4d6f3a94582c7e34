#include "percorrenza/orario.h"

#include <cmath>
#include <map>

#include "elementi/voci_generali.h"
#include "modello/progressiva.h"
#include "modello/stazioni.h"
#include "percorrenza/marcia_tipo.h"
#include "percorrenza/velocita_ammessa.h"

namespace od {
namespace {

// The cell that the build marks as each station's stopping point.
std::map<int, int32_t> celle_fermata(const scenario& s) {
  std::map<int, int32_t> celle;
  for (std::size_t c = 0; c < s.binario.size(); ++c) {
    const cella& k = s.binario[c];
    if (k.oggetto == oggetto::fermata) celle.emplace(k.valore1, static_cast<int32_t>(c));
  }
  return celle;
}

int32_t orario_partenza(const scenario& s, const voce& prima) {
  if (prima.orario != 0) return prima.orario;
  // Without a time of its own the train leaves when the clock starts.
  return (orologio_ore(s) * 60 + orologio_minuti(s)) * 60 + orologio_secondi(s);
}

class calcolo {
 public:
  calcolo(const scenario& s, const treno_percorrenza& treno, double margine_minimo, double abbuono)
      : s_(s), treno_(treno), margine_minimo_(margine_minimo), abbuono_(abbuono) {}

  tabella_orario esegui() {
    r_.margine_minimo = margine_minimo_;
    const std::vector<int> voci = voci_stazioni(s_);
    if (voci.size() < 2) return con_errore("servono almeno due stazioni per un orario");
    prepara_stazioni(voci);
    if (!r_.errore.empty()) return std::move(r_);
    std::vector<int32_t> fermate;
    for (std::size_t i = 1; i + 1 < r_.stazioni.size(); ++i) {
      if (r_.stazioni[i].ferma) fermate.push_back(r_.stazioni[i].punto / metri_cella);
    }
    r_.corsa = marcia_piu_veloce(s_, treno_, r_.stazioni.front().punto / metri_cella,
                                 r_.stazioni.back().punto / metri_cella, fermate);
    if (abbuono_ > 0) r_.corsa = marcia_tipo(r_.corsa, abbuono_);
    tempi(voci);
    tratte();
    return std::move(r_);
  }

 private:
  tabella_orario con_errore(std::string perche) {
    r_.errore = std::move(perche);
    return std::move(r_);
  }

  void prepara_stazioni(const std::vector<int>& voci) {
    const std::map<int, int32_t> celle = celle_fermata(s_);
    const auto ultima_posizione = static_cast<int64_t>(s_.binario.size() - 1) * metri_cella;
    for (std::size_t i = 0; i < voci.size(); ++i) {
      const voce& v = s_.tabella[static_cast<std::size_t>(voci[i])];
      tempo_stazione t;
      t.voce = voci[i];
      t.nome = v.nome;
      t.posizione = v.posizione;
      t.progressiva = progressiva_di(s_, v.posizione).metri;
      const bool estrema = i == 0 || i + 1 == voci.size();
      t.ferma = estrema || (v.orario != 0 && v.sosta > 0);
      t.punto = v.posizione;
      const auto cella = celle.find(voci[i]);
      // Told only once the station is kept: a warning names its station by
      // index, and a table that stops at an out-of-order station has none
      // past it.
      bool senza_punto = false;
      if (t.ferma && (v.tipo >= tipo_senza_fermata || cella == celle.end())) {
        senza_punto = true;
        // The run must start and end somewhere: at the position itself.
        t.ferma = estrema;
        if (estrema) t.punto = static_cast<int32_t>(v.posizione / metri_cella * metri_cella);
      } else if (t.ferma) {
        t.punto = cella->second * metri_cella;
      }
      if (v.orario != 0) t.orario = v.orario;
      const int32_t prima = r_.stazioni.empty() ? INT32_MIN : r_.stazioni.back().punto;
      if (t.punto < 0 || t.punto > ultima_posizione || t.punto < prima || (estrema && i > 0 && t.punto == prima)) {
        r_.errore = "la stazione " + std::to_string(voci[i]) + " (" + v.nome +
                    ") non segue la precedente lungo la linea: nessun orario";
        return;
      }
      if (senza_punto) r_.avvisi.push_back({avviso_orario::tipo::fermata_senza_punto, i, 0});
      r_.stazioni.push_back(std::move(t));
    }
  }

  // Earliest times: the run's own times, shifted by every wait at a stop.
  void tempi(const std::vector<int>& voci) {
    double attesa = orario_partenza(s_, s_.tabella[static_cast<std::size_t>(voci.front())]);
    for (std::size_t i = 0; i < r_.stazioni.size(); ++i) {
      tempo_stazione& t = r_.stazioni[i];
      t.arrivo = tempo_a(r_.corsa, t.punto) + attesa;
      const voce& v = s_.tabella[static_cast<std::size_t>(t.voce)];
      if (i == 0) {
        t.partenza = t.arrivo;
        continue;
      }
      const bool ultima = i + 1 == r_.stazioni.size();
      double pronto = t.arrivo;
      if (t.ferma && !ultima) {
        pronto += v.sosta;
        t.partenza = pronto;
        attesa += std::max(pronto, double(v.orario)) - t.arrivo;
      }
      if (t.orario) t.margine = *t.orario - pronto;
    }
  }

  void tratte() {
    std::optional<std::size_t> da;
    if (r_.stazioni.front().orario) da = 0;
    for (std::size_t i = 1; i < r_.stazioni.size(); ++i) {
      const tempo_stazione& b = r_.stazioni[i];
      if (!b.orario) continue;
      if (b.margine && std::nearbyint(*b.margine) < 0) {
        r_.avvisi.push_back({avviso_orario::tipo::impossibile, i, da ? r_.tratte.size() : SIZE_MAX});
      }
      if (da) aggiungi_tratta(*da, i);
      da = i;
    }
  }

  void aggiungi_tratta(std::size_t da, std::size_t a) {
    const tempo_stazione& inizio = r_.stazioni[da];
    const tempo_stazione& fine = r_.stazioni[a];
    tempo_tratta t{da, a, 0, 0, 0, 0};
    t.minimo = tempo_a(r_.corsa, fine.punto) - tempo_a(r_.corsa, inizio.punto);
    if (fine.partenza) t.minimo += *fine.partenza - fine.arrivo;
    t.previsto = int64_t{*fine.orario} - *inizio.orario;
    t.margine = static_cast<double>(t.previsto) - t.minimo;
    t.percento = t.minimo > 0 ? 100 * t.margine / t.minimo : 0;
    const bool in_ritardo = fine.margine && std::nearbyint(*fine.margine) < 0;
    if (!in_ritardo && t.percento < margine_minimo_) {
      r_.avvisi.push_back({avviso_orario::tipo::stretto, a, r_.tratte.size()});
    } else if (!in_ritardo && fine.margine && t.minimo > 0 && 100 * *fine.margine / t.minimo < margine_minimo_) {
      r_.avvisi.push_back({avviso_orario::tipo::margine_stazione, a, r_.tratte.size()});
    }
    r_.tratte.push_back(t);
  }

  const scenario& s_;
  const treno_percorrenza& treno_;
  double margine_minimo_;
  double abbuono_;
  tabella_orario r_;
};

}  // namespace

std::vector<int> voci_stazioni(const scenario& stato) { return stazioni_del_percorso(stato); }

tabella_orario calcola_orario(const scenario& stato, const treno_percorrenza& treno, double margine_minimo) {
  return calcolo(stato, treno, margine_minimo, 0).esegui();
}

tabella_orario calcola_orario(const scenario& stato, const treno_percorrenza& treno, double margine_minimo,
                              double abbuono) {
  return calcolo(stato, treno, margine_minimo, abbuono).esegui();
}

}  // namespace od
