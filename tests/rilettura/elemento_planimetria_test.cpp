#include "output/elemento_planimetria.h"

#include <gtest/gtest.h>

#include "rilettura/lettore_byte.h"

namespace od {
namespace {

std::string codificato(const elemento_planimetria& e) {
  char byte[byte_elemento_doppio];
  return std::string(byte, codifica_elemento(byte, e));
}

// One element of each kind, byte by byte, and back through the read-back's
// byte reader.
TEST(ElementoPlanimetria, OgniTipoInByteEDiRitorno) {
  const std::pair<elemento_planimetria, std::string> casi[] = {
      {{codice_vuoto, 0}, std::string("\x00\x00", 2)},
      {{codice_intero, -2}, std::string("\x02\x00\xfe\xff", 4)},
      {{codice_doppio, 1.5}, std::string("\x05\x00\x00\x00\x00\x00\x00\x00\xf8\x3f", 10)},
  };
  for (const auto& [elemento, byte] : casi) {
    EXPECT_EQ(codificato(elemento), byte) << elemento.codice;
    lettore_byte l(byte, "prova_linea.dat");
    const elemento_planimetria letto = decodifica_elemento(l);
    EXPECT_EQ(letto.codice, elemento.codice);
    EXPECT_EQ(letto.valore, elemento.valore);
    EXPECT_TRUE(l.finito());
  }
  EXPECT_EQ(elemento_planimetria{codice_doppio}.tipo(), planimetria::tipo_riga::doppia);

  lettore_byte ignoto(std::string_view("\x07\x00\x01\x00", 4), "prova_linea.dat");
  const elemento_planimetria e = decodifica_elemento(ignoto);
  EXPECT_EQ(e.codice, 7);
  EXPECT_FALSE(e.tipo().has_value());
  EXPECT_EQ(ignoto.posizione(), 2u) << "an unknown code announces no value";

  lettore_byte tronco(std::string_view("\x05\x00\x00\x00", 4), "prova_linea.dat");
  EXPECT_THROW(decodifica_elemento(tronco), file_danneggiato);
}

}  // namespace
}  // namespace od
