#include "tools/servizio/servizio.h"

#include <exception>

#include "platform/cartella.h"
#include "tools/comune/riga_comando.h"
#include "tools/comune/testo_utf8.h"
#include "tools/servizio/funzioni.h"

namespace od {
namespace {

using json = nlohmann::json;

// The protocol's error codes.
enum codice_errore_lsp : int {
  errore_analisi = -32700,
  richiesta_non_valida = -32600,
  metodo_sconosciuto = -32601,
  parametri_non_validi = -32602,
  errore_interno = -32603,
  non_inizializzato = -32002,
};

// A request's failure: the protocol's code and the words for the author.
struct errore_richiesta : std::exception {
  errore_richiesta(int c, std::string m) : codice(c), messaggio(std::move(m)) {}
  const char* what() const noexcept override { return messaggio.c_str(); }
  int codice;
  std::string messaggio;
};

json risposta_errore(const json& id, int codice, const std::string& messaggio) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", testo_utf8(messaggio)}}}};
}

json capacita() {
  return {{"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", {{"includeText", false}}}}},
          {"hoverProvider", true},
          {"completionProvider", {{"triggerCharacters", json::array({"["})}}},
          {"codeActionProvider", {{"codeActionKinds", json::array({"quickfix"})}}},
          {"documentSymbolProvider", true},
          {"documentFormattingProvider", true}};
}

std::string percorso_del_documento(const json& parametri) {
  const std::string uri = parametri.at("textDocument").at("uri").get<std::string>();
  std::optional<std::string> p = percorso_da_uri(uri);
  if (!p) throw errore_richiesta(parametri_non_validi, "solo documenti file://: " + uri);
  return *p;
}

std::string cartella_di(const std::string& percorso) {
  const std::size_t barra = percorso.find_last_of("/\\");
  return barra == std::string::npos ? "." : percorso.substr(0, barra == 0 ? 1 : barra);
}

std::string chiave_coppia(const coppia_scenario& c) { return c.cartella + '\n' + c.percorso + '\n' + c.treno; }

bool e_file_linea(const std::string& percorso) { return percorso.ends_with("_linea.txt"); }

// The whole document replaced by `nuovo`, as one edit.
json modifica_intera(const std::string& vecchio, const std::string& nuovo) {
  int righe = 0;
  std::size_t inizio_ultima = 0;
  for (std::size_t i = 0; i < vecchio.size(); ++i) {
    if (vecchio[i] == '\n') {
      ++righe;
      inizio_ultima = i + 1;
    }
  }
  return json::array({{{"range",
                        {{"start", {{"line", 0}, {"character", 0}}},
                         {"end", {{"line", righe}, {"character", vecchio.size() - inizio_ultima}}}}},
                       {"newText", testo_utf8(nuovo)}}});
}

}  // namespace

std::optional<coppia_scenario> servizio::coppia_del_file(const std::string& percorso) const {
  const std::string cartella = cartella_di(percorso);
  std::vector<std::string> nomi = file_della_cartella(cartella);
  for (const auto& [aperto, d] : aperti_) {
    if (cartella_di(aperto) == cartella) nomi.push_back(aperto.substr(aperto.find_last_of("/\\") + 1));
  }
  return coppia_di(percorso, std::move(nomi));
}

void servizio::segna(const std::string& percorso) {
  if (const std::optional<coppia_scenario> c = coppia_del_file(percorso)) da_ricontrollare_[chiave_coppia(*c)] = *c;
}

const costruzione_coppia* servizio::costruzione_di(const std::string& percorso) {
  const std::optional<coppia_scenario> c = coppia_del_file(percorso);
  if (!c) return nullptr;
  auto& costruita = costruite_[chiave_coppia(*c)];
  if (!costruita || da_ricontrollare_.contains(chiave_coppia(*c))) costruita = costruisci_coppia(*c, aperti_);
  return costruita.get();
}

void servizio::pubblica(std::vector<json>& uscita) {
  for (const auto& [chiave, coppia] : da_ricontrollare_) {
    std::unique_ptr<costruzione_coppia> c = costruisci_coppia(coppia, aperti_);
    for (auto& [file, elenco] : diagnostiche(*c)) {
      const auto aperto = aperti_.find(file);
      bool& prima = con_diagnostiche_[file];
      // A file neither open nor with diagnostics now or before needs no word.
      if (aperto == aperti_.end() && elenco.empty() && !prima) continue;
      prima = !elenco.empty();
      json parametri = {{"uri", aperto != aperti_.end() ? aperto->second.uri : uri_da_percorso(file)},
                        {"diagnostics", std::move(elenco)}};
      if (aperto != aperti_.end()) parametri["version"] = aperto->second.versione;
      uscita.push_back({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", parametri}});
    }
    costruite_[chiave] = std::move(c);
  }
  da_ricontrollare_.clear();
}

void servizio::notifica(const std::string& metodo, const json& p) {
  if (metodo == "textDocument/didOpen") {
    const json& d = p.at("textDocument");
    const std::string percorso = percorso_del_documento(p);
    aperti_[percorso] = {d.at("uri").get<std::string>(), testo_8bit(d.at("text").get<std::string>()),
                         d.value("version", int64_t{0})};
    segna(percorso);
  } else if (metodo == "textDocument/didChange") {
    const std::string percorso = percorso_del_documento(p);
    const auto d = aperti_.find(percorso);
    const json& cambi = p.at("contentChanges");
    // Whole texts only (the server asks for them): the last one wins.
    if (d == aperti_.end() || !cambi.is_array() || cambi.empty()) return;
    d->second.testo = testo_8bit(cambi.back().at("text").get<std::string>());
    d->second.versione = p.at("textDocument").value("version", d->second.versione);
    segna(percorso);
  } else if (metodo == "textDocument/didSave") {
    segna(percorso_del_documento(p));
  } else if (metodo == "textDocument/didClose") {
    const std::string percorso = percorso_del_documento(p);
    aperti_.erase(percorso);
    segna(percorso);
  } else if (metodo == "exit") {
    finito_ = true;
  }
  // Any other notification ("initialized", "$/...") asks nothing of this
  // server: the protocol says to let it be.
}

servizio::json servizio::esegui(const std::string& metodo, const json& p) {
  if (metodo == "initialize") {
    inizializzato_ = true;
    return {{"capabilities", capacita()},
            {"serverInfo", {{"name", "servizio_scenario"}, {"version", std::string(versione_strumenti())}}}};
  }
  if (!inizializzato_) throw errore_richiesta(non_inizializzato, "serve prima initialize");
  if (chiuso_) throw errore_richiesta(richiesta_non_valida, "il servizio e' gia' stato chiuso (shutdown)");
  if (metodo == "shutdown") {
    chiuso_ = true;
    return nullptr;
  }
  const bool documento = metodo.starts_with("textDocument/");
  const std::string percorso = documento ? percorso_del_documento(p) : std::string{};
  const auto aperto = aperti_.find(percorso);
  if (documento && aperto == aperti_.end())
    throw errore_richiesta(parametri_non_validi, "documento non aperto: " + percorso);
  if (metodo == "textDocument/hover") {
    const json& pos = p.at("position");
    return aiuto(aperto->second.testo, e_file_linea(percorso), percorso, costruzione_di(percorso),
                 pos.at("line").get<int>(), pos.at("character").get<int>());
  }
  if (metodo == "textDocument/completion") {
    const json& pos = p.at("position");
    return completamenti(aperto->second.testo, e_file_linea(percorso), pos.at("line").get<int>(),
                         pos.at("character").get<int>());
  }
  if (metodo == "textDocument/codeAction") {
    return correzioni(aperto->second.uri, aperto->second.testo, e_file_linea(percorso),
                      p.at("context").at("diagnostics"));
  }
  if (metodo == "textDocument/documentSymbol") return simboli(aperto->second.testo, e_file_linea(percorso));
  if (metodo == "textDocument/formatting") {
    const std::string nuovo = testo_formattato(aperto->second.testo, e_file_linea(percorso));
    return nuovo.empty() ? json::array() : modifica_intera(aperto->second.testo, nuovo);
  }
  throw errore_richiesta(metodo_sconosciuto, "metodo sconosciuto: " + metodo);
}

void servizio::ricevi(const std::string& corpo, std::vector<json>& uscita) {
  json m;
  try {
    m = json::parse(corpo);
  } catch (const json::parse_error& e) {
    uscita.push_back(risposta_errore(nullptr, errore_analisi, std::string("JSON non valido: ") + e.what()));
    return;
  }
  const bool con_id = m.is_object() && m.contains("id") && (m["id"].is_number_integer() || m["id"].is_string());
  const json id = con_id ? m["id"] : json(nullptr);
  if (!m.is_object() || !m.contains("method") || !m["method"].is_string()) {
    // An answer to a request of ours (we send none) is no error; anything else is.
    if (!(m.is_object() && con_id && (m.contains("result") || m.contains("error"))))
      uscita.push_back(risposta_errore(id, richiesta_non_valida, "messaggio senza metodo"));
    return;
  }
  const std::string metodo = m["method"].get<std::string>();
  const json parametri = m.contains("params") ? m["params"] : json::object();
  try {
    if (!con_id) {
      if (inizializzato_ || metodo == "exit") notifica(metodo, parametri);
      return;
    }
    uscita.push_back({{"jsonrpc", "2.0"}, {"id", id}, {"result", esegui(metodo, parametri)}});
  } catch (const errore_richiesta& e) {
    if (con_id) uscita.push_back(risposta_errore(id, e.codice, e.messaggio));
  } catch (const json::exception& e) {
    // A member missing or of the wrong type.
    if (con_id) uscita.push_back(risposta_errore(id, parametri_non_validi, std::string("parametri: ") + e.what()));
  } catch (const std::exception& e) {
    if (con_id) uscita.push_back(risposta_errore(id, errore_interno, e.what()));
  }
}

void servizio::rifiuta(const pezzo_cornice& pezzo, std::vector<json>& uscita) {
  const int codice = pezzo.tipo == tipo_pezzo::troppo_grande ? richiesta_non_valida : errore_analisi;
  uscita.push_back(risposta_errore(nullptr, codice, pezzo.corpo));
}

}  // namespace od
