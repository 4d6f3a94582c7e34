// The authors' handbook (docs/manuale.md) runs: every example in it is
// built with the project's own reader and build, and must give what the
// handbook writes beside it.
//
// Markup, in fenced blocks whose info string starts with "text":
//   ```text esempio=NOME file=FILE   one description file of example NOME, saved
//                                    as FILE: "R_linea.txt" is the line file of
//                                    route R, "R_T-.txt" the train file of train T
//   ```text esito=NOME               what building NOME gives, one fact a line:
//        codice N [posizione P] [riga L] [file linea|treno]
//            N is the reading code, or 1250/1251, or 0 for none; riga is the
//            line where the record at fault starts
//        avviso N posizione P        one walk warning; the list is complete
//        avviso NOME riga L          one warning of the reading, at line L of
//                                    its file; the list is complete too
//        cella C CAMPO V ...         fields of track cell C
//        voce E CAMPO V ... [nome TESTO]   fields of table entry E; nome last,
//                                    its text runs to the end of the line
//   ```text diagnostica=NOME        what compila_scenario prints on standard
//                                    error, with the files in folder "scenari"
//   ```text riepilogo=NOME          what mostra_scenario prints for the files
//                                    built; the picture manuale_NOME.svg beside
//                                    the handbook, when there, is its --svg
//   ```text documenti=NOME          one compila_scenario command on the files of
//                                    NOME in folder "scenari", writing the documents
//   ```text scheda=NOME             the timetable sheet and the slowdown order
//   ```text rallentamenti=NOME      that it writes, every line ended by CR LF
//   ```text orario=NOME             what mostra_scenario --orario prints for the
//                                    files built; NOME "incorporato" is the
//                                    carried scenario
// A block inside a list item may be indented with it. An example that shows
// one file only is built with the other file of the example "minimo"; the
// outcome "orsella" with no file is that of the scenario the program carries.
//
// Each block is fed to the reader as an author who copies it saves it: every
// line ended, first with LF alone (as the handbook holds it), then with CR LF
// and with CR alone, which the handbook says read alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "builder/avvisi.h"
#include "costruzione/diagnostica.h"
#include "costruzione/memorizza_percorso.h"
#include "modello/modello.h"
#include "scenario_text/nomi_file.h"
#include "scenario_text/scenario_carico.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"
#include "support/scenario_incorporato.h"

namespace od {
namespace {

struct blocco {
  std::map<std::string, std::string> attributi;
  std::string testo;  // every line ended by LF
  int riga = 0;       // line of the handbook where the block opens
};

std::string leggi(const std::string& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> parole(const std::string& riga) {
  std::istringstream in(riga);
  std::vector<std::string> p;
  for (std::string s; in >> s;) p.push_back(s);
  return p;
}

std::vector<blocco> blocchi_del_manuale() {
  std::istringstream in(leggi(OD_MANUALE));
  std::vector<blocco> blocchi;
  std::optional<blocco> aperto;
  int n = 0;
  std::size_t rientro = 0;  // a block inside a list item is indented with it
  for (std::string riga; std::getline(in, riga);) {
    ++n;
    const std::size_t testo = riga.find_first_not_of(' ');
    if (testo == std::string::npos || !riga.substr(testo).starts_with("```")) {
      if (aperto)
        aperto->testo += riga.substr(std::min(rientro, testo == std::string::npos ? riga.size() : testo)) + "\n";
      continue;
    }
    rientro = testo;
    riga = riga.substr(testo);
    if (aperto) {
      if (!aperto->attributi.empty()) blocchi.push_back(*aperto);
      aperto.reset();
      continue;
    }
    aperto = blocco{};
    aperto->riga = n;
    const std::vector<std::string> info = parole(riga.substr(3));
    for (std::size_t i = 1; !info.empty() && info[0] == "text" && i < info.size(); ++i) {
      const std::size_t uguale = info[i].find('=');
      if (uguale != std::string::npos) aperto->attributi[info[i].substr(0, uguale)] = info[i].substr(uguale + 1);
    }
  }
  EXPECT_FALSE(aperto) << "a block opened at line " << aperto->riga << " is never closed";
  return blocchi;
}

struct esempio {
  std::string file_linea, linea, file_treno, treno;
  std::string esito, diagnostica, riepilogo, orario;
  std::string documenti, scheda, rallentamenti;
  int riga = 0;
};

std::map<std::string, esempio> esempi_del_manuale() {
  std::map<std::string, esempio> esempi;
  for (const blocco& b : blocchi_del_manuale()) {
    const auto attributo = [&b](const std::string& nome) {
      const auto a = b.attributi.find(nome);
      return a == b.attributi.end() ? std::string() : a->second;
    };
    if (const std::string nome = attributo("esempio"); !nome.empty()) {
      esempio& e = esempi[nome];
      e.riga = b.riga;
      const std::string file = attributo("file");
      if (file.ends_with("_linea.txt")) {
        e.file_linea = file;
        e.linea = b.testo;
      } else if (file.ends_with("-.txt")) {
        e.file_treno = file;
        e.treno = b.testo;
      } else {
        ADD_FAILURE() << "line " << b.riga << ": file=" << file << " is neither a line nor a train file";
      }
    }
    if (const std::string nome = attributo("esito"); !nome.empty()) esempi[nome].esito = b.testo;
    if (const std::string nome = attributo("diagnostica"); !nome.empty()) esempi[nome].diagnostica = b.testo;
    if (const std::string nome = attributo("riepilogo"); !nome.empty()) esempi[nome].riepilogo = b.testo;
    if (const std::string nome = attributo("documenti"); !nome.empty()) esempi[nome].documenti = b.testo;
    if (const std::string nome = attributo("scheda"); !nome.empty()) esempi[nome].scheda = b.testo;
    if (const std::string nome = attributo("rallentamenti"); !nome.empty()) esempi[nome].rallentamenti = b.testo;
    if (const std::string nome = attributo("orario"); !nome.empty()) esempi[nome].orario = b.testo;
  }
  return esempi;
}

std::string con_fine_riga(const std::string& testo, const std::string& fine_riga) {
  std::string t;
  for (const char c : testo) t += c == '\n' ? fine_riga : std::string(1, c);
  return t;
}

struct costruito {
  scenario stato;
  sessione_costruzione sessione;
  risultato_build risultato;
};

// Builds an example from its texts in memory; the binary files, when the
// build gets that far, go to `uscita`.
costruito costruisci(const esempio& e, const std::string& uscita, const std::string& fine_riga = "\n") {
  const std::string percorso = e.file_linea.substr(0, e.file_linea.size() - std::string("_linea.txt").size());
  const std::string prefisso = percorso + "_";
  EXPECT_TRUE(e.file_treno.starts_with(prefisso)) << e.file_treno << " is not a train file of route " << percorso;
  costruito c;
  c.stato.nome_percorso = percorso;
  c.stato.nome_treno = e.file_treno.substr(prefisso.size(), e.file_treno.size() - prefisso.size() - 5);
  opzioni_build opzioni;
  opzioni.sorgente = {"/cartella-che-non-esiste"};
  opzioni.sorgente.testo_linea = con_fine_riga(e.linea, fine_riga);
  opzioni.sorgente.testo_treno = con_fine_riga(e.treno, fine_riga);
  opzioni.cartella_uscita = uscita;
  c.risultato = memorizza_percorso(c.stato, c.sessione, 1, opzioni);
  return c;
}

int64_t campo_cella(const cella& c, const std::string& nome) {
  const std::map<std::string, int64_t> campi = {
      {"oggetto", c.oggetto}, {"valore1", c.valore1},   {"valore2", c.valore2},     {"valore3", c.valore3},
      {"valore4", c.valore4}, {"attesa", c.attesa},     {"preavviso", c.preavviso}, {"montagna", c.montagna},
      {"vmax", c.vmax},       {"pendenza", c.pendenza}, {"aderenza", c.aderenza}};
  const auto campo = campi.find(nome);
  EXPECT_NE(campo, campi.end()) << "a cell has no field " << nome;
  return campo == campi.end() ? INT64_MIN : campo->second;
}

int64_t campo_voce(const voce& v, const std::string& nome) {
  const std::map<std::string, int64_t> campi = {
      {"tipo", v.tipo},           {"area_inizio", v.area_inizio}, {"area_fine", v.area_fine},
      {"posizione", v.posizione}, {"opzione_a", v.opzione_a},     {"terna_a1", v.terna_a1},
      {"terna_a2", v.terna_a2},   {"terna_a3", v.terna_a3},       {"terna_b1", v.terna_b1},
      {"terna_b2", v.terna_b2},   {"terna_b3", v.terna_b3},       {"sosta", v.sosta},
      {"opzione_b", v.opzione_b}, {"opzione_c", v.opzione_c},     {"orario", v.orario}};
  const auto campo = campi.find(nome);
  EXPECT_NE(campo, campi.end()) << "an entry has no field " << nome;
  return campo == campi.end() ? INT64_MIN : campo->second;
}

// Checks every fact of an outcome block against a build.
void verifica_esito(const std::string& esito, const costruito& c) {
  bool codice_visto = false;
  std::vector<std::pair<int32_t, int32_t>> avvisi_attesi, avvisi;
  std::vector<std::pair<std::string, int32_t>> letti_attesi, letti;
  for (const avviso& a : c.sessione.avvisi) {
    if (a.codice != 0) avvisi.emplace_back(a.codice, a.posizione);
    if (a.nome != "abbattimento-senza-posto") letti.emplace_back(a.nome, a.luogo.linea);
  }
  std::istringstream in(esito);
  for (std::string riga; std::getline(in, riga);) {
    SCOPED_TRACE(riga);
    const std::vector<std::string> p = parole(riga);
    if (p.empty()) continue;
    ASSERT_GE(p.size(), 2u);
    if (p[0] == "avviso" && !std::isdigit(static_cast<unsigned char>(p[1][0]))) {
      ASSERT_EQ(p.size(), 4u);
      letti_attesi.emplace_back(p[1], static_cast<int32_t>(std::stoll(p[3])));
      continue;
    }
    const int64_t n = std::stoll(p[1]);
    if (p[0] == "codice") {
      codice_visto = true;
      const risultato_build& r = c.risultato;
      EXPECT_EQ(n, r.esito == esito_build::errore_finale ? r.codice_finale : r.codice_lettura);
      for (std::size_t i = 2; i + 1 < p.size(); i += 2) {
        if (p[i] == "posizione") {
          EXPECT_EQ(std::stoll(p[i + 1]), r.posizione_lettura);
        } else if (p[i] == "riga") {
          EXPECT_EQ(std::stoll(p[i + 1]), c.sessione.codice.luogo.linea);
        } else if (p[i] == "file") {
          EXPECT_EQ(p[i + 1], c.sessione.codice.luogo.file.ends_with("_linea.txt") ? "linea" : "treno");
        } else {
          ADD_FAILURE() << "unknown word " << p[i];
        }
      }
    } else if (p[0] == "avviso") {
      ASSERT_EQ(p.size(), 4u);
      avvisi_attesi.emplace_back(static_cast<int32_t>(n), static_cast<int32_t>(std::stoll(p[3])));
    } else if (p[0] == "cella") {
      ASSERT_LT(n, static_cast<int64_t>(c.stato.binario.size()));
      for (std::size_t i = 2; i + 1 < p.size(); i += 2) {
        EXPECT_EQ(campo_cella(c.stato.binario[static_cast<std::size_t>(n)], p[i]), std::stoll(p[i + 1])) << p[i];
      }
    } else if (p[0] == "voce") {
      ASSERT_TRUE(n >= 0 && n < voci_tabella);
      const voce& v = c.stato.tabella[static_cast<std::size_t>(n)];
      for (std::size_t i = 2; i < p.size(); i += 2) {
        if (p[i] == "nome") {
          EXPECT_EQ(riga.substr(riga.find(" nome ") + 6), v.nome);
          break;
        }
        ASSERT_LT(i + 1, p.size());
        EXPECT_EQ(campo_voce(v, p[i]), std::stoll(p[i + 1])) << p[i];
      }
    } else {
      ADD_FAILURE() << "an outcome line starts with codice, avviso, cella or voce";
    }
  }
  EXPECT_TRUE(codice_visto) << "every outcome names its code";
  EXPECT_EQ(avvisi, avvisi_attesi) << "the walk's warnings";
  EXPECT_EQ(letti, letti_attesi) << "the reading's warnings";
}

// As compila_scenario prints it: the warnings, the reading code, the final
// check.
std::string diagnostica_di(const costruito& c) {
  const risultato_build& r = c.risultato;
  std::string testo;
  for (const avviso& a : c.sessione.avvisi) testo += testo_avviso(a, "scenari", "compila_scenario");
  if (r.codice_lettura != 0) {
    testo += diagnostica_codice(c.sessione.codice.luogo, r.codice_lettura, r.posizione_lettura, "scenari",
                                "compila_scenario");
  }
  if (r.esito == esito_build::errore_finale) {
    testo += diagnostica_finale(c.sessione, r.codice_finale, "scenari", "compila_scenario");
  }
  return testo;
}

TEST(Manuale, OgniEsempioDaCioCheIlManualeScriveAccanto) {
  const std::map<std::string, esempio> esempi = esempi_del_manuale();
  ASSERT_TRUE(esempi.contains("minimo"));
  ASSERT_TRUE(esempi.contains("tutorial"));
  ASSERT_TRUE(esempi.contains("orsella"));
  const esempio& minimo = esempi.at("minimo");
  int controllati = 0;
  for (auto [nome, e] : esempi) {
    if (nome == "incorporato") continue;  // the carried scenario: only its timetable is shown
    SCOPED_TRACE("esempio " + nome + " (manuale, riga " + std::to_string(e.riga) + ")");
    ASSERT_FALSE(nome != "orsella" && e.file_linea.empty() && e.file_treno.empty()) << "an outcome without its example";
    ASSERT_FALSE(e.esito.empty()) << "an example without its outcome";
    if (nome == "orsella" && e.file_linea.empty() && e.file_treno.empty()) {
      e.file_linea = nome_file_linea("Orsella_Drumvane");
      e.linea = testo_righe(righe_linea());
      e.file_treno = nome_file_treno("Orsella_Drumvane", "xr40318");
      e.treno = testo_righe(righe_treno());
    }
    if (e.file_linea.empty()) {
      e.file_linea = minimo.file_linea;
      e.linea = minimo.linea;
    }
    if (e.file_treno.empty()) {
      e.file_treno = minimo.file_treno;
      e.treno = minimo.treno;
    }
    const test::cartella_temporanea uscita;
    const costruito lf = costruisci(e, uscita.percorso());
    verifica_esito(e.esito, lf);
    for (const std::string fine_riga : {"\r\n", "\r"}) {
      const test::cartella_temporanea altra_uscita;
      const costruito altro = costruisci(e, altra_uscita.percorso(), fine_riga);
      EXPECT_EQ(lf.stato.binario, altro.stato.binario) << "line ends read differently";
      EXPECT_EQ(lf.stato.tabella, altro.stato.tabella) << "line ends read differently";
      EXPECT_EQ(lf.risultato.codice_lettura, altro.risultato.codice_lettura);
      EXPECT_EQ(lf.sessione.codice.luogo.linea, altro.sessione.codice.luogo.linea);
    }
    if (!e.diagnostica.empty()) {
      EXPECT_EQ(diagnostica_di(lf), e.diagnostica);
    }
    ++controllati;
  }
  EXPECT_GE(controllati, 20) << "the handbook lost its examples";
}

// Chapter 10 has a row for every warning that the build can give.
TEST(Manuale, OgniAvvisoHaLaSuaRiga) {
  const std::string manuale = leggi(OD_MANUALE);
  for (const descrizione_avviso& d : tutti_gli_avvisi()) {
    EXPECT_NE(manuale.find("| `" + std::string(d.nome) + "` |"), std::string::npos) << d.nome;
  }
}

#ifdef OD_MOSTRA
TEST(Manuale, RiepilogoEDisegnoSonoQuelliDiMostraScenario) {
  const std::string cartella_manuale = std::string(OD_MANUALE).substr(0, std::string(OD_MANUALE).rfind('/') + 1);
  int controllati = 0;
  for (const auto& [nome, e] : esempi_del_manuale()) {
    if (e.riepilogo.empty() || nome == "incorporato") continue;
    SCOPED_TRACE("esempio " + nome);
    const test::cartella_temporanea uscita;
    const costruito c = costruisci(e, uscita.percorso());
    ASSERT_EQ(c.risultato.esito, esito_build::completato);
    const std::string percorso = c.stato.nome_percorso, treno = c.stato.nome_treno;
    const test::esito_processo riepilogo = test::esegui(OD_MOSTRA, {uscita.percorso(), percorso, treno});
    EXPECT_EQ(riepilogo.stato, 0) << riepilogo.errori;
    EXPECT_EQ(riepilogo.uscita, e.riepilogo);
    ++controllati;
    const std::string disegno = cartella_manuale + "manuale_" + nome + ".svg";
    if (!std::ifstream(disegno)) continue;
    const test::esito_processo svg =
        test::esegui(OD_MOSTRA, {"--svg", uscita.file("disegno.svg"), uscita.percorso(), percorso, treno});
    EXPECT_EQ(svg.stato, 0) << svg.errori;
    EXPECT_TRUE(uscita.leggi("disegno.svg") == leggi(disegno))
        << disegno << " is not what mostra_scenario --svg draws today: make it again as the handbook says";
  }
  EXPECT_GE(controllati, 1);
}

TEST(Manuale, LeTabelleDegliOrariSonoQuelleDiMostraScenario) {
  int controllati = 0;
  for (const auto& [nome, e] : esempi_del_manuale()) {
    if (e.orario.empty()) continue;
    SCOPED_TRACE("esempio " + nome);
    const test::cartella_temporanea uscita;
    std::string percorso = "Orsella_Drumvane", treno = "xr40318";
    if (nome == "incorporato") {
      ASSERT_EQ(test::costruisci_incorporato(uscita.percorso(), 0).esito, esito_build::completato);
    } else {
      const costruito c = costruisci(e, uscita.percorso());
      ASSERT_EQ(c.risultato.esito, esito_build::completato);
      percorso = c.stato.nome_percorso;
      treno = c.stato.nome_treno;
    }
    const test::esito_processo orario = test::esegui(OD_MOSTRA, {"--orario", uscita.percorso(), percorso, treno});
    EXPECT_EQ(orario.stato, 0) << orario.errori;
    EXPECT_EQ(orario.uscita, e.orario);
    ++controllati;
  }
  EXPECT_GE(controllati, 2);
}
#endif

#ifdef OD_COMPILA
TEST(Manuale, DocumentiSonoQuelliDiCompilaScenario) {
  int controllati = 0;
  for (const auto& [nome, e] : esempi_del_manuale()) {
    if (e.documenti.empty()) continue;
    SCOPED_TRACE("esempio " + nome);
    const test::cartella_temporanea scenari;
    scenari.scrivi(e.file_linea, e.linea);
    scenari.scrivi(e.file_treno, e.treno);
    std::vector<std::string> argomenti = parole(e.documenti);
    ASSERT_FALSE(argomenti.empty());
    ASSERT_EQ(argomenti.front(), "compila_scenario");
    argomenti.erase(argomenti.begin());
    for (std::string& a : argomenti) {
      if (a == "scenari") a = scenari.percorso();
    }
    const test::esito_processo c = test::esegui(OD_COMPILA, argomenti);
    ASSERT_EQ(c.stato, 0) << c.errori;
    const std::string prefisso = argomenti[argomenti.size() - 2] + "_" + argomenti.back() + "_";
    EXPECT_EQ(scenari.leggi(prefisso + "scheda_treno.txt"), con_fine_riga(e.scheda, "\r\n"));
    EXPECT_EQ(scenari.leggi(prefisso + "rallentamenti.txt"), con_fine_riga(e.rallentamenti, "\r\n"));
    ++controllati;
  }
  EXPECT_GE(controllati, 1);
}
#endif

}  // namespace
}  // namespace od
