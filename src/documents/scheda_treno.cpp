// The train's timetable sheet: a framed form with the train's number and
// terminals, two boxes of classification and mass, and one row per station
// with the kilometric progressive posted along the line and the scheduled
// time. Everything on it is fixed text; the rows are assembled from cells of
// fixed width so that the frame always closes.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "documents/documenti.h"
#include "documents/tabella_testo.h"
#include "scenario_text/nomi_file.h"

namespace od {
namespace {

// ---- Constant text -------------------------------------------------------

// How the Orario cell shows a station's times.
enum class forma_orario {
  partenza,  // the origin: departure only
  transito,  // a station passed without a scheduled stop: one time
  sosta,     // a scheduled stop: arrival and departure
  arrivo,    // the destination: arrival only
};

struct stazione_scheda {
  std::string_view localita;
  std::string_view progressiva;  // km with three decimals, as posted
  forma_orario forma;
  std::string_view ora;               // the only time, or the arrival at a stop
  std::string_view partenza = {};     // the departure after a stop
  bool cambia_riferimento = false;    // the posted progressive restarts after this station
};

// The stations in the order of the train file. The progressive restarts twice:
// at Valdrezza it takes up the figures of the older route, and after Alpe
// Grenna it counts down towards Drumvane. A "+" is half a minute more.
constexpr std::array<stazione_scheda, 18> stazioni{{
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
constexpr std::string_view velocita_limite = "  80";
constexpr std::string_view velocita_marcia = "  70";

constexpr std::string_view nota_orario = "Nota: Nella colonna Orario il simbolo '+' indica 'mezzo minuto'.";

// ---- Layout --------------------------------------------------------------

// Header: train number | route | category and braked mass.
constexpr std::array<std::size_t, 3> colonne_testata{19, 48, 14};
// Classification box, a gap, mass box.
constexpr std::array<std::size_t, 3> colonne_riquadri{19, 14, 19};
// Vel. Lim. | Vel. Marc. | Progr Km | No Rs | Localita' | Orario | Rec
constexpr std::array<std::size_t, 7> colonne_orario{5, 5, 10, 5, 28, 19, 5};

constexpr std::size_t cifre_progressiva = 8;  // then two blanks to the cell's end
constexpr std::string_view pausa_sosta = "       ";  // between arrival and departure

// Columns where the texts of the header's middle cell start: the colons of
// "da:" and "a:" stand one above the other.
constexpr std::size_t rientro_titolo = 20;
constexpr std::size_t rientro_origine = 19;
constexpr std::size_t rientro_destinazione = 20;

std::string fila(std::size_t quanti, char segno) { return std::string(quanti, segno); }

void aggiungi_testata(std::vector<std::string>& righe) {
  const std::string origine = "da: " + std::string(stazioni.front().localita);
  const std::string destinazione = "a: " + std::string(stazioni.back().localita);
  const auto& c = colonne_testata;
  righe.push_back("  " + fila(c[0], '_') + fila(1 + c[1] + 1, ' ') + fila(c[2], '_'));
  righe.push_back(riga_tabella(c, {"", rientra(rientro_titolo, "SCHEDA", c[1]), ""}));
  righe.push_back(riga_tabella(c, {"   TRENO n. 40326", rientra(rientro_origine, origine, c[1]), "    V140 C"}));
  righe.push_back(riga_tabella(
      c, {fila(c[0], '_'), rientra(rientro_destinazione, destinazione, c[1]), "     120%"}));
  // The last box closes alone, under the category and mass.
  righe.push_back(fila(2 + c[0] + 1 + c[1], ' ') + "|" + fila(c[2], '_') + "|");
}

void aggiungi_riquadri(std::vector<std::string>& righe) {
  const auto& c = colonne_riquadri;
  righe.push_back("  " + fila(c[0], '_') + fila(1 + c[1] + 1, ' ') + fila(c[2], '_') + " ");
  righe.push_back(riga_tabella(c, {"  CLASSIFICAZIONE", "", "  MASSA BLOCCATA"}));
  righe.push_back(riga_tabella(c, {"     REGIONALE", "", "      280T"}));
  righe.push_back(riga_tabella(c, {fila(c[0], '_'), "", fila(c[2], '_')}));
}

std::string cella_orario(const stazione_scheda& s) {
  const std::size_t w = colonne_orario[5];
  switch (s.forma) {
    case forma_orario::partenza:
      return rientra(13, s.ora, w);
    case forma_orario::transito:
      return rientra(7, s.ora, w);
    case forma_orario::sosta:
      return rientra(1, std::string(s.ora) + std::string(pausa_sosta) + std::string(s.partenza), w);
    case forma_orario::arrivo:
      return rientra(1, s.ora, w);
  }
  return riempi("", w);
}

std::string riga_stazione(const stazione_scheda& s, bool prima) {
  const auto& c = colonne_orario;
  const std::string progressiva = allinea_destra(s.progressiva, cifre_progressiva);
  return riga_tabella(c, {prima ? velocita_limite : "", prima ? velocita_marcia : "", progressiva, "",
                          rientra(1, s.localita, c[4]), cella_orario(s), ""});
}

void aggiungi_orario(std::vector<std::string>& righe) {
  const auto& c = colonne_orario;
  const std::string regola = riga_piena(c, '_');
  righe.push_back("  " + fila(larghezza_interna(c), '_'));
  righe.push_back(riga_tabella(
      c, {" Vel.", " Vel.", " Progr Km", "  No", "   Localita' di  Servizio", "      Orario", " Rec"}));
  righe.push_back(riga_tabella(c, {" Lim.", "Marc.", "", "  Rs", "", "", ""}));
  righe.push_back(regola);
  for (const stazione_scheda& s : stazioni) {
    righe.push_back(riga_stazione(s, &s == &stazioni.front()));
    if (s.cambia_riferimento) righe.push_back(riga_piena(c, '-'));
  }
  righe.push_back(regola);
}

}  // namespace

lista_righe righe_scheda() {
  std::vector<std::string> righe;
  aggiungi_testata(righe);
  aggiungi_riquadri(righe);
  righe.emplace_back();
  aggiungi_orario(righe);
  righe.emplace_back();
  righe.emplace_back();
  righe.emplace_back(nota_orario);
  return lista_righe::da(righe);
}

void dati_scheda(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                 chiamate_file& chiamate) {
  scrivi_righe(cartella, nome_file_documento(nome_percorso, nome_treno, "scheda_treno"), righe_scheda(), chiamate);
}

}  // namespace od
