#include "scenario_text/flusso_campi.h"

#include <gtest/gtest.h>

namespace od {
namespace {

TEST(FlussoCampi, TestiENumeriSeguonoLeRegoleDeiCampi) {
  flusso_campi f("  curvas4,  3750 , 300 \r\nindicatori_vmax,  600,  80,  ,  0\r\nsegno, (  Galleria  )  \r\n");
  EXPECT_EQ(f.leggi_testo(), "curvas4");
  EXPECT_EQ(f.leggi_numero(), 3750);
  EXPECT_EQ(f.leggi_numero(), 300);
  EXPECT_EQ(f.linea(), 1);
  EXPECT_EQ(f.leggi_testo(), "indicatori_vmax");
  EXPECT_EQ(f.linea(), 2);
  EXPECT_EQ(f.leggi_numero(), 600);
  EXPECT_EQ(f.leggi_numero(), 80);
  EXPECT_EQ(f.leggi_numero(), 0) << "a field of blanks between two commas reads 0";
  EXPECT_EQ(f.leggi_numero(), 0);
  EXPECT_EQ(f.leggi_testo(), "segno");
  EXPECT_EQ(f.leggi_testo(), "(  Galleria  )") << "inner blanks kept, trailing blanks dropped";
  EXPECT_TRUE(f.fine());
}

TEST(FlussoCampi, UnNumeroFinisceAiBlankSeguitiDaAltro) {
  flusso_campi f("orologio,    10              2             30 \r\n[fine]\r\n");
  EXPECT_EQ(f.leggi_testo(), "orologio");
  EXPECT_EQ(f.leggi_numero(), 10);
  EXPECT_EQ(f.leggi_numero(), 2);
  EXPECT_EQ(f.leggi_numero(), 30);
  EXPECT_EQ(f.leggi_testo(), "[fine]");
  flusso_campi uno_blank("orologio, 10 2 30\n");
  uno_blank.leggi_testo();
  EXPECT_EQ(uno_blank.leggi_numero(), 10);
  EXPECT_EQ(uno_blank.leggi_numero(), 2);
  EXPECT_EQ(uno_blank.leggi_numero(), 30);
  EXPECT_TRUE(uno_blank.fine());
}

TEST(FlussoCampi, LaFineDelFileSegueIlCampoAppenaLetto) {
  flusso_campi f("a, 1\r\n[fine]\r\n\r\n   \r\n");
  EXPECT_FALSE(f.fine());
  f.leggi_testo();
  f.leggi_numero();
  EXPECT_FALSE(f.fine());
  EXPECT_EQ(f.leggi_testo(), "[fine]");
  EXPECT_TRUE(f.fine()) << "trailing blank lines do not hold a field";
  EXPECT_THROW(f.leggi_testo(), errore_lettura);

  flusso_campi senza_a_capo("x,5");
  senza_a_capo.leggi_testo();
  EXPECT_EQ(senza_a_capo.leggi_numero(), 5);
  EXPECT_TRUE(senza_a_capo.fine());
  EXPECT_THROW(senza_a_capo.leggi_numero(), errore_lettura) << "a record cut short by the end of the file";
}

TEST(FlussoCampi, LeRigheDiSoliBlankNonDannoCampi) {
  flusso_campi f("\r\n   \r\nprimo\n\n\tsecondo\rterzo");
  EXPECT_EQ(f.leggi_testo(), "primo");
  EXPECT_EQ(f.linea(), 3);
  EXPECT_EQ(f.leggi_testo(), "secondo");
  EXPECT_EQ(f.linea(), 5);
  EXPECT_EQ(f.colonna(), 2);
  EXPECT_EQ(f.leggi_testo(), "terzo");
  EXPECT_EQ(f.linea(), 6);
  EXPECT_EQ(f.testo_linea(5), "\tsecondo");
  EXPECT_EQ(f.testo_linea_campo(), "terzo");
}

TEST(FlussoCampi, NumeriNonValidiSonoErroriDiLettura) {
  const auto fallisce = [](const std::string& testo) {
    flusso_campi f(testo);
    try {
      f.leggi_numero();
    } catch (const errore_lettura& e) {
      EXPECT_EQ(e.linea(), 1) << testo;
      return true;
    }
    return false;
  };
  EXPECT_TRUE(fallisce("abc,"));
  EXPECT_TRUE(fallisce("12abc,"));
  EXPECT_TRUE(fallisce("-,"));
  EXPECT_TRUE(fallisce("+5,"));
  EXPECT_TRUE(fallisce("2147483648,"));
  EXPECT_TRUE(fallisce("99999999999999999999999,"));
  EXPECT_TRUE(fallisce("\"5\","));
  EXPECT_FALSE(fallisce("2147483647,"));
  EXPECT_FALSE(fallisce("-2147483648,"));

  flusso_campi estremi("-2147483648, -7 ,");
  EXPECT_EQ(estremi.leggi_numero(), INT32_MIN);
  EXPECT_EQ(estremi.leggi_numero(), -7);
  flusso_campi larghezza("256, 255");
  EXPECT_THROW(larghezza.leggi_numero(0, 255), errore_lettura);
  EXPECT_EQ(larghezza.leggi_numero(0, 255), 255);
}

TEST(FlussoCampi, UnVirgolettatoEUnCarattereQualunque) {
  flusso_campi f("\"nome, con virgola\"\r\n");
  EXPECT_EQ(f.leggi_testo(), "\"nome");
  EXPECT_EQ(f.leggi_testo(), "con virgola\"");
}

TEST(ChiaviPerParole, MaiuscoleSoloDoveContano) {
  EXPECT_TRUE(contiene_senza_maiuscole("[GENERALE]", "[generale]"));
  EXPECT_TRUE(contiene_senza_maiuscole("Lunghezza Percorso", "lunghezza"));
  EXPECT_FALSE(contiene("Progressiva chilometrica uno", "progressiva"));
  EXPECT_TRUE(contiene("progressiva chilometrica uno", "progressiva"));
  EXPECT_TRUE(contiene_senza_maiuscole("xxSTAZIONEyy", "stazione"));
  EXPECT_FALSE(contiene_senza_maiuscole("stazion", "stazione"));
}

}  // namespace
}  // namespace od
