#include "tools/servizio/ciclo.h"

#include <vector>

#include "tools/servizio/cornice.h"
#include "tools/servizio/servizio.h"

namespace od {
namespace {

void invia(std::vector<nlohmann::json>& messaggi, std::ostream& uscita) {
  for (const nlohmann::json& m : messaggi) {
    // Texts are UTF-8 already; a stray byte becomes U+FFFD instead of an
    // exception that would end the session.
    uscita << incornicia(m.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  }
  uscita.flush();
  messaggi.clear();
}

}  // namespace

int esegui_servizio(const fonte_ingresso& fonte, std::ostream& uscita, int pausa_ms) {
  servizio s;
  cornice c;
  std::vector<nlohmann::json> da_inviare;
  std::string arrivati;
  while (!s.finito()) {
    arrivati.clear();
    const esito_attesa e = fonte(arrivati, s.in_attesa() ? pausa_ms : -1);
    if (e == esito_attesa::fine) break;
    if (e == esito_attesa::tempo) {
      s.pubblica(da_inviare);
      invia(da_inviare, uscita);
      continue;
    }
    c.aggiungi(arrivati);
    while (std::optional<pezzo_cornice> p = c.prossimo()) {
      if (p->tipo == tipo_pezzo::messaggio) {
        s.ricevi(p->corpo, da_inviare);
      } else {
        s.rifiuta(*p, da_inviare);
      }
      invia(da_inviare, uscita);
      if (s.finito()) break;
    }
  }
  return s.stato_uscita();
}

}  // namespace od
