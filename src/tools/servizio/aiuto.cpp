// Hover: what the text under the cursor means and what the build made of it.
// A value field is told from the schema (name, width, the range the model
// keeps, meaning); a key from the last build of the pair: the cells its
// record took, with metres and the posted kilometre, and what holds them; a
// station's key adds its running times (earliest arrival and departure,
// margin), as compila_scenario --orario computes them with its defaults.
#include <fmt/format.h>

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "elementi/tipi_oggetto.h"
#include "modello/misure_linea.h"
#include "modello/progressiva.h"
#include "percorrenza/avvisi_orario.h"
#include "percorrenza/orario.h"
#include "tools/comune/testo_utf8.h"
#include "tools/servizio/funzioni.h"
#include "tools/servizio/righe.h"

namespace od {
namespace {

using json = nlohmann::json;

std::string chilometro(int64_t metri) {
  const int64_t m = metri < 0 ? -metri : metri;
  return fmt::format("{}{}+{:03}", metri < 0 ? "-" : "", m / 1000, m % 1000);
}

std::string testo_campo(const record_schema& r, const campo_schema& c) {
  std::string t =
      fmt::format("**{}** ({}): {}\n\nlarghezza: {}", c.nome, r.nome, c.significato, nome_larghezza(c.letto));
  if (c.letto != larghezza::testo) t += fmt::format(", conservato da {} a {}", c.minimo, c.massimo);
  return t;
}

std::string nome_file(const std::string& percorso) { return percorso.substr(percorso.find_last_of("/\\") + 1); }

// The cells whose item this line's record put there, as the build recorded.
std::vector<int32_t> celle_della_riga(const costruzione_coppia& c, const std::string& file, int32_t linea) {
  std::vector<int32_t> celle;
  for (const auto& [cella, luogo] : c.sessione.origini) {
    if (luogo.linea == linea && luogo.file == file) celle.push_back(cella);
  }
  return celle;
}

std::string testo_celle(const costruzione_coppia& c, const std::vector<int32_t>& celle) {
  std::string t;
  for (const int32_t cella : celle) {
    const int64_t metri = posizione_puntuale(cella);
    std::string cosa = "?";
    if (cella >= 0 && static_cast<std::size_t>(cella) < c.stato.binario.size())
      cosa = std::string(nome_oggetto(c.stato.binario[static_cast<std::size_t>(cella)].oggetto));
    t += fmt::format("\n- cella {} ({} m, km {}): {}", cella, metri,
                     chilometro(progressiva_di(c.stato, static_cast<int32_t>(metri)).metri), cosa);
  }
  return t;
}

// The station is found in the timetable by its name, as the table stores
// it (a name cut to the table's width is the start of the record's).
std::string testo_stazione(const costruzione_coppia& c, std::string_view nome) {
  if (c.risultato.esito != esito_build::completato || c.risultato.codice_lettura != 0) return {};
  const tabella_orario t = calcola_orario(c.stato, treno_percorrenza{}, opzioni_orario{}.margine_minimo);
  for (const tempo_stazione& s : t.stazioni) {
    if (s.nome.empty() || !nome.starts_with(s.nome)) continue;
    std::string testo = fmt::format("\n\n**{}**: {} m, km {}, {}", s.nome, s.posizione, chilometro(s.progressiva),
                                    s.ferma ? "con fermata" : "senza fermata");
    if (s.ferma) testo += fmt::format(", punto di fermata {} m", s.punto);
    testo += fmt::format("\n\narrivo piu' presto {}", ora_esatta(s.arrivo));
    if (s.partenza) testo += fmt::format(", partenza piu' presto {}", ora_esatta(*s.partenza));
    if (s.margine) testo += fmt::format(", margine {:.0f} s", *s.margine);
    return testo;
  }
  return {};
}

// A station's area, from its position and length as written.
std::string testo_area(const record_schema& r, const std::vector<campo_testo>& campi) {
  std::optional<int64_t> posizione, lunghezza;
  for (std::size_t n = 0; n < r.campi.size() && n + 1 < campi.size(); ++n) {
    int64_t v = 0;
    const std::string_view t = campi[n + 1].testo;
    if (std::from_chars(t.data(), t.data() + t.size(), v).ec != std::errc{}) continue;
    if (r.campi[n].nome == "posizione") posizione = v;
    if (r.campi[n].nome == "lunghezza") lunghezza = v;
  }
  if (!posizione || !lunghezza) return {};
  return fmt::format("\n\narea di stazione da {} a {} m", *posizione, *posizione + *lunghezza);
}

}  // namespace

json aiuto(const std::string& testo, bool file_linea, const std::string& percorso,
           const costruzione_coppia* costruzione, int linea, int carattere) {
  const std::vector<std::string_view> righe = righe_del_testo(testo);
  if (linea < 0 || static_cast<std::size_t>(linea) >= righe.size() || carattere < 0) return nullptr;
  const std::string_view riga = righe[static_cast<std::size_t>(linea)];
  const std::vector<campo_testo> campi = campi_della_riga(riga);
  const std::size_t k = static_cast<std::size_t>(
      std::count(riga.begin(), riga.begin() + std::min<std::ptrdiff_t>(carattere, std::ssize(riga)), ','));
  const std::string_view chiave = campi.front().testo;
  if (campo_commento(chiave) || riga_intestazione(chiave)) return nullptr;
  const parte_file parte = parte_della_riga(righe, static_cast<std::size_t>(linea), file_linea);
  const record_schema* r = record_riconosciuto(parte, chiave);
  if (r == nullptr) return nullptr;
  std::string testo_aiuto;
  if (k >= 1 && k <= r->campi.size()) {
    testo_aiuto = testo_campo(*r, r->campi[k - 1]);
  } else if (k == 0) {
    testo_aiuto = fmt::format("**{}**: {} valori", r->nome, r->campi.size());
    if (costruzione != nullptr) {
      const std::string file = nome_file(percorso);
      const std::vector<int32_t> celle = celle_della_riga(*costruzione, file, linea + 1);
      testo_aiuto += testo_celle(*costruzione, celle);
      if (r->tipo == tipo_record::stazione && campi.size() > r->campi.size())
        testo_aiuto += testo_area(*r, campi) + testo_stazione(*costruzione, campi[r->campi.size()].testo);
    }
  } else {
    return nullptr;
  }
  const campo_testo& sotto = campi[std::min(k, campi.size() - 1)];
  return {{"contents", {{"kind", "markdown"}, {"value", testo_utf8(testo_aiuto)}}},
          {"range",
           {{"start", {{"line", linea}, {"character", sotto.colonna}}},
            {"end", {{"line", linea}, {"character", sotto.fine}}}}}};
}

}  // namespace od
