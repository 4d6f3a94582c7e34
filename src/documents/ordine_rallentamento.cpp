// The carried slowdown order: the form that tells the driver, before
// departure, the temporary speed restrictions of the route. Its four filled
// rows are the four slowdowns of the train file, told as a driver reads them:
// between which stations, after which kilometre post, how fast, how long,
// with which prescription. All fixed text, laid out by the same form as the
// order built from any scenario.
#include <array>
#include <string>
#include <string_view>

#include "documents/documenti.h"
#include "documents/impaginazione_ordine.h"
#include "scenario_text/nomi_file.h"

namespace od {
namespace {

struct rallentamento_carico {
  std::string_view numero, fra_stazioni, cippo, velocita, lunghezza, prescrizione;
};

// In the order of the train file. The last post is small because the
// progressive of the last stretch counts down towards Drumvane.
constexpr std::array<rallentamento_carico, 4> rallentamenti{{
    {"1", "Orsella - Valdrezza", "8", "30", "150", "---"},
    {"2", "Pravesso - Borgo Tevano", "32", "50", "500", "---"},
    {"3", "Tremosca - Campolustro", "72", "30", "300", "---"},
    {"4", "Solivera - Ponte Arvello", "6", "20", "150", "A"},
}};

}  // namespace

lista_righe righe_rallentamenti() {
  contenuto_ordine c{"Orsella - Drumvane", "40318", {}};
  for (const rallentamento_carico& r : rallentamenti) {
    c.righe.push_back({std::string(r.numero), std::string(r.fra_stazioni), std::string(r.cippo),
                       std::string(r.velocita), std::string(r.lunghezza), std::string(r.prescrizione)});
  }
  return impagina_ordine(c);
}

void dati_rallentamenti(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                        chiamate_file& chiamate, sincronia sincronia) {
  scrivi_righe(cartella, nome_file_documento(nome_percorso, nome_treno, "rallentamenti"), righe_rallentamenti(),
               chiamate, sincronia);
}

void prepara_rallentamenti(sostituzione_insieme& insieme, const std::string& cartella, const std::string& nome_percorso,
                           const std::string& nome_treno) {
  prepara_righe(insieme, cartella, nome_file_documento(nome_percorso, nome_treno, "rallentamenti"),
                righe_rallentamenti());
}

}  // namespace od
