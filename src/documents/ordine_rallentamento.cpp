// The slowdown order: the form that tells the driver, before departure, the
// temporary speed restrictions of the route. Its four filled rows are the four
// slowdowns of the train file, told as a driver reads them: between which
// stations, after which kilometre post, how fast, how long, with which
// prescription. All fixed text; the table rows are assembled from cells of
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

struct rallentamento_ordine {
  std::string_view numero;
  std::string_view fra_stazioni;
  std::string_view cippo;  // the kilometre post after which it begins
  std::string_view velocita;  // km/h
  std::string_view lunghezza;  // metres
  std::string_view prescrizione;  // a letter of the legend, or "---"
};

// In the order of the train file. The last post is small because the
// progressive of the last stretch counts down towards Drumvane.
constexpr std::array<rallentamento_ordine, 4> rallentamenti{{
    {"1", "Orsella - Valdrezza", "8", "30", "150", "---"},
    {"2", "Pravesso - Borgo Tevano", "32", "50", "500", "---"},
    {"3", "Tremosca - Campolustro", "72", "30", "300", "---"},
    {"4", "Solivera - Ponte Arvello", "6", "20", "150", "A"},
}};

constexpr std::string_view titolo_linea = "  Linea  Orsella - Drumvane";
constexpr std::string_view ordine = "  Si ordina al macchinista del treno 40318 di effettuare i seguenti rallentamenti";

// The prescriptions as the printed form lists them: A, B, D, then C over two lines.
constexpr std::array<std::string_view, 5> legenda{
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di.......",
    " D - Rallentamento N. ... e N. ...  sono contigui",
    " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........",
};

// ---- Layout --------------------------------------------------------------

// N. | FRA LE STAZIONI | Inizio dopo il cippo | Velocita' | Lunghezza | Prescrizioni
constexpr std::array<std::size_t, 6> colonne{3, 28, 12, 10, 9, 12};

// Empty rows left on the form below the filled ones, for orders added by hand.
constexpr std::size_t righe_vuote_finali = 13;

std::string spazi(std::size_t quanti) { return std::string(quanti, ' '); }

void aggiungi_intestazione(std::vector<std::string>& righe) {
  righe.emplace_back();
  righe.push_back(spazi(31) + "Modulo M. 3");
  righe.push_back(spazi(27) + "ORDINE DI RALLENTAMENTO");
  righe.push_back(" " + std::string(80, '_'));
  righe.emplace_back(titolo_linea);
  righe.emplace_back();
  righe.emplace_back(ordine);
}

void aggiungi_testata_tabella(std::vector<std::string>& righe) {
  righe.push_back("  " + std::string(larghezza_interna(colonne), '_'));
  righe.push_back(riga_tabella(colonne, {"", "", "Inizio dopo", "", "", ""}));
  righe.push_back(riga_tabella(
      colonne, {" N.", "      FRA LE STAZIONI", " il cippo", " Velocita'", "Lunghezza", "Prescrizioni"}));
  righe.push_back(riga_tabella(
      colonne, {"", "   (o nelle Stazioni di)", "chilometrico", "", "   metri", " specifiche"}));
  righe.push_back(riga_piena(colonne, '_'));
}

std::string riga_rallentamento(const rallentamento_ordine& r) {
  const auto& c = colonne;
  return riga_tabella(c, {rientra(1, r.numero, c[0]), rientra(1, r.fra_stazioni, c[1]), rientra(5, r.cippo, c[2]),
                          rientra(4, r.velocita, c[3]), rientra(3, r.lunghezza, c[4]),
                          rientra(3, r.prescrizione, c[5])});
}

// Each filled row follows an empty one, as on the printed form.
void aggiungi_corpo(std::vector<std::string>& righe) {
  const std::string vuota = riga_piena(colonne, ' ');
  for (const rallentamento_ordine& r : rallentamenti) {
    righe.push_back(vuota);
    righe.push_back(riga_rallentamento(r));
  }
  for (std::size_t i = 0; i < righe_vuote_finali; ++i) righe.push_back(vuota);
  righe.push_back(riga_piena(colonne, '_'));
}

void aggiungi_legenda(std::vector<std::string>& righe) {
  righe.emplace_back();
  righe.push_back(spazi(14) + "Prescrizioni specifiche");
  for (std::string_view r : legenda) righe.emplace_back(r);
}

}  // namespace

lista_righe righe_rallentamenti() {
  std::vector<std::string> righe;
  aggiungi_intestazione(righe);
  aggiungi_testata_tabella(righe);
  aggiungi_corpo(righe);
  aggiungi_legenda(righe);
  return lista_righe::da(righe);
}

void dati_rallentamenti(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
                        chiamate_file& chiamate) {
  scrivi_righe(cartella, nome_file_documento(nome_percorso, nome_treno, "rallentamenti"), righe_rallentamenti(),
               chiamate);
}

}  // namespace od
