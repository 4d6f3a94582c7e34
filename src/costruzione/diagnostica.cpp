#include "costruzione/diagnostica.h"

#include "builder/codici.h"
#include "costruzione/riga_mostrata.h"
#include "modello/misure_linea.h"
#include "platform/cartella.h"

namespace od {
namespace {

std::string intestazione(const luogo_errore& luogo, const std::string& cartella, const std::string& programma,
                         bool con_colonna = false) {
  if (luogo.file.empty()) return programma;
  std::string testo = cartella.empty() ? luogo.file : nome_completo(cartella, luogo.file);
  if (luogo.linea > 0) testo.append(":").append(std::to_string(luogo.linea));
  if (con_colonna && luogo.linea > 0 && luogo.colonna > 0 && luogo.linea_campo == luogo.linea) {
    testo.append(":").append(std::to_string(luogo.colonna));
  }
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
  const riga_mostrata riga = mostra_riga(luogo);
  std::string testo = riga.testo;
  testo += '\n';
  if (riga.colonna > 0) {
    for (int32_t i = 0; i + 1 < riga.colonna && static_cast<std::size_t>(i) < riga.testo.size(); ++i) {
      testo += riga.testo[static_cast<std::size_t>(i)] == '\t' ? '\t' : ' ';
    }
    testo += "^\n";
  }
  return testo;
}

std::string messaggio(const luogo_errore& luogo, const std::string& tipo, int32_t codice, bool con_posizione,
                      int64_t posizione, int64_t cella, const std::string& cartella, const std::string& programma) {
  // Built by appending: GCC 12 warns falsely on long chains of + at -O3.
  std::string testo = intestazione(luogo, cartella, programma);
  testo.append(": ").append(tipo).append(" ").append(std::to_string(codice)).append(": ").append(significato(codice));
  if (con_posizione) {
    testo.append(" (").append(testo_posizione(posizione, cella)).append(")");
  }
  if (!luogo.motivo.empty()) testo.append(": ").append(luogo.motivo);
  testo.append("\n").append(riga_e_segno(luogo));
  return testo;
}

}  // namespace

std::string diagnostica_codice(const luogo_errore& luogo, int32_t codice, int64_t posizione,
                               const std::string& cartella, const std::string& programma) {
  const descrizione_codice* d = descrivi_codice(codice);
  const bool con_posizione = d != nullptr && d->con_posizione;
  // The cell that a point item at that position takes, unless the code is
  // about another cell of the same record (a slowdown's advance marks).
  const int64_t cella = luogo.cella >= 0 ? luogo.cella : cella_puntuale(posizione);
  return messaggio(luogo, "errore", codice, con_posizione, posizione, cella, cartella, programma);
}

std::string diagnostica_finale(const sessione_costruzione& sessione, int32_t codice, const std::string& cartella,
                               const std::string& programma) {
  const auto origine = sessione.origini.find(1);
  luogo_errore luogo = origine != sessione.origini.end() ? origine->second : luogo_errore{};
  const bool primo = codice == numero(codici::cella1_primo);
  luogo.motivo = std::string("il ") + (primo ? "primo" : "secondo") + " valore della cella 1 porta un " +
                 (primo ? "contrassegno" : "codice") + " del simulatore, e ";
  luogo.motivo += origine != sessione.origini.end()
                      ? "questo record vi mette un oggetto: spostalo oltre i primi 75 m della linea"
                      : "un oggetto l'ha gia' preso: sposta oltre i primi 75 m della linea ogni oggetto che vi cade";
  return messaggio(luogo, "errore", codice, false, 0, 1, cartella, programma);
}

std::string testo_avviso(const avviso& a, const std::string& cartella, const std::string& programma) {
  std::string testo = intestazione(a.luogo, cartella, programma, true);
  testo.append(": avviso: ").append(a.messaggio()).append(" [").append(a.nome).append("]\n");
  testo += riga_e_segno(a.luogo);
  return testo;
}

}  // namespace od
