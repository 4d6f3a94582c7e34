#include "builder/avvisi_lettura.h"

#include <algorithm>
#include <array>
#include <vector>

namespace od {
namespace {

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Lower case, digits left out, blanks and underscores as one blank: the
// form in which near misses are compared ("cruvad5" with "curvad").
std::string forma_semplice(std::string_view testo) {
  std::string forma;
  for (const char c : testo) {
    if (c >= '0' && c <= '9') continue;
    const bool spazio = c == ' ' || c == '\t' || c == '_';
    if (spazio && (forma.empty() || forma.back() == ' ')) continue;
    forma += spazio ? ' ' : minuscola(c);
  }
  while (!forma.empty() && forma.back() == ' ') forma.pop_back();
  return forma;
}

// Edits (insert, delete, change, swap of two neighbours) from a to b. Three
// rows of the table are enough (the swap looks two rows back); for a key's
// length they live on the stack, since a file of unknown keys asks this for
// every key of its part on every line.
std::size_t distanza(const std::string& a, const std::string& b) {
  const std::size_t larga = b.size() + 1;
  constexpr std::size_t sullo_stack = 64;
  std::array<std::size_t, 3 * sullo_stack> piccole{};
  std::vector<std::size_t> grandi(larga > sullo_stack ? 3 * larga : 0);
  std::size_t* righe = larga > sullo_stack ? grandi.data() : piccole.data();
  const auto d = [&](std::size_t i, std::size_t j) -> std::size_t& { return righe[(i % 3) * larga + j]; };
  for (std::size_t j = 0; j <= b.size(); ++j) d(0, j) = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    d(i, 0) = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cambio = a[i - 1] == b[j - 1] ? 0 : 1;
      d(i, j) = std::min({d(i - 1, j) + 1, d(i, j - 1) + 1, d(i - 1, j - 1) + cambio});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d(i, j) = std::min(d(i, j), d(i - 2, j - 2) + 1);
    }
  }
  return d(a.size(), b.size());
}

// How many of each letter a text holds (digits and other signs together):
// an edit changes at most one count up and one down, so the counts' excess
// either way is a bound below the distance, found without the table.
using conta_lettere = std::array<int32_t, 27>;

std::size_t indice_lettera(char c) { return c >= 'a' && c <= 'z' ? static_cast<std::size_t>(c - 'a') : 26; }

conta_lettere conta(std::string_view testo) {
  conta_lettere n{};
  for (const char c : testo) ++n[indice_lettera(c)];
  return n;
}

std::size_t distanza_minima(conta_lettere n, std::string_view altro) {
  for (const char c : altro) --n[indice_lettera(c)];
  std::size_t piu = 0, meno = 0;
  for (const int32_t d : n) (d > 0 ? piu : meno) += static_cast<std::size_t>(d > 0 ? d : -d);
  return std::max(piu, meno);
}

bool prima_sulla_riga(const contesto_lettura& contesto) {
  const std::string_view testo = contesto.testo_record;
  const std::size_t prima = testo.find_first_not_of(" \t");
  return prima == std::string::npos || static_cast<int32_t>(prima) + 1 >= contesto.colonna_chiave;
}

// The first empty field (a comma followed by blanks only and another comma)
// on the record's line before the field in key position: the 1-based
// column just after its first comma.
std::optional<int32_t> campo_vuoto(const contesto_lettura& contesto) {
  const std::string_view testo = contesto.testo_record;
  const std::size_t fine = std::min(testo.size(), static_cast<std::size_t>(std::max(contesto.colonna_chiave, 1) - 1));
  for (std::size_t i = testo.find(','); i != std::string::npos && i < fine; i = testo.find(',', i + 1)) {
    const std::size_t dopo = testo.find_first_not_of(" \t", i + 1);
    if (dopo != std::string::npos && dopo < fine && testo[dopo] == ',') return static_cast<int32_t>(i) + 2;
  }
  return std::nullopt;
}

}  // namespace

bool intestazione(std::string_view campo) {
  const std::size_t testo = campo.find_first_not_of(" \t");
  const bool commento = testo != std::string_view::npos && campo[testo] == '-';
  return contiene(campo, "[") && contiene(campo, "]") && !commento;
}

namespace {

std::vector<chiave_nota> raccogli_chiavi(parte_file parte) {
  std::vector<chiave_nota> chiavi;
  for (const record_schema& r : schema_record()) {
    if (r.parte != parte) continue;
    chiavi.push_back({r.scritta, r.parola, r.anche});
    if (!r.altra_scritta.empty()) chiavi.push_back({r.altra_scritta, r.parola, r.anche});
  }
  return chiavi;
}

}  // namespace

std::span<const chiave_nota> chiavi_di(parte_file parte) {
  // Gathered once from the schema, which never changes: every unknown field
  // of a file asks for them.
  static const std::array<std::vector<chiave_nota>, 3> parti = {raccogli_chiavi(parte_file::linea_generale),
                                                                raccogli_chiavi(parte_file::linea_corpo),
                                                                raccogli_chiavi(parte_file::treno)};
  return parti.at(static_cast<std::size_t>(parte));
}

std::string chiave_vicina(std::string_view campo, std::span<const chiave_nota> chiavi) {
  for (const chiave_nota& k : chiavi) {
    if (contiene_senza_maiuscole(campo, k.parola) && contiene_senza_maiuscole(campo, k.anche)) {
      return std::string(k.scritta);
    }
  }
  const std::string forma = forma_semplice(campo);
  if (forma.empty()) return {};
  const conta_lettere lettere = conta(forma);
  std::string migliore;
  std::size_t minima = SIZE_MAX;
  for (const chiave_nota& k : chiavi) {
    const std::string chiave = forma_semplice(k.scritta);
    const std::size_t ammessa = std::max<std::size_t>(1, chiave.size() / 4);
    // A field much longer or shorter than the key cannot be near it: no
    // table as large as a long field is ever made.
    if (forma.size() > chiave.size() + ammessa || chiave.size() > forma.size() + ammessa) continue;
    if (distanza_minima(lettere, chiave) > ammessa) continue;
    const std::size_t d = distanza(forma, chiave);
    if (d <= ammessa && d < minima) {
      minima = d;
      migliore = k.scritta;
    }
  }
  // A curve key carries its curvature digit: keep the author's.
  if (migliore.starts_with("curva")) {
    for (const char c : campo) {
      if (c >= '0' && c <= '9') migliore += c;
    }
  }
  return migliore;
}

void avvisa_campo_senza_chiave(contesto_lettura& contesto, parte_file qui, std::optional<parte_file> altrove,
                               std::string_view dove_altrove) {
  const std::string& campo = contesto.chiave_record;
  if (intestazione(campo) || contesto.linea_record == contesto.linea_saltata) return;
  // What follows on this line is passed over too: told once, here.
  contesto.linea_saltata = contesto.linea_record;
  if (!prima_sulla_riga(contesto)) {
    if (contesto.linea_record != contesto.linea_ultimo_record) return;
    std::string messaggio = "'" + campo + "' resta sulla riga dopo i valori del record '" +
                            std::string(contesto.record_precedente) +
                            "': la riga ha un campo di troppo, letto come chiave";
    const std::optional<int32_t> vuoto = campo_vuoto(contesto);
    if (vuoto) messaggio += "; il campo vuoto qui (letto come 0) e' forse la virgola di troppo";
    const bool tenuto = terrebbe_avviso(contesto.sessione, tipo_avviso::valori_in_piu);
    aggiungi_avviso(contesto, tipo_avviso::valori_in_piu, std::move(messaggio));
    // The caret goes where the author has to act: the empty field, not the
    // last value, which is right.
    if (vuoto && tenuto) contesto.sessione.avvisi.back().luogo.colonna = *vuoto;
    return;
  }
  // A warning past the limit (a file of unknown keys) is only counted.
  if (!terrebbe_avviso(contesto.sessione, tipo_avviso::chiave_sconosciuta)) {
    aggiungi_avviso(contesto, tipo_avviso::chiave_sconosciuta, {});  // only counted
    return;
  }
  std::string messaggio = "'" + campo + "' non e' una chiave: la riga e' saltata";
  for (const chiave_nota& k : altrove ? chiavi_di(*altrove) : std::span<const chiave_nota>{}) {
    if (contiene_senza_maiuscole(campo, k.parola) && contiene_senza_maiuscole(campo, k.anche)) {
      aggiungi_avviso(contesto, tipo_avviso::chiave_sconosciuta,
                      messaggio + "; '" + std::string(k.scritta) + "' conta solo " + std::string(dove_altrove));
      return;
    }
  }
  aggiungi_avviso(contesto, tipo_avviso::chiave_sconosciuta, messaggio);
  contesto.sessione.avvisi.back().campo_senza_chiave = campo;
  contesto.sessione.avvisi.back().parte_del_campo = qui;
}

std::string avviso::messaggio() const {
  if (!parte_del_campo) return testo;
  const std::string vicina = chiave_vicina(campo_senza_chiave, chiavi_di(*parte_del_campo));
  if (vicina.empty()) return testo;
  std::string intero = testo + ": forse '" + vicina + "'?";
  if (forma_semplice(vicina) == forma_semplice(campo_senza_chiave)) intero += " (qui le maiuscole contano)";
  return intero;
}

void avvisa_commento_come_chiave(contesto_lettura& contesto, int32_t commenti_ammessi) {
  aggiungi_avviso(
      contesto, tipo_avviso::commento_come_chiave,
      "commento letto come chiave: qui se ne saltano al piu' " + std::to_string(commenti_ammessi) + " di fila");
}

void avvisa_ultimo_campo(contesto_lettura& contesto, const std::string& campo) {
  if (intestazione(campo) || contiene(campo, "-")) return;
  aggiungi_avviso(
      contesto, tipo_avviso::ultimo_campo_ignorato,
      "'" + campo + "' e' l'ultimo campo del file, da solo: non e' mai letto (chiudere il file con \"[fine]\")");
}

void avvisa_se_su_piu_righe(contesto_lettura& contesto, const flusso_campi& flusso) {
  if (contesto.nome_record.empty() || flusso.linea() == contesto.linea_record) return;
  const int32_t valori = contesto.valori_record;
  std::string messaggio = "al record '" + std::string(contesto.nome_record) +
                          "' mancano valori sulla sua riga (ne vuole " + std::to_string(valori) +
                          "): gli ultimi sono presi dalla riga " + std::to_string(flusso.linea());
  // The record's text field, when it is what the line lacks: the name that
  // the next line's key has become.
  const record_schema* r = contesto.schema_corrente;
  if (r != nullptr && r->campi.back().letto == larghezza::testo) {
    messaggio += "; manca probabilmente '" + std::string(r->campi.back().nome) + "' (" +
                 std::string(r->campi.back().significato) + ")";
  }
  aggiungi_avviso(contesto, tipo_avviso::valori_mancanti, std::move(messaggio), valori);
}

}  // namespace od
