#include "tools/decompila/ricostruzione.h"

#include <fmt/format.h>

#include <algorithm>
#include <bit>
#include <cstdint>

#include "builder/codici.h"
#include "costruzione/memorizza_percorso.h"
#include "output/file_binari.h"
#include "rilettura/confronto_campi.h"
#include "rilettura/confronto_planimetrie.h"
#include "rilettura/planimetria_a_blocchi.h"

namespace od {

ricostruzione ricostruisci(const std::string& percorso, const std::string& treno, const std::string& testo_linea,
                           const std::string& testo_treno, bool con_planimetria) {
  ricostruzione r;
  r.stato.nome_percorso = percorso;
  r.stato.nome_treno = treno;
  opzioni_build opzioni;
  opzioni.sorgente.testo_linea = testo_linea;
  opzioni.sorgente.testo_treno = testo_treno;
  // After a reading code the build goes on as a forced one would, so that
  // the differences show where the text falls short.
  opzioni.forza = true;
  opzioni.solo_in_memoria = true;
  sessione_costruzione sessione;
  const risultato_build esito = memorizza_percorso(r.stato, sessione, con_planimetria ? 1 : 0, opzioni);
  r.codice_lettura = esito.codice_lettura;
  r.posizione_lettura = esito.posizione_lettura;
  r.codice_finale = esito.codice_finale;
  return r;
}

namespace {

class elenco_differenze {
 public:
  explicit elenco_differenze(std::size_t massimo) : massimo_(massimo) {}

  void aggiungi(std::string riga) {
    if (righe_.size() < massimo_) {
      righe_.push_back(std::move(riga));
    } else {
      ++altre_;
    }
  }
  std::vector<std::string> chiudi() {
    if (altre_ > 0) righe_.push_back(fmt::format("... e altre {} differenze", altre_));
    return std::move(righe_);
  }

 private:
  std::size_t massimo_;
  std::size_t altre_ = 0;
  std::vector<std::string> righe_;
};

template <typename Record>
void confronta_record(const Record& trovato, const Record& rifatto, const std::string& dove, elenco_differenze& e) {
  for (const campo_diverso& c : campi_diversi(trovato, rifatto)) {
    e.aggiungi(fmt::format("{}: {}: trovato {}, ricostruito {}", dove, c.nome, c.primo, c.secondo));
  }
}

template <typename Record>
void confronta_righe(const std::vector<Record>& trovati, const std::vector<Record>& rifatti, const std::string& file,
                     const char* numero_di, const char* record, elenco_differenze& e) {
  if (trovati.size() != rifatti.size()) {
    e.aggiungi(
        fmt::format("{}: numero di {}: trovato {}, ricostruito {}", file, numero_di, trovati.size(), rifatti.size()));
  }
  for (std::size_t n = 0; n < std::min(trovati.size(), rifatti.size()); ++n) {
    confronta_record(trovati[n], rifatti[n], fmt::format("{}: {} {}", file, record, n), e);
  }
}

std::string testo_riga(const riga_piano& r, bool seconda) {
  if (r.tipo == planimetria::tipo_riga::vuota) return "vuota";
  return fmt::format("{}", seconda ? r.punto.secondo : r.punto.primo);
}

void confronta_righe_piano(const planimetria& trovata, const planimetria& rifatta, const std::string& file,
                           elenco_differenze& e) {
  if (trovata.righe() != rifatta.righe()) {
    e.aggiungi(fmt::format("{}: numero di righe: trovato {}, ricostruito {}", file, trovata.righe(), rifatta.righe()));
  }
  confronta_planimetrie(trovata, rifatta, [&](int32_t riga, const riga_piano& a, const riga_piano& b) {
    for (const bool seconda : {false, true}) {
      const bool uguali =
          a.tipo == b.tipo && (a.tipo == planimetria::tipo_riga::vuota ||
                               (seconda ? a.punto.secondo == b.punto.secondo : a.punto.primo == b.punto.primo));
      if (!uguali) {
        e.aggiungi(fmt::format("{}: riga {}, colonna {}: trovato {}, ricostruito {}", file, riga, seconda ? 1 : 0,
                               testo_riga(a, seconda), testo_riga(b, seconda)));
      }
    }
  });
}

// Two plans of the same rows, given and computed, and the same runs after
// them (curvatures bit for bit): their images are the same bytes, since the
// rows are a function of these alone. False says nothing: runs can be split
// differently and still give the same rows.
bool stessi_tratti(const planimetria& a, const planimetria& b) {
  if (a.righe() != b.righe() || a.calcolate() != b.calcolate() || a.righe_date() != b.righe_date()) return false;
  for (int32_t riga = 0; riga < a.righe_date(); ++riga) {
    if (std::bit_cast<uint64_t>(a.primo(riga)) != std::bit_cast<uint64_t>(b.primo(riga)) ||
        std::bit_cast<uint64_t>(a.secondo(riga)) != std::bit_cast<uint64_t>(b.secondo(riga))) {
      return false;
    }
  }
  return std::equal(a.tratti().begin(), a.tratti().end(), b.tratti().begin(), b.tratti().end(),
                    [](const planimetria::tratto& x, const planimetria::tratto& y) {
                      return x.fino == y.fino && std::bit_cast<uint64_t>(x.k) == std::bit_cast<uint64_t>(y.k);
                    });
}

// The plan of a long line is tens of megabytes: its image is compared block
// by block as the writer produces it, never held whole.
bool stessi_byte(const planimetria& p, std::string_view trovati) {
  std::size_t posizione = 0;
  bool uguali = true;
  scrivi_planimetria(p, [&](std::string_view parte) {
    uguali = uguali && trovati.substr(posizione, parte.size()) == parte;
    posizione += parte.size();
  });
  return uguali && posizione == trovati.size();
}

}  // namespace

std::vector<std::string> differenze(const scenario_letto& letto, const immagini_binarie& immagini,
                                    const ricostruzione& r, std::size_t massimo) {
  const scenario& s = letto.stato;
  const nomi_binari nomi = nomi_file_binari(s.nome_percorso, s.nome_treno);
  elenco_differenze e(massimo);
  if (r.codice_lettura != 0) {
    const descrizione_codice* d = descrivi_codice(r.codice_lettura);
    e.aggiungi(fmt::format("la ricostruzione registra il codice {} ({}, posizione {} m)", r.codice_lettura,
                           d != nullptr ? d->significato : "codice sconosciuto", r.posizione_lettura));
  }
  if (r.codice_finale != 0) e.aggiungi(fmt::format("la ricostruzione si ferma con l'errore {}", r.codice_finale));
  if (immagine_tabella(r.stato) != immagini.tabella) {
    const std::vector<voce> trovate(s.tabella.begin(), s.tabella.end());
    const std::vector<voce> rifatte(r.stato.tabella.begin(), r.stato.tabella.end());
    confronta_righe(trovate, rifatte, nomi.tabella, "voci", "voce", e);
  }
  if (immagine_binario(r.stato) != immagini.binario) {
    confronta_righe(s.binario, r.stato.binario, nomi.binario, "celle", "cella", e);
  }
  const bool piano_diverso = (immagini.planimetria && !stessi_byte(r.stato.planimetria, *immagini.planimetria)) ||
                             (immagini.file_planimetria && !stessi_tratti(s.planimetria, r.stato.planimetria) &&
                              !stessi_byte_del_file(r.stato.planimetria, *immagini.file_planimetria));
  if (piano_diverso) confronta_righe_piano(s.planimetria, r.stato.planimetria, nomi.planimetria, e);
  return e.chiudi();
}

}  // namespace od
