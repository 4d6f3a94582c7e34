// The language server's session: the messages of the protocol in, answers
// and notifications out, the open documents and the re-checks still to run.
// It holds no I/O of its own (ciclo.h drives it), so that a test can talk to
// it message by message.
//
// Diagnostics are debounced: a change only marks its pair of files, and the
// driver calls `pubblica` once the editor has been quiet for a moment; the
// newest text then wins, whatever came between.
#pragma once

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tools/servizio/coppia.h"
#include "tools/servizio/cornice.h"
#include "tools/servizio/diagnosi.h"
#include "tools/servizio/documenti.h"

namespace od {

class servizio {
 public:
  using json = nlohmann::json;

  // One message's body; what is to be sent goes to `uscita`.
  void ricevi(const std::string& corpo, std::vector<json>& uscita);
  // A piece that the framing could not make a message of.
  void rifiuta(const pezzo_cornice& pezzo, std::vector<json>& uscita);
  // Whether changes wait for their diagnostics.
  bool in_attesa() const { return !da_ricontrollare_.empty(); }
  // Builds every pair marked since the last call and sends its diagnostics.
  void pubblica(std::vector<json>& uscita);
  // After "exit": the process ends, with this status (0 after "shutdown").
  bool finito() const { return finito_; }
  int stato_uscita() const { return chiuso_ ? 0 : 1; }

 private:
  json esegui(const std::string& metodo, const json& parametri);
  void notifica(const std::string& metodo, const json& parametri);
  void segna(const std::string& percorso);
  const costruzione_coppia* costruzione_di(const std::string& percorso);
  std::optional<coppia_scenario> coppia_del_file(const std::string& percorso) const;

  documenti_aperti aperti_;
  std::map<std::string, coppia_scenario> da_ricontrollare_;  // by pair
  // The last build of each pair, for hover; one per pair, replaced.
  std::map<std::string, std::unique_ptr<costruzione_coppia>> costruite_;
  std::map<std::string, bool> con_diagnostiche_;  // files whose last diagnostics were not empty
  bool inizializzato_ = false;
  bool chiuso_ = false;  // "shutdown" received
  bool finito_ = false;  // "exit" received
};

}  // namespace od
