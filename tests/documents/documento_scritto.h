// Helpers for the document tests: write a document the way the run does, into
// a folder of its own, and read the bytes back as an editor would see them.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_atomico.h"
#include "support/cartella_temporanea.h"

namespace od::prova {

inline constexpr std::string_view percorso = "Orsella_Drumvane";
inline constexpr std::string_view treno = "xr40318";

using scrittore = void (*)(const std::string&, const std::string&, const std::string&, chiamate_file&, sincronia);

// Runs `scrivi` as the run does and returns the bytes of the file named
// `nome_file`. With `sopra_vecchio` a longer file of the same name stands
// there first, so that anything left of it would show.
inline std::string scrivi_e_leggi(scrittore scrivi, std::string_view nome_file, bool sopra_vecchio) {
  const test::cartella_temporanea cartella;
  const std::string nome(nome_file);
  if (sopra_vecchio) {
    std::string vecchio;
    for (int i = 0; i < 500; ++i) vecchio += "riga di un documento precedente, molto piu' lunga\r\n";
    cartella.scrivi(nome, vecchio);
  }
  scrivi(cartella.percorso(), std::string(percorso), std::string(treno), chiamate_di_sistema(),
         sincronia::senza_cartella);
  // Only the document is left: no temporary file beside it.
  EXPECT_EQ(cartella.elenco(), std::vector<std::string>{nome});
  return cartella.leggi(nome);
}

// The lines of a text whose every line ends in CR LF. A lone CR or LF, or
// bytes after the last CR LF, fail the calling test.
inline std::vector<std::string> righe_lette(const std::string& testo) {
  std::vector<std::string> righe;
  std::size_t inizio = 0;
  while (inizio < testo.size()) {
    const std::size_t fine = testo.find("\r\n", inizio);
    if (fine == std::string::npos) {
      ADD_FAILURE() << "byte dopo l'ultimo CR LF: \"" << testo.substr(inizio) << "\"";
      break;
    }
    std::string riga = testo.substr(inizio, fine - inizio);
    EXPECT_EQ(riga.find_first_of("\r\n"), std::string::npos) << "CR o LF isolato nella riga " << righe.size() + 1;
    righe.push_back(std::move(riga));
    inizio = fine + 2;
  }
  return righe;
}

// Every byte is 7-bit ASCII and the list's end marker never reached the file.
inline void controlla_testo_semplice(const std::string& testo) {
  for (char c : testo) EXPECT_LT(static_cast<unsigned char>(c), 128U);
  EXPECT_EQ(testo.find("riferimento fine del file"), std::string::npos);
}

// Columns of the bars in a line.
inline std::vector<std::size_t> barre(std::string_view riga) {
  std::vector<std::size_t> colonne;
  for (std::size_t i = 0; i < riga.size(); ++i) {
    if (riga[i] == '|') colonne.push_back(i);
  }
  return colonne;
}

// Columns of the bars of a table line " |" + cells of the given widths, each
// closed by a bar.
inline std::vector<std::size_t> barre_tabella(const std::vector<std::size_t>& larghezze) {
  std::vector<std::size_t> colonne{1};
  for (std::size_t l : larghezze) colonne.push_back(colonne.back() + l + 1);
  return colonne;
}

// The cells between the bars of a table line (without the outer ones).
inline std::vector<std::string> celle(std::string_view riga) {
  std::vector<std::string> risultato;
  const std::vector<std::size_t> b = barre(riga);
  for (std::size_t i = 0; i + 1 < b.size(); ++i) risultato.emplace_back(riga.substr(b[i] + 1, b[i + 1] - b[i] - 1));
  return risultato;
}

inline std::string spazi(std::size_t n) { return std::string(n, ' '); }

// `testo` starting after `prima` blanks, padded with blanks to `larghezza`.
inline std::string a_colonna(std::size_t prima, std::string_view testo, std::size_t larghezza) {
  std::string cella = spazi(prima) + std::string(testo);
  if (cella.size() < larghezza) cella += spazi(larghezza - cella.size());
  return cella;
}

}  // namespace od::prova
