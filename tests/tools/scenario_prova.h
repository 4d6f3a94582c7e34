// A small scenario built in a temporary folder with the real reader and
// build, for the read-back tests: every kind of item on 20 km of line.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "costruzione/memorizza_percorso.h"
#include "output/file_binari.h"
#include "support/cartella_temporanea.h"
#include "tools/mostra/comando.h"

namespace od::test {

inline const std::string percorso_prova = "Prova";
inline const std::string treno_prova = "t1";

inline std::string linea_prova() {
  return righe_crlf({
      "[generale]",
      "lunghezza percorso,    20000",
      "progressiva chilometrica uno,    8450,    3600,    0",
      "progressiva chilometrica due,    15000,    18000,    1",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    88000",
      "sfondo due,    1",
      "sfondo tre,    16900",
      "ripetizione segnali 4 codici,    0    ,0",
      "[curve]",
      "curvas4,  800,  400",
      "curvad3,  3000,  1500",
      "[pendenze]",
      "pendenza,  0 , 12",
      "pendenza,  5000 , -7",
      "pendenza,  12000 , 0",
      "[montagne]",
      "montagna,  800 , 2050 , 12",
      "montagna,  6000 , 7000 , 1",
      "[cartelli]",
      "cartello_indicatore,  2500,   (  Galleria  )(  Sgrevonda  )(  620 m.  )",
      "[indicazioni]",
      "indicatori_vmax,  600,  80,  80,  80,  0,  60,  ,  ,  2",
      "[fine]",
  });
}

inline std::string treno_prova_testo() {
  return righe_crlf({
      "[generale]",
      "numero vetture,    4",
      "percentuale massa frenata,    120",
      "sabbia,    300",
      "orologio,    10              2             30 ",
      "[aderenze]",
      "aderenza,   0,    100",
      "aderenza,    8600,    90",
      "[vel_limite]",
      "velocita,       0,    80",
      "velocita,   10000,    60",
      "[stazioni]",
      "stazione,       0,  2,  600,  1, 1, 0,  4,1,0,  2,1,1,    1,  10, 3, 0, ORSELLA",
      "stazione,   12950, 22,  300,  1, 0, 1,  1,0,0,  4,0,1,   60,  10,20, 0, CASTELGRISO",
      "stazione,   18000,  2,  500,  1, 0, 0,  1,1,0,  2,1,1,    0,  10,33, 0, DRUMVANE",
      "[rallentamenti]",
      "rallentamento,    8650,    30,  150, 0,  1,  0",
      "rallentamento,   15000,    50,  500, 1,  0,  0",
      "[segnali]",
      "segnale,   4100,   2, 4, 1,  0, 0,    0,  0,0,0, 220",
      "segnale,   11500,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
      "segnale,   12100,   2, 4, 1,  3, 2,    2,  2,1,0, 230",
      "segnale,   15900,   2, 3, 1,  0, 0,    0,  0,0,0, 50",
      "[fine]",
  });
}

// Writes the two description files into `c` and builds the binary files
// there; the description files stay.
inline void costruisci(const cartella_temporanea& c, const std::string& linea = linea_prova(),
                       const std::string& treno = treno_prova_testo(), int32_t con_planimetria = 1) {
  c.scrivi(percorso_prova + "_linea.txt", linea);
  c.scrivi(percorso_prova + "_" + treno_prova + "-.txt", treno);
  scenario stato;
  sessione_costruzione sessione;
  stato.nome_percorso = percorso_prova;
  stato.nome_treno = treno_prova;
  opzioni_build opzioni;
  opzioni.sorgente.cartella = c.percorso();
  opzioni.cartella_uscita = c.percorso();
  const risultato_build r = memorizza_percorso(stato, sessione, con_planimetria, opzioni);
  ASSERT_EQ(r.esito, esito_build::completato);
  ASSERT_EQ(r.codice_lettura, 0) << "the test scenario must read cleanly";
}

inline nomi_binari nomi_prova() { return nomi_file_binari(percorso_prova, treno_prova); }

struct esecuzione {
  int stato = -1;
  std::string uscita;
  std::string diagnostica;
};

// Runs one of the tools' entry points in this process.
template <typename Strumento>
esecuzione in_processo(Strumento strumento, const std::vector<std::string>& argomenti) {
  std::ostringstream uscita, diagnostica;
  esecuzione e;
  e.stato = strumento(argomenti, uscita, diagnostica);
  e.uscita = uscita.str();
  e.diagnostica = diagnostica.str();
  return e;
}

inline esecuzione mostra(const std::vector<std::string>& argomenti) { return in_processo(mostra_scenario, argomenti); }

inline std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  std::istringstream in(testo);
  for (std::string r; std::getline(in, r);) righe.push_back(r);
  return righe;
}

}  // namespace od::test
