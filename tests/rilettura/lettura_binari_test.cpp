#include "rilettura/lettura_binari.h"

#include <fmt/format.h>

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <functional>

#include "costruzione/memorizza_percorso.h"
#include "output/codici_gara.h"
#include "output/file_binari.h"
#include "platform/file_atomico.h"
#include "tools/scenario_prova.h"

namespace od {
namespace {

using test::cartella_temporanea;

// A model whose every field of every record kind holds a value of its own,
// signs of 16-bit fields included, with the marks and codes in place.
scenario modello_pieno() {
  scenario s;
  s.nome_percorso = "Percorso";
  s.nome_treno = "T9";
  s.con_planimetria = 1;
  crea_binario(s, 1000);  // cells 0 .. 160, plan rows 0 .. 8000
  for (std::size_t c = 0; c < s.binario.size(); ++c) {
    cella& k = s.binario[c];
    const auto n = static_cast<int>(c);
    k.oggetto = static_cast<uint8_t>(std::array{0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13}[c % 11]);
    // A stopping point names a station entry; every other value is free.
    k.valore1 = static_cast<int16_t>(k.oggetto == oggetto::fermata ? 1 + n % 79 : -n * 7);
    k.valore2 = static_cast<int16_t>(n * 211 - 30000);
    k.valore3 = static_cast<int16_t>(n + 1);
    k.valore4 = static_cast<int16_t>(-32768 + n);
    k.attesa = static_cast<uint8_t>(n);
    k.preavviso = static_cast<uint8_t>(255 - n);
    k.montagna = static_cast<uint8_t>(n % 4);
    k.vmax = static_cast<uint8_t>(n + 3);
    k.pendenza = static_cast<uint8_t>(n * 3);
    k.aderenza = static_cast<uint8_t>(n + 90);
  }
  for (int n = 0; n < voci_tabella; ++n) {
    voce& v = s.tabella[static_cast<std::size_t>(n)];
    v.tipo = static_cast<uint8_t>(n);
    v.area_inizio = -n * 100000;
    v.area_fine = n * 3 + 1;
    v.posizione = n * 50;
    v.opzione_a = static_cast<uint8_t>(n % 2);
    v.nome =
        n % 5 == 0 ? std::string() : std::string(static_cast<std::size_t>(n % 17), static_cast<char>('A' + n % 26));
    v.terna_a1 = static_cast<int16_t>(-n);
    v.terna_a2 = static_cast<int16_t>(n * 300);
    v.terna_b1 = static_cast<int16_t>(n + 2);
    v.terna_b2 = static_cast<int16_t>(-n * 2);
    v.terna_b3 = static_cast<int16_t>(n * 5);
    v.terna_a3 = static_cast<uint8_t>(200 + n % 50);
    v.sosta = static_cast<uint8_t>(n);
    v.opzione_c = static_cast<uint8_t>(n % 3);
    v.opzione_b = static_cast<uint8_t>(n % 7);
    v.orario = n * 3600 + 59;
  }
  s.tabella[voce_percorso].nome = s.nome_percorso;
  s.tabella[voce_ripetizione].nome = s.nome_treno;
  s.tabella[voce_treno].area_fine = 1000;
  s.tabella[voce_percorso].terna_a1 = 610;
  s.tabella[voce_percorso].orario = codice_gara_st(s);
  s.binario[1].valore1 = 5121;
  s.binario[1].valore2 = codice_gara_og(s);
  s.planimetria.avvia();
  for (int r = 2; r < 5000; ++r) s.planimetria.aggiungi(r * 0.001 - 3.25, -r * 1.5e-7);
  return s;
}

immagini_binarie immagini_di(const scenario& s) {
  return {immagine_planimetria(s.planimetria), immagine_tabella(s), immagine_binario(s)};
}

TEST(LetturaBinari, DecodesEveryFieldThatTheWriterEncodes) {
  const scenario s = modello_pieno();
  const scenario_letto l = decodifica_scenario(s.nome_percorso, s.nome_treno, immagini_di(s));
  EXPECT_TRUE(l.danni.empty()) << testo_danno(l.danni.front());
  ASSERT_TRUE(l.tabella_letta && l.binario_letto);
  EXPECT_EQ(l.stato.ultima_cella(), s.ultima_cella());
  EXPECT_EQ(l.stato.lunghezza_totale, s.lunghezza_totale);
  ASSERT_EQ(l.stato.binario.size(), s.binario.size());
  for (std::size_t c = 0; c < s.binario.size(); ++c) EXPECT_EQ(l.stato.binario[c], s.binario[c]) << "cell " << c;
  for (std::size_t n = 0; n < s.tabella.size(); ++n) EXPECT_EQ(l.stato.tabella[n], s.tabella[n]) << "entry " << n;

  ASSERT_EQ(l.stato.con_planimetria, 1);
  const planimetria& p = l.stato.planimetria;
  ASSERT_EQ(p.righe(), s.planimetria.righe());
  ASSERT_EQ(p.calcolate(), s.planimetria.calcolate());
  for (int32_t r = 0; r < p.righe(); ++r) {
    ASSERT_EQ(p.tipo(r), s.planimetria.tipo(r)) << "row " << r;
    if (p.tipo(r) == planimetria::tipo_riga::vuota) continue;
    // Bit for bit: a decoded double must be the very value that was written.
    ASSERT_EQ(std::bit_cast<uint64_t>(p.primo(r)), std::bit_cast<uint64_t>(s.planimetria.primo(r))) << "row " << r;
    ASSERT_EQ(std::bit_cast<uint64_t>(p.secondo(r)), std::bit_cast<uint64_t>(s.planimetria.secondo(r))) << "row " << r;
  }
  // Each entry's place in the file, for the messages.
  EXPECT_EQ(l.inizio_voci[0], 0u);
  EXPECT_EQ(l.inizio_voci[1], 34u);  // entry 0 has an empty name
  EXPECT_EQ(l.inizio_voci[2], 34u + 34 + 1);
}

TEST(LetturaBinari, AFreshBuildReadsBackToTheSameBytes) {
  const cartella_temporanea c;
  ASSERT_NO_FATAL_FAILURE(test::costruisci(c));
  const scenario_letto l = leggi_scenario(c.percorso(), test::percorso_prova, test::treno_prova);
  EXPECT_TRUE(l.danni.empty()) << testo_danno(l.danni.front());
  const nomi_binari nomi = test::nomi_prova();
  EXPECT_EQ(immagine_planimetria(l.stato.planimetria), c.leggi(nomi.planimetria));
  EXPECT_EQ(immagine_tabella(l.stato), c.leggi(nomi.tabella));
  EXPECT_EQ(immagine_binario(l.stato), c.leggi(nomi.binario));
  EXPECT_EQ(l.stato.ultima_cella(), 540);  // round(27000 / 50)
  EXPECT_EQ(l.stato.lunghezza_totale, 27000);
}

TEST(LetturaBinari, APlanNeverStartedAndNoPlanFileAreBothWhole) {
  scenario s = modello_pieno();
  s.planimetria.crea(s.lunghezza_totale);  // created by the length line, never started
  scenario_letto l = decodifica_scenario(s.nome_percorso, s.nome_treno, immagini_di(s));
  EXPECT_TRUE(l.danni.empty()) << testo_danno(l.danni.front());
  EXPECT_EQ(l.stato.planimetria.righe(), s.lunghezza_totale + 1);
  EXPECT_EQ(l.stato.planimetria.calcolate(), 0);

  immagini_binarie senza = immagini_di(s);
  senza.planimetria.reset();
  l = decodifica_scenario(s.nome_percorso, s.nome_treno, senza);
  EXPECT_TRUE(l.danni.empty());
  EXPECT_FALSE(l.planimetria_presente);
  EXPECT_EQ(l.stato.con_planimetria, 0);
}

// The damages found in images changed by `guasta`.
std::vector<danno> danni_di(const std::function<void(immagini_binarie&)>& guasta) {
  const scenario s = modello_pieno();
  immagini_binarie im = immagini_di(s);
  guasta(im);
  return decodifica_scenario(s.nome_percorso, s.nome_treno, im).danni;
}

void scrivi_i16(std::string& b, std::size_t dove, int16_t v) {
  b[dove] = static_cast<char>(v & 0xFF);
  b[dove + 1] = static_cast<char>((v >> 8) & 0xFF);
}

const std::string sim = "Percorso_T9.sim";
const std::string dat = "Percorso_T9.dat";
const std::string piano = "Percorso_linea.dat";

TEST(LetturaBinari, BrokenCellFilesAreReportedAtTheByteWhereTheyBreak) {
  std::vector<danno> d = danni_di([](immagini_binarie& im) { im.binario.resize(im.binario.size() - 4); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].file, dat);
  EXPECT_EQ(d[0].byte, 160u * 15) << "the last record, cut to 11 bytes";
  EXPECT_NE(d[0].motivo.find("multiplo di 15"), std::string::npos) << d[0].motivo;

  d = danni_di([](immagini_binarie& im) { im.binario.resize(15); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].byte, 15u);
  EXPECT_NE(d[0].motivo.find("cella 1"), std::string::npos) << d[0].motivo;

  d = danni_di([](immagini_binarie& im) { im.binario[15 * 77] = 7; });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0], (danno{dat, 15 * 77, "cella 77: codice di oggetto 7 sconosciuto"}));

  // Cell 7 is a stopping point; entry 85 names the route, not a station.
  d = danni_di([](immagini_binarie& im) { scrivi_i16(im.binario, 15 * 7 + 1, 85); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0], (danno{dat, 15 * 7 + 1, "cella 7: la fermata rimanda alla voce 85, che non e' una stazione"}));

  d = danni_di([](immagini_binarie& im) { scrivi_i16(im.binario, 16, 5120); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0], (danno{dat, 16, "il segno della cella 1 vale 5120 invece di 5121"}));

  d = danni_di([](immagini_binarie& im) { scrivi_i16(im.binario, 18, 1); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].byte, 18u);
  EXPECT_NE(d[0].motivo.find("codice di gara semplice"), std::string::npos) << d[0].motivo;
}

TEST(LetturaBinari, BrokenTablesAreReportedAtTheByteWhereTheyBreak) {
  const scenario s = modello_pieno();
  scenario_letto l = decodifica_scenario(s.nome_percorso, s.nome_treno, immagini_di(s));
  const std::size_t voce85 = l.inizio_voci[voce_percorso];
  const std::size_t lunghezza_nome = s.nome_percorso.size();

  // Cut inside entry 40's area_fine, a 4-byte number at offset 5.
  const std::size_t voce40 = l.inizio_voci[40];
  std::vector<danno> d = danni_di([&](immagini_binarie& im) { im.tabella.resize(voce40 + 7); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].file, sim);
  EXPECT_EQ(d[0].byte, voce40 + 5);
  EXPECT_EQ(d[0].motivo, "il file finisce dentro il campo area_fine della voce 40: servono 4 byte, ne restano 2");

  // A name length that runs past the end of the file.
  d = danni_di([&](immagini_binarie& im) { scrivi_i16(im.tabella, l.inizio_voci[86] + 14, 5000); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].byte, l.inizio_voci[86] + 14);
  EXPECT_NE(d[0].motivo.find("il testo del campo nome della voce 86 e' lungo 5000 byte"), std::string::npos)
      << d[0].motivo;

  d = danni_di([](immagini_binarie& im) { im.tabella += "xyz"; });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].byte, l.inizio_voci[86] + 34 + s.nome_treno.size());
  EXPECT_NE(d[0].motivo.find("restano 3 byte"), std::string::npos) << d[0].motivo;

  d = danni_di([&](immagini_binarie& im) { scrivi_i16(im.tabella, voce85 + 16 + lunghezza_nome, 611); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0], (danno{sim, voce85 + 16 + lunghezza_nome, "il segno della voce 85 vale 611 invece di 610"}));

  d = danni_di([&](immagini_binarie& im) { im.tabella[voce85 + 30 + lunghezza_nome] ^= 1; });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].byte, voce85 + 30 + lunghezza_nome);
  EXPECT_NE(d[0].motivo.find("codice di gara pesato"), std::string::npos) << d[0].motivo;
}

TEST(LetturaBinari, NamesThatDoNotMatchTheFilesBreakBothCodes) {
  const scenario s = modello_pieno();
  const scenario_letto l = decodifica_scenario("Altro", s.nome_treno, immagini_di(s));
  ASSERT_EQ(l.danni.size(), 1u) << "the codes follow the names in the table, which still agree";
  EXPECT_EQ(l.danni[0].file, "Altro_T9.sim");
  EXPECT_EQ(l.danni[0].byte, l.inizio_voci[voce_percorso] + 14);
  EXPECT_EQ(l.danni[0].motivo, "la voce 85 porta il nome \"Percorso\", ma i file sono intitolati a \"Altro\"");
}

TEST(LetturaBinari, BrokenPlansAreReportedAtTheByteWhereTheyBreak) {
  // Column 0: rows 0 and 1 (4 bytes each), then doubles of 10 bytes.
  std::vector<danno> d = danni_di([](immagini_binarie& im) { (*im.planimetria)[8 + 10 * 3] = 9; });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].file, piano);
  EXPECT_EQ(d[0].byte, 38u);
  EXPECT_NE(d[0].motivo.find("tipo di elemento 9 sconosciuto"), std::string::npos) << d[0].motivo;

  d = danni_di([](immagini_binarie& im) { im.planimetria->resize(im.planimetria->size() - 2); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_NE(d[0].motivo.find("numero dispari"), std::string::npos) << d[0].motivo;

  d = danni_di([](immagini_binarie& im) { im.planimetria->resize(im.planimetria->size() / 2 + 5); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_NE(d[0].motivo.find("il file finisce dentro il campo tipo di un elemento"), std::string::npos) << d[0].motivo;

  // Row 1 of column 1 must be the whole number 1: the line starts heading
  // along the second coordinate.
  const scenario s = modello_pieno();
  const std::size_t colonna = immagine_planimetria(s.planimetria).size() / 2;
  d = danni_di([&](immagini_binarie& im) { scrivi_i16(*im.planimetria, colonna + 6, 3); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].byte, colonna + 4);

  // A double after the empty rows that end column 0.
  d = danni_di([&](immagini_binarie& im) {
    im.planimetria->replace(colonna - 2, 2, std::string("\x05\x00", 2) + std::string(8, '\0'));
  });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0], (danno{piano, colonna - 2, "colonna 0, riga 8000: elemento doppio dove ci vuole un elemento vuoto"}));

  // Column 1 one computed row short: its last double emptied. Each column is
  // valid alone; the fault is named at the first row where they part.
  const int32_t calcolate = s.planimetria.calcolate();
  const std::size_t ultima_doppia = colonna + 8 + 10 * static_cast<std::size_t>(calcolate - 3);
  d = danni_di([&](immagini_binarie& im) { im.planimetria->replace(ultima_doppia, 10, std::string(2, '\0')); });
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0],
            (danno{piano, ultima_doppia,
                   fmt::format("la colonna 0 ha {} righe calcolate e la colonna 1 {}", calcolate, calcolate - 1)}));

  // A plan never started: two columns of empty elements, the same number in each.
  planimetria mai_avviata;
  EXPECT_THROW(decodifica_planimetria(std::string(6, '\0'), piano, mai_avviata), file_danneggiato);
  decodifica_planimetria(std::string(8, '\0'), piano, mai_avviata);
  EXPECT_EQ(mai_avviata.righe(), 2);
  EXPECT_EQ(mai_avviata.calcolate(), 0);
}

TEST(LetturaBinari, MissingFilesAreFileErrorsAndAMissingPlanIsFine) {
  const cartella_temporanea c;
  ASSERT_NO_FATAL_FAILURE(test::costruisci(c, test::linea_prova(), test::treno_prova_testo(), 0));
  const scenario_letto l = leggi_scenario(c.percorso(), test::percorso_prova, test::treno_prova);
  EXPECT_TRUE(l.danni.empty());
  EXPECT_FALSE(l.planimetria_presente);
  std::filesystem::remove(c.file(test::nomi_prova().tabella));
  EXPECT_THROW(leggi_scenario(c.percorso(), test::percorso_prova, test::treno_prova), errore_file);
}

// The largest 32-bit line length plus the run-out after the end does not fit
// 32 bits: the read-back still reports the sizes it asks for, computed wide.
TEST(LetturaBinari, ALineLengthAtTheTopOf32BitsIsReportedNotOverflowed) {
  const scenario s = modello_pieno();
  const std::size_t voce84 = decodifica_scenario(s.nome_percorso, s.nome_treno, immagini_di(s)).inizio_voci[84];
  const std::vector<danno> d = danni_di([&](immagini_binarie& im) {
    for (std::size_t i = 0; i < 4; ++i) im.tabella[voce84 + 5 + i] = static_cast<char>(i == 3 ? 0x7F : 0xFF);
  });
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].file, piano);
  EXPECT_NE(d[0].motivo.find("ne vuole 2147490648"), std::string::npos) << d[0].motivo;
  EXPECT_EQ(d[1].file, dat);
  EXPECT_NE(d[1].motivo.find("(2147483647 m) ne vuole 42949814"), std::string::npos) << d[1].motivo;
}

}  // namespace
}  // namespace od
