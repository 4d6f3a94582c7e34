// A language-server session driven message by message in memory: the
// editor's messages framed as an editor frames them, the pauses after which
// diagnostics are due, and what the server sent back, unframed.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "tools/servizio/ciclo.h"
#include "tools/servizio/cornice.h"
#include "tools/servizio/documenti.h"

namespace od::test {

using json = nlohmann::json;

struct pausa {};

class sessione_lsp {
 public:
  sessione_lsp& invia(const json& m) { return grezzo(incornicia(m.dump())); }
  sessione_lsp& grezzo(std::string byte) {
    eventi_.emplace_back(std::move(byte));
    return *this;
  }
  sessione_lsp& richiesta(int id, const std::string& metodo, json parametri = json::object()) {
    return invia({{"jsonrpc", "2.0"}, {"id", id}, {"method", metodo}, {"params", std::move(parametri)}});
  }
  sessione_lsp& notifica(const std::string& metodo, json parametri = json::object()) {
    return invia({{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}});
  }
  sessione_lsp& apri(const std::string& percorso, const std::string& testo, int versione = 1) {
    return notifica(
        "textDocument/didOpen",
        {{"textDocument",
          {{"uri", uri_da_percorso(percorso)}, {"languageId", "scenario"}, {"version", versione}, {"text", testo}}}});
  }
  sessione_lsp& cambia(const std::string& percorso, const std::string& testo, int versione) {
    return notifica("textDocument/didChange",
                    {{"textDocument", {{"uri", uri_da_percorso(percorso)}, {"version", versione}}},
                     {"contentChanges", json::array({{{"text", testo}}})}});
  }
  // The editor stays quiet: pending diagnostics are published.
  sessione_lsp& aspetta() {
    eventi_.emplace_back(pausa{});
    return *this;
  }

  // Runs the server over every event; returns its exit status.
  int esegui() {
    std::ostringstream uscita;
    std::deque<std::variant<std::string, pausa>> coda(eventi_.begin(), eventi_.end());
    auto fonte = [&coda](std::string& dove, int attesa) {
      while (!coda.empty() && std::holds_alternative<pausa>(coda.front())) {
        coda.pop_front();
        if (attesa >= 0) return esito_attesa::tempo;
      }
      if (coda.empty()) return esito_attesa::fine;
      dove += std::get<std::string>(coda.front());
      coda.pop_front();
      return esito_attesa::dati;
    };
    const int stato = esegui_servizio(fonte, uscita);
    cornice c(std::string::npos);
    c.aggiungi(uscita.str());
    while (std::optional<pezzo_cornice> p = c.prossimo()) ricevuti.push_back(json::parse(p->corpo));
    return stato;
  }

  // The answer to request `id`.
  json risposta(int id) const {
    for (const json& m : ricevuti) {
      if (m.contains("id") && m["id"] == id) return m;
    }
    ADD_FAILURE() << "nessuna risposta a " << id;
    return {};
  }
  // Every diagnostics notification for `percorso`, in order.
  std::vector<json> diagnostiche(const std::string& percorso) const {
    std::vector<json> elenco;
    for (const json& m : ricevuti) {
      if (m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri_da_percorso(percorso))
        elenco.push_back(m["params"]["diagnostics"]);
    }
    return elenco;
  }

  std::vector<json> ricevuti;

 private:
  std::vector<std::variant<std::string, pausa>> eventi_;
};

}  // namespace od::test
