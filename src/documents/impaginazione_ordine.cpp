// The order's form: the title and the line, the sentence that gives the
// order, the table with a filled row after each empty one and empty rows left
// below for orders added by hand, and the legend of the prescriptions.
#include "documents/impaginazione_ordine.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "documents/tabella_testo.h"

namespace od {
namespace {

// The prescriptions as the printed form lists them: A, B, D, then C over two lines.
constexpr std::array<std::string_view, 5> legenda{
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di.......",
    " D - Rallentamento N. ... e N. ...  sono contigui",
    " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........",
};

// N. | FRA LE STAZIONI | Inizio dopo il cippo | Velocita' | Lunghezza | Prescrizioni
constexpr std::array<std::size_t, 6> colonne{3, 28, 12, 10, 9, 12};

// The body has at least this many lines; below the filled rows, the empty
// ones are left for orders added by hand, and one at least always is.
constexpr std::size_t righe_corpo = 21;

std::string spazi(std::size_t quanti) { return std::string(quanti, ' '); }

void aggiungi_intestazione(const contenuto_ordine& c, std::vector<std::string>& righe) {
  righe.emplace_back();
  righe.push_back(spazi(31) + "Modulo M. 3");
  righe.push_back(spazi(27) + "ORDINE DI RALLENTAMENTO");
  righe.push_back(" " + std::string(80, '_'));
  righe.push_back("  Linea  " + c.linea);
  righe.emplace_back();
  righe.push_back("  Si ordina al macchinista del treno " + c.numero_treno + " di effettuare i seguenti rallentamenti");
}

void aggiungi_testata_tabella(std::vector<std::string>& righe) {
  righe.push_back("  " + std::string(larghezza_interna(colonne), '_'));
  righe.push_back(riga_tabella(colonne, {"", "", "Inizio dopo", "", "", ""}));
  righe.push_back(
      riga_tabella(colonne, {" N.", "      FRA LE STAZIONI", " il cippo", " Velocita'", "Lunghezza", "Prescrizioni"}));
  righe.push_back(
      riga_tabella(colonne, {"", "   (o nelle Stazioni di)", "chilometrico", "", "   metri", " specifiche"}));
  righe.push_back(riga_piena(colonne, '_'));
}

std::string riga_rallentamento(const rallentamento_ordine& r) {
  const auto& c = colonne;
  // A number of three figures fills its cell.
  const std::size_t rientro_numero = r.numero.size() < c[0] ? 1 : 0;
  return riga_tabella(
      c, {rientra(rientro_numero, r.numero, c[0]), rientra(1, r.fra_stazioni, c[1]), rientra(5, r.cippo, c[2]),
          rientra(4, r.velocita, c[3]), rientra(3, r.lunghezza, c[4]), rientra(3, r.prescrizione, c[5])});
}

// Each filled row follows an empty one, as on the printed form.
void aggiungi_corpo(const contenuto_ordine& c, std::vector<std::string>& righe) {
  const std::string vuota = riga_piena(colonne, ' ');
  for (const rallentamento_ordine& r : c.righe) {
    righe.push_back(vuota);
    righe.push_back(riga_rallentamento(r));
  }
  const std::size_t piene = 2 * c.righe.size();
  const std::size_t vuote_finali = std::max<std::size_t>(1, piene < righe_corpo ? righe_corpo - piene : 0);
  for (std::size_t i = 0; i < vuote_finali; ++i) righe.push_back(vuota);
  righe.push_back(riga_piena(colonne, '_'));
}

void aggiungi_legenda(std::vector<std::string>& righe) {
  righe.emplace_back();
  righe.push_back(spazi(14) + "Prescrizioni specifiche");
  for (std::string_view r : legenda) righe.emplace_back(r);
}

}  // namespace

lista_righe impagina_ordine(const contenuto_ordine& c) {
  std::vector<std::string> righe;
  aggiungi_intestazione(c, righe);
  aggiungi_testata_tabella(righe);
  aggiungi_corpo(c, righe);
  aggiungi_legenda(righe);
  return lista_righe::da(righe);
}

}  // namespace od
