#include "documents/tabella_testo.h"

#include <stdexcept>

namespace od {
namespace {

void controlla_misura(std::string_view testo, std::size_t larghezza) {
  if (testo.size() > larghezza) {
    throw std::length_error("testo \"" + std::string(testo) + "\" di " + std::to_string(testo.size()) +
                            " caratteri in una cella di " + std::to_string(larghezza));
  }
}

}  // namespace

std::string riempi(std::string_view testo, std::size_t larghezza) {
  controlla_misura(testo, larghezza);
  std::string cella(testo);
  cella.append(larghezza - testo.size(), ' ');
  return cella;
}

std::string allinea_destra(std::string_view testo, std::size_t larghezza) {
  controlla_misura(testo, larghezza);
  std::string cella(larghezza - testo.size(), ' ');
  cella += testo;
  return cella;
}

std::string rientra(std::size_t rientro, std::string_view testo, std::size_t larghezza) {
  std::string cella(rientro, ' ');
  cella += testo;
  return riempi(cella, larghezza);
}

std::string riga_tabella(std::span<const std::size_t> larghezze, std::initializer_list<std::string_view> testi) {
  if (testi.size() != larghezze.size()) {
    throw std::invalid_argument("riga di " + std::to_string(testi.size()) + " celle in una tabella di " +
                                std::to_string(larghezze.size()) + " colonne");
  }
  std::string riga = " |";
  const std::string_view* testo = testi.begin();
  for (std::size_t larghezza : larghezze) {
    riga += riempi(*testo++, larghezza);
    riga += '|';
  }
  return riga;
}

std::string riga_piena(std::span<const std::size_t> larghezze, char segno) {
  std::string riga = " |";
  for (std::size_t larghezza : larghezze) {
    riga.append(larghezza, segno);
    riga += '|';
  }
  return riga;
}

std::size_t larghezza_interna(std::span<const std::size_t> larghezze) {
  std::size_t somma = larghezze.empty() ? 0 : larghezze.size() - 1;  // the inner bars
  for (std::size_t larghezza : larghezze) somma += larghezza;
  return somma;
}

}  // namespace od
