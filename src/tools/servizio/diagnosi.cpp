#include "tools/servizio/diagnosi.h"

#include <array>
#include <regex>

#include "builder/codici.h"
#include "costruzione/diagnostica.h"
#include "modello/misure_linea.h"
#include "tools/comune/testo_utf8.h"

namespace od {
namespace {

using json = nlohmann::json;

enum gravita_lsp : int { errore_lsp = 1, avviso_lsp = 2 };

// The codes about a cell that another record has taken: that record is the
// other place of the diagnostic.
constexpr std::array codici_cella_occupata = {
    codici::cartello_occupata, codici::abbattimento_occupata, codici::segnale_occupata,   codici::avviso_occupata,
    codici::inizio_occupata,   codici::fine_occupata,         codici::preavviso_occupata, codici::indicatore_occupata};

bool cella_occupata(int32_t codice) {
  for (const codici c : codici_cella_occupata) {
    if (numero(c) == codice) return true;
  }
  return false;
}

json posizione(int32_t linea, std::size_t carattere) {
  return {{"line", linea > 0 ? linea - 1 : 0}, {"character", carattere}};
}

json luogo_lsp(const std::string& cartella, const luogo_errore& l) {
  return {{"uri", uri_da_percorso(nella_cartella(cartella, l.file))},
          {"range", intervallo_campo(l.linea, l.linea_campo == l.linea ? l.colonna : 0, l.testo)}};
}

json diagnostica(const luogo_errore& l, int gravita, const std::string& messaggio, json codice) {
  return {{"range", intervallo_campo(l.linea, l.linea_campo == l.linea ? l.colonna : 0, l.testo)},
          {"severity", gravita},
          {"code", std::move(codice)},
          {"source", "scenario"},
          {"message", testo_utf8(messaggio)}};
}

// The words of a code as compila_scenario prints them, without the file and
// the line that its text puts around them.
std::string testo_codice(luogo_errore l, int32_t codice, int64_t posizione_m) {
  l.file.clear();
  l.testo = {};
  std::string t = diagnostica_codice(l, codice, posizione_m, {}, {});
  if (t.starts_with(": ")) t.erase(0, 2);
  while (!t.empty() && t.back() == '\n') t.pop_back();
  return t;
}

// A warning's sentence that names another line of its own file ("della
// riga 12", "alla riga 12"): that line is the other record.
std::optional<int32_t> riga_citata(const avviso& a) {
  static const std::regex riga(R"(\briga (\d+)\b)");
  const std::string messaggio = a.messaggio();
  std::smatch m;
  if (!std::regex_search(messaggio, m, riga)) return std::nullopt;
  const int32_t n = std::stoi(m[1].str());
  return n != a.luogo.linea ? std::optional<int32_t>(n) : std::nullopt;
}

// The text of line `n` (1-based) of a file's text.
std::string_view riga_del_testo(std::string_view testo, int32_t n) {
  for (int32_t i = 1; i < n; ++i) {
    const std::size_t a_capo = testo.find('\n');
    if (a_capo == std::string_view::npos) return {};
    testo.remove_prefix(a_capo + 1);
  }
  std::string_view riga = testo.substr(0, testo.find('\n'));
  if (riga.ends_with('\r')) riga.remove_suffix(1);
  return riga;
}

void aggiungi_correlato(json& d, const std::string& cartella, const luogo_errore& altro, const std::string& cosa) {
  d["relatedInformation"] = json::array({{{"location", luogo_lsp(cartella, altro)}, {"message", testo_utf8(cosa)}}});
}

}  // namespace

json intervallo_campo(int32_t linea, int32_t colonna, std::string_view testo_linea) {
  std::size_t inizio = 0;
  std::size_t fine = testo_linea.size();
  if (colonna > 0) {
    inizio = std::min(static_cast<std::size_t>(colonna - 1), testo_linea.size());
    fine = testo_linea.find(',', inizio);
    if (fine == std::string_view::npos) fine = testo_linea.size();
    while (fine > inizio && testo_linea[fine - 1] == ' ') --fine;
    if (fine == inizio) fine = std::min(inizio + 1, testo_linea.size());
  }
  return {{"start", posizione(linea, inizio)}, {"end", posizione(linea, fine)}};
}

std::unique_ptr<costruzione_coppia> costruisci_coppia(const coppia_scenario& coppia, const documenti_aperti& aperti) {
  auto c = std::make_unique<costruzione_coppia>();
  c->coppia = coppia;
  c->stato.nome_percorso = coppia.percorso;
  c->stato.nome_treno = coppia.treno;
  opzioni_build opzioni;
  opzioni.sorgente.cartella = coppia.cartella;
  if (const auto t = aperti.find(coppia.file_linea()); t != aperti.end())
    opzioni.sorgente.testo_linea = t->second.testo;
  if (const auto t = aperti.find(coppia.file_treno()); t != aperti.end())
    opzioni.sorgente.testo_treno = t->second.testo;
  opzioni.orario = opzioni_orario{};
  opzioni.solo_in_memoria = true;
  c->risultato = memorizza_percorso(c->stato, c->sessione, 1, opzioni);
  return c;
}

std::map<std::string, json> diagnostiche(const costruzione_coppia& c) {
  std::map<std::string, json> per_file;
  const std::string linea = c.coppia.file_linea();
  per_file[linea] = json::array();
  if (!c.coppia.treno.empty()) per_file[c.coppia.file_treno()] = json::array();
  const std::string& cartella = c.coppia.cartella;
  auto metti = [&](const luogo_errore& l, json d) {
    const std::string file = l.file.empty() ? linea : nella_cartella(cartella, l.file);
    per_file[file].push_back(std::move(d));
  };
  opzioni_build regole;
  regole.orario = opzioni_orario{};
  for (const avviso& a : avvisi_mostrati(c.sessione, regole)) {
    json d = diagnostica(a.luogo, avviso_lsp, a.messaggio(), a.nome);
    if (const std::optional<int32_t> n = riga_citata(a); n && !a.luogo.file.empty() && a.luogo.sorgente) {
      luogo_errore altro = a.luogo;
      altro.linea = altro.linea_campo = *n;
      altro.colonna = 0;
      altro.testo = riga_del_testo(*a.luogo.sorgente, *n);
      aggiungi_correlato(d, cartella, altro, "l'altro record");
    }
    metti(a.luogo, std::move(d));
  }
  const risultato_build& r = c.risultato;
  if (r.codice_lettura != 0) {
    const luogo_errore& l = c.sessione.codice.luogo;
    json d = diagnostica(l, errore_lsp, testo_codice(l, r.codice_lettura, r.posizione_lettura), r.codice_lettura);
    if (cella_occupata(r.codice_lettura)) {
      const int64_t cella = l.cella >= 0 ? l.cella : cella_puntuale(r.posizione_lettura);
      const auto origine = c.sessione.origini.find(static_cast<int32_t>(cella));
      if (origine != c.sessione.origini.end() && !origine->second.file.empty())
        aggiungi_correlato(d, cartella, origine->second, "il record che occupa la cella " + std::to_string(cella));
    }
    metti(l, std::move(d));
  }
  if (r.esito == esito_build::errore_finale) {
    const auto origine = c.sessione.origini.find(1);
    const luogo_errore l = origine != c.sessione.origini.end() ? origine->second : luogo_errore{};
    const std::string t = diagnostica_finale(c.sessione, r.codice_finale, {}, {});
    const std::size_t fine = t.find('\n');
    std::string messaggio = t.substr(0, fine);
    if (const std::size_t errore = messaggio.find("errore "); errore != std::string::npos) messaggio.erase(0, errore);
    metti(l, diagnostica(l, errore_lsp, messaggio, r.codice_finale));
  }
  return per_file;
}

}  // namespace od
