#include "run/diagnostica.h"

#include <cstdio>

#include "builder/arrotonda.h"
#include "builder/codici.h"
#include "platform/cartella.h"

namespace od {
namespace {

std::string intestazione(const luogo_errore& luogo, const std::string& cartella, const std::string& programma) {
  if (luogo.file.empty()) return programma;
  std::string testo = cartella.empty() ? luogo.file : nome_completo(cartella, luogo.file);
  if (luogo.linea > 0) testo.append(":").append(std::to_string(luogo.linea));
  return testo;
}

std::string significato(int32_t codice) {
  const descrizione_codice* d = descrivi_codice(codice);
  return d != nullptr ? std::string(d->significato) : "codice sconosciuto";
}

// The record's line and, when the field at fault lies on it, a caret under
// that field (tabs kept, so the caret lines up in a terminal too).
std::string riga_e_segno(const luogo_errore& luogo) {
  if (luogo.testo.empty()) return {};
  std::string testo = luogo.testo + "\n";
  if (luogo.colonna > 0 && luogo.linea_campo == luogo.linea) {
    for (int32_t i = 0; i + 1 < luogo.colonna && static_cast<std::size_t>(i) < luogo.testo.size(); ++i) {
      testo += luogo.testo[static_cast<std::size_t>(i)] == '\t' ? '\t' : ' ';
    }
    testo += "^\n";
  }
  return testo;
}

std::string messaggio(const luogo_errore& luogo, const std::string& tipo, int32_t codice, bool con_posizione,
                      int32_t posizione, int64_t cella, const std::string& cartella, const std::string& programma) {
  // Built by appending: GCC 12 warns falsely on long chains of + at -O3.
  std::string testo = intestazione(luogo, cartella, programma);
  testo.append(": ").append(tipo).append(" ").append(std::to_string(codice)).append(": ").append(significato(codice));
  if (con_posizione) {
    testo.append(" (posizione ").append(std::to_string(posizione)).append(" m, cella ");
    testo.append(std::to_string(cella)).append(")");
  }
  if (!luogo.motivo.empty()) testo.append(": ").append(luogo.motivo);
  testo.append("\n").append(riga_e_segno(luogo));
  return testo;
}

}  // namespace

std::string diagnostica_codice(const stato_scenario& stato, int32_t codice, int32_t posizione,
                               const std::string& cartella, const std::string& programma) {
  const descrizione_codice* d = descrivi_codice(codice);
  const bool con_posizione = d != nullptr && d->con_posizione;
  // The cell that a point item at that position takes.
  const int64_t cella = arrotonda_div(int64_t{posizione} + 50, 50);
  return messaggio(stato.luogo, "errore", codice, con_posizione, posizione, cella, cartella, programma);
}

std::string diagnostica_avviso(const stato_scenario& stato, const avviso_percorso& avviso,
                               const std::string& cartella, const std::string& programma) {
  const auto origine = stato.origini.find(avviso.elemento);
  const luogo_errore luogo = origine != stato.origini.end() ? origine->second : luogo_errore{};
  return messaggio(luogo, "avviso", avviso.codice, true, avviso.posizione, avviso.posizione / 50, cartella,
                   programma);
}

std::string testo_json(const std::string& testo) {
  std::string json = "\"";
  for (const char c : testo) {
    switch (c) {
      case '"': json += "\\\""; break;
      case '\\': json += "\\\\"; break;
      case '\n': json += "\\n"; break;
      case '\r': json += "\\r"; break;
      case '\t': json += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char codice[8];
          std::snprintf(codice, sizeof codice, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          json += codice;
        } else if (static_cast<unsigned char>(c) >= 0x80) {
          // 8-bit text of the files' code page, taken as Latin-1.
          json += static_cast<char>(0xC0 | (static_cast<unsigned char>(c) >> 6));
          json += static_cast<char>(0x80 | (static_cast<unsigned char>(c) & 0x3F));
        } else {
          json += c;
        }
    }
  }
  return json + "\"";
}

}  // namespace od
