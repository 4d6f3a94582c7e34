#include "output/file_binari.h"

#include <gtest/gtest.h>

#include "output/codici_gara.h"
#include "support/cartella_temporanea.h"

namespace od {
namespace {

std::string esadecimale(std::string_view byte) {
  static constexpr char cifre[] = "0123456789abcdef";
  std::string testo;
  for (const char c : byte) {
    if (!testo.empty()) testo += ' ';
    testo += cifre[(static_cast<unsigned char>(c) >> 4) & 0xF];
    testo += cifre[static_cast<unsigned char>(c) & 0xF];
  }
  return testo;
}

TEST(FileBinari, UnaCellaSonoQuindiciByteInOrdineDiCampo) {
  cella c;
  c.oggetto = 1;
  c.valore1 = 41;
  c.valore2 = -2;
  c.valore3 = 0x1234;
  c.valore4 = 5121;
  c.attesa = 220;
  c.preavviso = 61;
  c.montagna = 2;
  c.vmax = 16;
  c.pendenza = 113;
  c.aderenza = 90;
  buffer b;
  scrivi(c, b);
  EXPECT_EQ(esadecimale(b), "01 29 00 fe ff 34 12 01 14 dc 3d 02 10 71 5a");

  scenario stato;
  crea_binario(stato, 96000);
  stato.binario[243] = c;
  const buffer immagine = immagine_binario(stato);
  ASSERT_EQ(immagine.size(), 30915u);
  EXPECT_EQ(immagine.substr(15 * 243, 15), b) << "cell c starts at byte 15 * c";
  EXPECT_EQ(immagine.substr(15 * 242, 15), std::string(15, '\0'));
}

TEST(FileBinari, UnaVoceSono34BytePiuIlNome) {
  voce v;
  v.tipo = 2;
  v.area_inizio = -300;
  v.area_fine = 300;
  v.posizione = 0x01020304;
  v.opzione_a = 1;
  v.terna_a1 = 610;
  v.terna_a2 = -1;
  v.terna_b1 = 10;
  v.terna_b2 = 2;
  v.terna_b3 = 30;
  v.terna_a3 = 3;
  v.sosta = 60;
  v.opzione_c = 1;
  v.opzione_b = 1;
  v.orario = 36180;
  buffer vuota;
  scrivi(v, vuota);
  EXPECT_EQ(vuota.size(), 34u);
  EXPECT_EQ(esadecimale(vuota),
            "02 d4 fe ff ff 2c 01 00 00 04 03 02 01 01 00 00 62 02 ff ff 0a 00 02 00 1e 00 03 3c 01 01 54 8d 00 00");
  v.nome = "ORSELLA VALLE 16";
  buffer con_nome;
  scrivi(v, con_nome);
  ASSERT_EQ(con_nome.size(), 50u);
  EXPECT_EQ(esadecimale(con_nome.substr(14, 2)), "10 00");
  EXPECT_EQ(con_nome.substr(16, 16), "ORSELLA VALLE 16");
  EXPECT_EQ(con_nome.substr(32), vuota.substr(16));

  scenario stato;
  stato.tabella[85].nome = "Orsella_Drumvane";
  stato.tabella[86].nome = "xr40318";
  EXPECT_EQ(immagine_tabella(stato).size(), 2958u + 16 + 7);
}

TEST(FileBinari, PlanimetriaPerColonneConRecordVarianti) {
  planimetria p;
  p.crea(6);  // rows 0..6
  p.avvia();
  p.aggiungi(0.5, 2.0);   // row 2
  p.aggiungi(-1.0, 3.0);  // row 3
  const buffer b = immagine_planimetria(p);
  // Per column: two integer rows (4 bytes each), two doubles (10 each), three empty rows (2 each).
  ASSERT_EQ(b.size(), 2u * (4 + 4 + 10 + 10 + 2 + 2 + 2));
  const std::size_t colonna = b.size() / 2;
  EXPECT_EQ(esadecimale(b.substr(0, 10)), "02 00 00 00 02 00 00 00 05 00");
  EXPECT_EQ(esadecimale(b.substr(10, 8)), "00 00 00 00 00 00 e0 3f");
  EXPECT_EQ(esadecimale(b.substr(20, 8)), "00 00 00 00 00 00 f0 bf");
  EXPECT_EQ(esadecimale(b.substr(28, 6)), "00 00 00 00 00 00");
  EXPECT_EQ(esadecimale(b.substr(colonna, 10)), "02 00 00 00 02 00 01 00 05 00");
  EXPECT_EQ(esadecimale(b.substr(colonna + 10, 8)), "00 00 00 00 00 00 00 40");
}

TEST(FileBinari, TracciatoRighe96000ConPlanimetria) {
  scenario stato;
  stato.con_planimetria = 1;
  crea_binario(stato, 96000);
  EXPECT_EQ(stato.ultima_cella(), 2060);
  EXPECT_EQ(stato.planimetria.righe(), 103001);
  stato.planimetria.avvia();
  while (stato.planimetria.calcolate() <= 103000 - 2) stato.planimetria.aggiungi(0.0, 1.0);
  EXPECT_EQ(immagine_planimetria(stato.planimetria).size(), 2059964u);
  crea_binario(stato, 96025);
  EXPECT_EQ(stato.ultima_cella(), 2060) << "2060.5 rounds to even";
  crea_binario(stato, 96075);
  EXPECT_EQ(stato.ultima_cella(), 2062) << "2061.5 rounds to even";
}

TEST(CodiciGara, EsempiCalcolati) {
  const auto codici = [](const std::string& percorso, const std::string& treno) {
    scenario s;
    s.tabella[85].nome = percorso;
    s.tabella[86].nome = treno;
    return std::pair<int32_t, int32_t>{codice_gara_og(s), codice_gara_st(s)};
  };
  EXPECT_EQ(codici("abc", ""), (std::pair<int32_t, int32_t>{2546, 33756}));
  EXPECT_EQ(codici("ABC", ""), (std::pair<int32_t, int32_t>{2546, 33756}));
  EXPECT_EQ(codici("abc", "x1"), (std::pair<int32_t, int32_t>{2497, 33289}));
  EXPECT_EQ(codici("", ""), (std::pair<int32_t, int32_t>{2583, 34355}));
  EXPECT_EQ(codici("Orsella_Drumvane_e_oltre_ancora", "xr40318"), codici("orsella_drumvane_E_ALTRO", "XR40318"))
      << "only the first 25 characters count";
  EXPECT_EQ(codici(std::string(30, '\xff'), "").first, 6375);
  EXPECT_EQ(codici(std::string(30, '\xff'), "").second, 82875);
}

TEST(FileBinari, SenzaPlanimetriaIlFileDellaLineaRestaComEra) {
  test::cartella_temporanea cartella;
  cartella.scrivi("R_linea.dat", "vecchio");
  cartella.scrivi("R_T.sim", std::string(10000, 'x'));
  scenario stato;
  stato.nome_percorso = "R";
  stato.nome_treno = "T";
  crea_binario(stato, 1000);
  scrivi_file_binari(stato, cartella.percorso());
  EXPECT_EQ(cartella.leggi("R_linea.dat"), "vecchio");
  EXPECT_EQ(cartella.leggi("R_T.sim").size(), 2958u) << "a longer old file leaves nothing behind";
  EXPECT_EQ(cartella.leggi("R_T.dat").size(), 15u * 161);
  stato.con_planimetria = 1;
  crea_binario(stato, 1000);
  stato.planimetria.avvia();
  scrivi_file_binari(stato, cartella.percorso());
  EXPECT_EQ(cartella.leggi("R_linea.dat"), immagine_planimetria(stato.planimetria));
}

}  // namespace
}  // namespace od
