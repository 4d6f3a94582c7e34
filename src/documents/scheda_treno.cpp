// The carried train's timetable sheet: a framed form with the train's number
// and terminals, two boxes of classification and mass, and one row per
// station with the kilometric progressive posted along the line and the
// scheduled time. Everything on it is fixed text, laid out by the same frame
// as the sheet built from any scenario.
#include <array>
#include <string>
#include <string_view>

#include "documents/documenti.h"
#include "documents/impaginazione_scheda.h"
#include "scenario_text/nomi_file.h"

namespace od {
namespace {

struct stazione_carica {
  std::string_view localita;
  std::string_view progressiva;  // km with three decimals, as posted
  forma_orario forma;
  std::string_view ora;             // the only time, or the arrival at a stop
  std::string_view partenza = {};   // the departure after a stop
  bool cambia_riferimento = false;  // the posted progressive restarts after this station
};

// The stations in the order of the train file. The progressive restarts twice:
// at Valdrezza it takes up the figures of the older route, and after Alpe
// Grenna it counts down towards Drumvane. A "+" is half a minute more.
constexpr std::array<stazione_carica, 18> stazioni{{
    {"ORSELLA", "0.000", forma_orario::partenza, "10.03"},
    {"VALDREZZA", "8.450", forma_orario::transito, "10.11", {}, true},
    {"FONTEBRISA", "13.650", forma_orario::transito, "10.13"},
    {"CASTELGRISO", "16.550", forma_orario::transito, "10.16"},
    {"MOLVERANO", "22.900", forma_orario::transito, "10.21"},
    {"PRAVESSO", "31.800", forma_orario::sosta, "10.30", "10.31"},
    {"BORGO TEVANO", "42.150", forma_orario::transito, "10.41"},
    {"LAGORSO", "50.400", forma_orario::sosta, "10.49", "10.50"},
    {"P.M. km 54+250", "54.250", forma_orario::transito, "10.53+"},
    {"ROCCAVELLO", "58.100", forma_orario::transito, "10.57"},
    {"TREMOSCA", "70.850", forma_orario::transito, "11.07+"},
    {"CAMPOLUSTRO", "77.750", forma_orario::sosta, "11.13", "11.14"},
    {"ALPE GRENNA", "82.350", forma_orario::transito, "11.19", {}, true},
    {"MISSALDO", "13.100", forma_orario::transito, "11.20+"},
    {"VAL CIARESE", "11.950", forma_orario::transito, "11.21+"},
    {"SOLIVERA", "11.400", forma_orario::transito, "11.22"},
    {"PONTE ARVELLO", "4.900", forma_orario::transito, "11.27"},
    {"DRUMVANE", "0.000", forma_orario::arrivo, "11.33"},
}};

// Line speed and running speed at the start, shown once in the origin's row.
constexpr std::string_view velocita_limite = "80";
constexpr std::string_view velocita_marcia = "70";

}  // namespace

lista_righe righe_scheda() {
  contenuto_scheda c{"40326", "ORSELLA", "DRUMVANE", "V140 C", "120%", "REGIONALE", "280T", {}, {}};
  for (const stazione_carica& s : stazioni) {
    const bool prima = &s == &stazioni.front();
    c.stazioni.push_back({std::string(prima ? velocita_limite : ""), std::string(prima ? velocita_marcia : ""),
                          std::string(s.progressiva), std::string(s.localita), s.forma, std::string(s.ora),
                          std::string(s.partenza), s.cambia_riferimento, ""});
  }
  return impagina_scheda(c);
}

void dati_scheda(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                 chiamate_file& chiamate, sincronia sincronia) {
  scrivi_righe(cartella, nome_file_documento(nome_percorso, nome_treno, "scheda_treno"), righe_scheda(), chiamate,
               sincronia);
}

void prepara_scheda(sostituzione_insieme& insieme, const std::string& cartella, const std::string& nome_percorso,
                    const std::string& nome_treno) {
  prepara_righe(insieme, cartella, nome_file_documento(nome_percorso, nome_treno, "scheda_treno"), righe_scheda());
}

}  // namespace od
