#include "tools/compila/scrivi_orario.h"

#include <array>
#include <map>
#include <stdexcept>
#include <vector>

#include "scenario_text/flusso_campi.h"
#include "scenario_text/schema.h"

namespace od {
namespace {

// Where a number field stands in the text: its first byte and one past its last.
struct campo_numero {
  std::size_t inizio = 0, fine = 0;
};

struct stazione_scritta {
  int32_t posizione = 0;
  std::array<campo_numero, 3> ora;  // hours, minutes, seconds
};

// The first byte of every line, with the line ends that the field stream
// knows (CR LF, LF, CR).
std::vector<std::size_t> inizi_righe(const std::string& t) {
  std::vector<std::size_t> inizi{0};
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
    if (t[i] == '\r' || t[i] == '\n') inizi.push_back(i + 1);
  }
  return inizi;
}

class cammino {
 public:
  explicit cammino(const std::string& testo) : testo_(testo), flusso_(testo), righe_(inizi_righe(testo)) {}

  std::vector<stazione_scritta> stazioni() {
    // Nothing counts before "[generale]".
    while (!flusso_.fine() && !contiene_senza_maiuscole(flusso_.leggi_testo(), "[generale]")) {
    }
    while (!flusso_.fine()) {
      std::string chiave = flusso_.leggi_testo();
      if (flusso_.fine()) break;
      // Two comment fields in a row are passed over; a third is tried as a key.
      for (int commenti = 0; commenti < 2 && contiene(chiave, "-") && !flusso_.fine(); ++commenti)
        chiave = flusso_.leggi_testo();
      if (flusso_.fine()) break;
      for (const record_schema& r : schema_record()) {
        if (r.parte == parte_file::treno && r.riconosce(chiave)) leggi(r);
      }
    }
    return trovate_;
  }

 private:
  void leggi(const record_schema& r) {
    stazione_scritta s;
    for (int32_t n = 1; n <= r.valori(); ++n) {
      const campo_schema& c = r.campi[static_cast<std::size_t>(n - 1)];
      if (c.letto == larghezza::testo) {
        flusso_.leggi_testo();
        continue;
      }
      const int32_t valore = flusso_.leggi_numero();
      if (r.tipo != tipo_record::stazione) continue;
      if (c.nome == "posizione") s.posizione = valore;
      if (c.nome == "ore") s.ora[0] = dove();
      if (c.nome == "minuti") s.ora[1] = dove();
      if (c.nome == "secondi") s.ora[2] = dove();
    }
    if (r.tipo == tipo_record::stazione) trovate_.push_back(s);
  }

  // The number just read: from its column to the end of its digits.
  campo_numero dove() const {
    const auto linea = static_cast<std::size_t>(flusso_.linea());
    std::size_t i = righe_.at(linea - 1) + static_cast<std::size_t>(flusso_.colonna()) - 1;
    const std::size_t inizio = i;
    if (i < testo_.size() && testo_[i] == '-') ++i;
    while (i < testo_.size() && testo_[i] >= '0' && testo_[i] <= '9') ++i;
    return {inizio, i};
  }

  const std::string& testo_;
  flusso_campi flusso_;
  std::vector<std::size_t> righe_;
  std::vector<stazione_scritta> trovate_;
};

}  // namespace

std::string testo_con_orario(const std::string& testo, const scenario& stato, const proposta_orario& p) {
  const std::vector<stazione_scritta> stazioni = cammino(testo).stazioni();
  // From the end of the text backward, so that earlier offsets hold.
  std::map<std::size_t, std::pair<std::size_t, std::string>, std::greater<>> sostituzioni;
  for (const stazione_proposta& s : p.stazioni) {
    if (!s.orario) continue;
    const auto n = static_cast<std::size_t>(s.voce);
    if (n == 0 || n > stazioni.size() || stazioni[n - 1].posizione != stato.tabella[n].posizione) {
      throw std::runtime_error("la stazione " + std::to_string(s.voce) + " (" + s.nome +
                               ") non si ritrova nel file del treno: nessun orario scritto");
    }
    const std::array<int32_t, 3> valori{*s.orario / 3600, *s.orario / 60 % 60, *s.orario % 60};
    for (std::size_t k = 0; k < 3; ++k) {
      const campo_numero& c = stazioni[n - 1].ora[k];
      sostituzioni[c.inizio] = {c.fine - c.inizio, std::to_string(valori[k])};
    }
  }
  std::string nuovo = testo;
  for (const auto& [inizio, cosa] : sostituzioni) nuovo.replace(inizio, cosa.first, cosa.second);
  return nuovo;
}

}  // namespace od
