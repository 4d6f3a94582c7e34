// The handbook's key tables against the record schema, both ways: every
// record has its row under its part of the file, with its key words, their
// letter-case rule and its count of values; every row names records of the
// schema; and the field tables of signals, stations and slowdowns name the
// schema's fields in its order.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "scenario_text/schema.h"

namespace od {
namespace {

std::vector<std::string> celle(const std::string& riga) {
  std::vector<std::string> c;
  std::stringstream in(riga.substr(1));
  for (std::string cella; std::getline(in, cella, '|');) {
    const std::size_t a = cella.find_first_not_of(' ');
    c.push_back(a == std::string::npos ? "" : cella.substr(a, cella.find_last_not_of(' ') - a + 1));
  }
  return c;
}

// The words between backticks.
std::vector<std::string> citate(const std::string& testo) {
  std::vector<std::string> parole;
  for (std::size_t a = testo.find('`'); a != std::string::npos; a = testo.find('`', a + 1)) {
    const std::size_t b = testo.find('`', a + 1);
    if (b == std::string::npos) break;
    parole.push_back(testo.substr(a + 1, b - a - 1));
    a = b;
  }
  return parole;
}

std::vector<std::string> elenco(const std::string& testo, const std::string& separatore) {
  std::vector<std::string> v;
  for (std::size_t a = 0;;) {
    const std::size_t b = testo.find(separatore, a);
    v.push_back(testo.substr(a, b - a));
    if (b == std::string::npos) return v;
    a = b + separatore.size();
  }
}

// A table: its heading and its rows, header row first.
struct tabella {
  std::string sezione;
  std::vector<std::vector<std::string>> righe;
};

std::vector<tabella> tabelle() {
  std::ifstream in(OD_MANUALE);
  std::vector<tabella> t;
  std::string sezione;
  bool dentro = false;
  for (std::string riga; std::getline(in, riga);) {
    if (riga.starts_with("#")) sezione = riga;
    if (!riga.starts_with("|")) {
      dentro = false;
      continue;
    }
    if (!dentro) t.push_back({sezione, {}});
    dentro = true;
    if (!riga.starts_with("|---")) t.back().righe.push_back(celle(riga));
  }
  return t;
}

const std::map<std::string, parte_file> parti = {
    {"### 3.1 ", parte_file::linea_generale}, {"### 3.2 ", parte_file::linea_corpo}, {"## 4. ", parte_file::treno}};

// The record whose key a key as the handbook writes it is ("curvas4" is a curve).
const record_schema* record_scritto(parte_file parte, const std::string& chiave) {
  for (const record_schema& r : schema_record()) {
    if (r.parte != parte) continue;
    const bool forma = chiave == r.scritta || (r.tipo == tipo_record::curva &&
                                               (chiave.starts_with(r.scritta) || chiave.starts_with(r.altra_scritta)));
    if (forma) return &r;
  }
  return nullptr;
}

TEST(ManualeChiavi, LeTabelleDelleChiaviSonoLoSchema) {
  std::set<tipo_record> trovati;
  int tabelle_lette = 0;
  for (const tabella& t : tabelle()) {
    const auto parte =
        std::find_if(parti.begin(), parti.end(), [&](const auto& p) { return t.sezione.starts_with(p.first); });
    if (parte == parti.end() || t.righe.empty() || t.righe[0][0].rfind("Chiave", 0) != 0) continue;
    ++tabelle_lette;
    const std::vector<std::string>& testata = t.righe[0];
    const auto colonna = [&](const std::string& nome) {
      return static_cast<std::size_t>(std::find(testata.begin(), testata.end(), nome) - testata.begin());
    };
    for (std::size_t n = 1; n < t.righe.size(); ++n) {
      const std::vector<std::string>& riga = t.righe[n];
      const std::vector<std::string> parole = citate(riga[colonna("Riconosciuta se contiene")]);
      std::set<std::string_view> della_riga;  // the words of the row's records
      for (const std::string& chiave : citate(riga[0])) {
        const record_schema* r = record_scritto(parte->second, chiave);
        ASSERT_NE(r, nullptr) << "il manuale scrive la chiave '" << chiave << "', che lo schema non ha qui";
        trovati.insert(r->tipo);
        EXPECT_NE(std::find(parole.begin(), parole.end(), r->parola), parole.end()) << chiave;
        if (!r->anche.empty()) {
          EXPECT_NE(std::find(parole.begin(), parole.end(), r->anche), parole.end()) << chiave;
        }
        della_riga.insert({r->parola, r->anche});
        EXPECT_EQ(std::stoi(riga[colonna("Valori")]), r->valori()) << chiave;
        if (colonna("Maiuscole") < riga.size()) {
          EXPECT_EQ(riga[colonna("Maiuscole")], r->maiuscole_esatte ? "esatte" : "indifferenti") << chiave;
        } else {
          EXPECT_FALSE(r->maiuscole_esatte) << chiave;
        }
        if (colonna("Larghezze") < riga.size() && !riga[colonna("Larghezze")].starts_with("come")) {
          const std::vector<std::string> larghezze = elenco(riga[colonna("Larghezze")], ", ");
          for (std::size_t k = 0; k < r->campi.size(); ++k) {
            EXPECT_EQ(larghezze[std::min(k, larghezze.size() - 1)], nome_larghezza(r->campi[k].letto)) << chiave;
          }
        }
      }
      for (const std::string& p : parole) EXPECT_TRUE(della_riga.contains(p)) << riga[0] << ": '" << p << "'";
    }
  }
  EXPECT_EQ(tabelle_lette, 3);
  for (const record_schema& r : schema_record())
    EXPECT_TRUE(trovati.contains(r.tipo)) << r.scritta << " manca nel manuale";
}

TEST(ManualeChiavi, LeTabelleDeiCampiNominanoICampiDelloSchema) {
  const std::map<std::string, tipo_record> tavole = {{"### 4.3 ", tipo_record::segnale},
                                                     {"### 4.4 ", tipo_record::stazione},
                                                     {"### 4.5 ", tipo_record::rallentamento}};
  int tabelle_lette = 0;
  for (const tabella& t : tabelle()) {
    const auto tavola =
        std::find_if(tavole.begin(), tavole.end(), [&](const auto& p) { return t.sezione.starts_with(p.first); });
    if (tavola == tavole.end() || t.righe.empty() || t.righe[0][0] != "Campo") continue;
    ++tabelle_lette;
    const record_schema& r = record_di(tavola->second);
    const bool con_larghezza = t.righe[0][2] == "Larghezza";
    std::vector<std::string> nomi;
    for (std::size_t n = 1; n < t.righe.size(); ++n) {
      for (const std::string& nome : elenco(t.righe[n][1], ", ")) {
        if (con_larghezza && nomi.size() < r.campi.size()) {
          EXPECT_EQ(t.righe[n][2], nome_larghezza(r.campi[nomi.size()].letto)) << nome;
        }
        nomi.push_back(nome);
      }
    }
    std::vector<std::string> attesi;
    for (const campo_schema& c : r.campi) attesi.emplace_back(c.nome);
    EXPECT_EQ(nomi, attesi) << r.scritta;
  }
  EXPECT_EQ(tabelle_lette, 3);
}

}  // namespace
}  // namespace od
