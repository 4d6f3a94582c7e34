// The sheet's frame: a header box with the train's number, terminals,
// category and braked mass; two boxes with classification and locked mass;
// the table of stations, one row each, with a dashed separator where the
// posted progressive restarts; the note on the "+" of half minutes.
#include "documents/impaginazione_scheda.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "documents/tabella_testo.h"

namespace od {
namespace {

constexpr std::string_view nota_orario = "Nota: Nella colonna Orario il simbolo '+' indica 'mezzo minuto'.";

// Header: train number | route | category and braked mass.
constexpr std::array<std::size_t, 3> colonne_testata{19, 48, 14};
// Classification box, a gap, mass box.
constexpr std::array<std::size_t, 3> colonne_riquadri{19, 14, 19};
// Vel. Lim. | Vel. Marc. | Progr Km | No Rs | Localita' | Orario | Rec
constexpr std::array<std::size_t, 7> colonne_orario{5, 5, 10, 5, 28, 19, 5};

// A departure stands in the same column whether it is the only time or
// follows an arrival, with or without its "+".
constexpr std::size_t colonna_partenza = 13;

// Columns where the texts of the header's middle cell start: the colons of
// "da:" and "a:" stand one above the other.
constexpr std::size_t rientro_titolo = 20;
constexpr std::size_t rientro_origine = 19;
constexpr std::size_t rientro_destinazione = 20;

std::string fila(std::size_t quanti, char segno) { return std::string(quanti, segno); }

void aggiungi_testata(const contenuto_scheda& s, std::vector<std::string>& righe) {
  const auto& c = colonne_testata;
  righe.push_back("  " + fila(c[0], '_') + fila(1 + c[1] + 1, ' ') + fila(c[2], '_'));
  righe.push_back(riga_tabella(c, {"", rientra(rientro_titolo, "SCHEDA", c[1]), ""}));
  righe.push_back(riga_tabella(c, {rientra(3, "TRENO n. " + s.numero_treno, c[0]),
                                   rientra(rientro_origine, "da: " + s.origine, c[1]), rientra(4, s.categoria, c[2])}));
  righe.push_back(riga_tabella(c, {fila(c[0], '_'), rientra(rientro_destinazione, "a: " + s.destinazione, c[1]),
                                   rientra(5, s.massa_frenata, c[2])}));
  // The last box closes alone, under the category and mass.
  righe.push_back(fila(2 + c[0] + 1 + c[1], ' ') + "|" + fila(c[2], '_') + "|");
}

void aggiungi_riquadri(const contenuto_scheda& s, std::vector<std::string>& righe) {
  const auto& c = colonne_riquadri;
  righe.push_back("  " + fila(c[0], '_') + fila(1 + c[1] + 1, ' ') + fila(c[2], '_') + " ");
  righe.push_back(riga_tabella(c, {"  CLASSIFICAZIONE", "", "  MASSA BLOCCATA"}));
  righe.push_back(riga_tabella(c, {rientra(5, s.classificazione, c[0]), "", rientra(6, s.massa_bloccata, c[2])}));
  righe.push_back(riga_tabella(c, {fila(c[0], '_'), "", fila(c[2], '_')}));
}

std::string cella_orario(const stazione_scheda& s) {
  const std::size_t w = colonne_orario[5];
  switch (s.forma) {
    case forma_orario::partenza:
      return rientra(colonna_partenza, s.ora, w);
    case forma_orario::transito:
      return rientra(7, s.ora, w);
    case forma_orario::sosta:
      return riempi(rientra(1, s.ora, colonna_partenza) + s.partenza, w);
    case forma_orario::arrivo:
      return rientra(1, s.ora, w);
  }
  return riempi("", w);
}

// A speed stands right-aligned before one blank: "  80 ".
std::string cella_velocita(const std::string& kmh) {
  return kmh.empty() ? std::string() : allinea_destra(kmh, massimo_velocita);
}

std::string riga_stazione(const stazione_scheda& s) {
  const auto& c = colonne_orario;
  return riga_tabella(c, {cella_velocita(s.velocita_limite), cella_velocita(s.velocita_marcia),
                          allinea_destra(s.progressiva, massimo_progressiva), "", rientra(1, s.localita, c[4]),
                          cella_orario(s), s.recupero});
}

void aggiungi_orario(const contenuto_scheda& s, std::vector<std::string>& righe) {
  const auto& c = colonne_orario;
  const std::string regola = riga_piena(c, '_');
  righe.push_back("  " + fila(larghezza_interna(c), '_'));
  righe.push_back(
      riga_tabella(c, {" Vel.", " Vel.", " Progr Km", "  No", "   Localita' di  Servizio", "      Orario", " Rec"}));
  righe.push_back(riga_tabella(c, {" Lim.", "Marc.", "", "  Rs", "", "", ""}));
  righe.push_back(regola);
  for (const stazione_scheda& r : s.stazioni) {
    righe.push_back(riga_stazione(r));
    if (r.cambia_riferimento && &r != &s.stazioni.back()) righe.push_back(riga_piena(c, '-'));
  }
  righe.push_back(regola);
  if (s.note.empty()) return;
  righe.emplace_back();
  for (const std::string& nota : s.note) righe.push_back(nota);
}

}  // namespace

lista_righe impagina_scheda(const contenuto_scheda& c) {
  std::vector<std::string> righe;
  aggiungi_testata(c, righe);
  aggiungi_riquadri(c, righe);
  righe.emplace_back();
  aggiungi_orario(c, righe);
  righe.emplace_back();
  righe.emplace_back();
  righe.emplace_back(nota_orario);
  return lista_righe::da(righe);
}

}  // namespace od
