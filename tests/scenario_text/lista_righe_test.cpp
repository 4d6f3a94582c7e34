#include "scenario_text/lista_righe.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/cartella_temporanea.h"

namespace od {
namespace {

TEST(ListaRighe, LaSentinellaNonArrivaMaiAlFile) {
  test::cartella_temporanea cartella;
  cartella.scrivi("f.txt", std::string(5000, 'z'));
  scrivi_righe(cartella.percorso(), "f.txt", lista_righe{"[generale]", "", "curvas4,  3750 , 300 ", "[fine]"});
  EXPECT_EQ(cartella.leggi("f.txt"), "[generale]\r\n\r\ncurvas4,  3750 , 300 \r\n[fine]\r\n");
  EXPECT_EQ(testo_righe(lista_righe{}), "");
}

TEST(ListaRighe, CapacitaDiMilleRighe) {
  lista_righe lista;
  for (int i = 0; i < 1000; ++i) lista.aggiungi("r");
  EXPECT_THROW(lista.aggiungi("una di troppo"), std::length_error);
  lista.chiudi();
  EXPECT_EQ(testo_righe(lista).size(), 3000u);
  // Without a sentinel the write stops at the last entry, never past it.
  lista_righe senza;
  for (int i = 0; i < 1000; ++i) senza.aggiungi("r");
  EXPECT_EQ(testo_righe(senza).size(), 3000u + 2);
}

}  // namespace
}  // namespace od
