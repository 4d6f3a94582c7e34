// The record schema against the two readers: every key of the schema starts
// its record where the schema puts it and takes the schema's count of values
// (a field left after them on the line is the next key), and a key with two
// letters swapped draws the schema's key as the suggestion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/memorizza_dati.h"
#include "modello/modello.h"
#include "scenario_text/schema.h"

namespace od {
namespace {

const std::string linea_minima = "[generale]\nlunghezza percorso, 10000\n[fine]\n";
const std::string treno_minimo = "[generale]\nvelocita, 0, 80\n[fine]\n";

// What the reading stage leaves: the session's warnings and the code.
struct lettura {
  sessione_costruzione sessione;
  esito_lettura esito;
};

lettura leggi(const std::string& linea, const std::string& treno) {
  scenario stato;
  stato.nome_percorso = "Prova";
  stato.nome_treno = "t1";
  stato.con_planimetria = 1;
  sorgente_descrizioni sorgente("/cartella-che-non-esiste");
  sorgente.testo_linea = linea;
  sorgente.testo_treno = treno;
  lettura l;
  l.esito = memorizza_dati(stato, l.sessione, sorgente);
  return l;
}

// The record's line: its key and values that build without a code, but for
// field `fuori` (1-based), which gets `valore_fuori`.
std::string riga_record(const record_schema& r, const std::string& chiave, std::size_t fuori = 0,
                        const std::string& valore_fuori = "") {
  std::string riga = chiave;
  for (std::size_t k = 0; k < r.campi.size(); ++k) {
    const campo_schema& c = r.campi[k];
    const std::string_view n = c.nome;
    std::string valore = "0";
    if (c.letto == larghezza::testo) valore = "Borgo";
    if (n == "posizione" || n == "inizio" || n == "x") valore = "1000";
    if ((n == "lunghezza" || n == "l") && r.parte != parte_file::linea_generale) valore = "500";
    if (r.tipo == tipo_record::lunghezza_percorso) valore = "10000";
    riga += ", " + (k + 1 == fuori ? valore_fuori : valore);
  }
  return riga;
}

// The two files with `riga` where its record counts.
lettura leggi_riga(const record_schema& r, const std::string& riga) {
  switch (r.parte) {
    case parte_file::linea_generale:
      return leggi("[generale]\nlunghezza percorso, 10000\n" + riga + "\n[corpo]\n[fine]\n", treno_minimo);
    case parte_file::linea_corpo:
      return leggi("[generale]\nlunghezza percorso, 10000\n[corpo]\n" + riga + "\n[fine]\n", treno_minimo);
    case parte_file::treno:
      return leggi(linea_minima, "[generale]\nvelocita, 0, 80\n" + riga + "\n[fine]\n");
  }
  return {};
}

std::string chiave_di(const record_schema& r) {
  return std::string(r.scritta) + (r.tipo == tipo_record::curva ? "3" : "");
}

TEST(SchemaLettori, OgniChiaveDelloSchemaPrendeIlSuoNumeroDiValori) {
  for (const record_schema& r : schema_record()) {
    const lettura s = leggi_riga(r, riga_record(r, chiave_di(r)) + ", resto");
    EXPECT_EQ(s.esito.codice, 0) << r.scritta;
    // Only the warnings about keys and value counts: the values may draw others.
    std::vector<std::string> avvisi;
    for (const avviso& a : s.sessione.avvisi) {
      if (a.nome == "valori-in-piu" || a.nome == "valori-mancanti" || a.nome == "chiave-sconosciuta") {
        avvisi.push_back(a.nome + ": " + a.messaggio());
      }
    }
    ASSERT_EQ(avvisi.size(), 1u) << r.scritta << "\n" << testing::PrintToString(avvisi);
    EXPECT_TRUE(avvisi[0].starts_with("valori-in-piu: 'resto' resta sulla riga dopo i valori del record '" +
                                      std::string(r.nome) + "'"))
        << avvisi[0];
  }
}

TEST(SchemaLettori, UnNumeroFuoriDallaSuaLarghezzaEUnErroreDiLettura) {
  int provati = 0;
  for (const record_schema& r : schema_record()) {
    for (std::size_t k = 0; k < r.campi.size(); ++k) {
      const larghezza l = r.campi[k].letto;
      if (l != larghezza::byte && l != larghezza::corto) continue;
      for (const int64_t v : {l == larghezza::byte ? int64_t{256} : int64_t{32768}, int64_t{-32769}}) {
        ++provati;
        const lettura s = leggi_riga(r, riga_record(r, chiave_di(r), k + 1, std::to_string(v)));
        EXPECT_EQ(s.esito.codice, 25) << r.scritta << " campo " << k + 1 << " = " << v;
      }
    }
  }
  EXPECT_GT(provati, 0);
}

TEST(SchemaLettori, UnaChiaveConDueLettereScambiateHaLaChiaveDelloSchemaComeProposta) {
  for (const record_schema& r : schema_record()) {
    // Two letters of the key word swapped, so that the field no longer holds it.
    std::string sbagliata(r.scritta);
    std::size_t i = sbagliata.find(r.parola) + r.parola.size() / 2;
    while (sbagliata[i] == sbagliata[i + 1] || sbagliata[i + 1] == ' ') ++i;
    std::swap(sbagliata[i], sbagliata[i + 1]);
    const lettura s = leggi_riga(r, sbagliata);
    ASSERT_FALSE(s.sessione.avvisi.empty()) << sbagliata;
    EXPECT_EQ(s.sessione.avvisi[0].nome, "chiave-sconosciuta") << sbagliata;
    EXPECT_NE(s.sessione.avvisi[0].messaggio().find("forse '" + std::string(r.scritta) + "'?"), std::string::npos)
        << s.sessione.avvisi[0].messaggio();
  }
}

}  // namespace
}  // namespace od
