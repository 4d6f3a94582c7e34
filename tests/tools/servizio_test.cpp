// The language server at the protocol level: a session from initialize to
// exit, diagnostics on the editor's unsaved text for both files of a pair,
// the features over a document, and input that is not the protocol.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "output/file_binari.h"
#include "scenario_text/lista_righe.h"
#include "scenario_text/scenario_carico.h"
#include "support/cartella_temporanea.h"
#include "tools/servizio/coppia.h"
#include "tools/servizio/diagnosi.h"
#include "tools/servizio/funzioni.h"
#include "tools/servizio_prova.h"

namespace od {
namespace {

using test::cartella_temporanea;
using test::json;
using test::sessione_lsp;

const std::string nome_linea = "Orsella_Drumvane_linea.txt";
const std::string nome_treno = "Orsella_Drumvane_xr40318-.txt";

// The built-in scenario's two files on disk.
struct coppia_su_disco {
  coppia_su_disco() {
    cartella.scrivi(nome_linea, linea);
    cartella.scrivi(nome_treno, treno);
  }
  cartella_temporanea cartella;
  std::string linea = testo_righe(righe_linea());
  std::string treno = testo_righe(righe_treno());
  std::string file_linea() const { return cartella.file(nome_linea); }
  std::string file_treno() const { return cartella.file(nome_treno); }
};

std::string sostituisci(std::string testo, const std::string& vecchio, const std::string& nuovo) {
  const std::size_t dove = testo.find(vecchio);
  EXPECT_NE(dove, std::string::npos) << vecchio;
  if (dove != std::string::npos) testo.replace(dove, vecchio.size(), nuovo);
  return testo;
}

// The 0-based line on which `pezzo` first stands.
int linea_di(const std::string& testo, const std::string& pezzo) {
  const std::size_t dove = testo.find(pezzo);
  return static_cast<int>(std::count(testo.begin(), testo.begin() + static_cast<std::ptrdiff_t>(dove), '\n'));
}

json documento(const std::string& percorso, json altro = json::object()) {
  altro["textDocument"] = {{"uri", uri_da_percorso(percorso)}};
  return altro;
}

TEST(Servizio, SessioneDaInitializeAExitConDiagnosticheSulTestoNonSalvato) {
  const coppia_su_disco c;
  const std::string sbagliato = sostituisci(c.treno, "stazione,", "stazine,");
  sessione_lsp s;
  s.richiesta(1, "initialize", {{"capabilities", json::object()}})
      .notifica("initialized")
      .apri(c.file_treno(), c.treno)
      .aspetta()
      .cambia(c.file_treno(), "non ancora", 2)  // superseded before the pause: never built
      .cambia(c.file_treno(), sbagliato, 3)
      .aspetta()
      .cambia(c.file_treno(), c.treno, 4)
      .aspetta()
      .richiesta(2, "shutdown")
      .notifica("exit");
  EXPECT_EQ(s.esegui(), 0);
  const json init = s.risposta(1)["result"];
  EXPECT_EQ(init["capabilities"]["textDocumentSync"]["change"], 1);
  EXPECT_TRUE(init["capabilities"]["hoverProvider"].get<bool>());
  const std::vector<json> treno = s.diagnostiche(c.file_treno());
  ASSERT_EQ(treno.size(), 3u);
  EXPECT_TRUE(treno[0].empty()) << treno[0];
  ASSERT_EQ(treno[1].size(), 1u) << treno[1];
  const json& d = treno[1][0];
  EXPECT_EQ(d["code"], "chiave-sconosciuta");
  EXPECT_EQ(d["severity"], 2);
  EXPECT_EQ(d["range"]["start"]["line"], linea_di(sbagliato, "stazine,"));
  EXPECT_EQ(d["range"]["start"]["character"], 0);
  EXPECT_EQ(d["range"]["end"]["character"], 7);
  EXPECT_NE(d["message"].get<std::string>().find("forse 'stazione'?"), std::string::npos);
  EXPECT_TRUE(treno[2].empty()) << treno[2];
  // The line file, clean and not open, needs no word; the files on disk are
  // as they were: the build wrote nothing.
  EXPECT_TRUE(s.diagnostiche(c.file_linea()).empty());
  EXPECT_EQ(c.cartella.elenco(), (std::vector<std::string>{nome_linea, nome_treno}));
  EXPECT_TRUE(s.risposta(2)["result"].is_null());
}

TEST(Servizio, UnCambioNelTrenoRicontrollaLaLineaEIndicaLAltroRecord) {
  const coppia_su_disco c;
  // A second signal on the first one's cell: code 16, the first as the
  // other record.
  const std::string riga = "segnale,   12100,";
  const std::size_t dove = c.treno.find(riga);
  ASSERT_NE(dove, std::string::npos);
  const std::size_t fine = c.treno.find('\n', dove);
  const std::string doppio =
      c.treno.substr(0, fine + 1) + c.treno.substr(dove, fine + 1 - dove) + c.treno.substr(fine + 1);
  sessione_lsp s;
  s.richiesta(1, "initialize").apri(c.file_linea(), c.linea).aspetta().apri(c.file_treno(), doppio).aspetta();
  s.esegui();
  const std::vector<json> linea = s.diagnostiche(c.file_linea());
  ASSERT_EQ(linea.size(), 2u);  // once for its own opening, once for the train's
  const std::vector<json> treno = s.diagnostiche(c.file_treno());
  ASSERT_EQ(treno.size(), 1u);
  json errore;
  for (const json& d : treno[0]) {
    if (d["code"] == 16) errore = d;
  }
  ASSERT_FALSE(errore.is_null()) << treno[0];
  EXPECT_EQ(errore["severity"], 1);
  EXPECT_EQ(errore["range"]["start"]["line"], linea_di(c.treno, riga) + 1);
  const json& altro = errore["relatedInformation"][0]["location"];
  EXPECT_EQ(altro["uri"], uri_da_percorso(c.file_treno()));
  EXPECT_EQ(altro["range"]["start"]["line"], linea_di(c.treno, riga));
}

TEST(Servizio, IngressoRottoRiceveLErroreDelProtocolloEIlServizioVaAvanti) {
  // A document past the limit of 16 MiB, sent whole.
  std::string enorme = "Content-Length: 20000000\r\n\r\n";
  enorme.resize(enorme.size() + 20000000, ' ');
  sessione_lsp s;
  s.richiesta(1, "textDocument/hover")             // before initialize
      .grezzo("Content-Type: x\r\n\r\n")           // no length
      .grezzo("Content-Length: 5\r\n\r\n{\"a\":")  // not JSON
      .grezzo(enorme)
      .richiesta(2, "initialize")
      .richiesta(3, "nessuno/metodo")
      .richiesta(4, "textDocument/hover", {{"textDocument", {{"uri", "file:///non/aperto.txt"}}}})
      .invia(json::array({1, 2}))
      .richiesta(5, "textDocument/hover", {{"posizione", 1}})
      .richiesta(6, "shutdown")
      .richiesta(7, "shutdown");
  EXPECT_EQ(s.esegui(), 0);  // the input ended after shutdown
  auto codice = [](const json& m) { return m["error"]["code"].get<int>(); };
  EXPECT_EQ(codice(s.risposta(1)), -32002);
  std::vector<int> senza_id;
  for (const json& m : s.ricevuti) {
    if (m.contains("id") && m["id"].is_null()) senza_id.push_back(codice(m));
  }
  EXPECT_EQ(senza_id, (std::vector<int>{-32700, -32700, -32600, -32600}));
  EXPECT_TRUE(s.risposta(2).contains("result"));
  EXPECT_EQ(codice(s.risposta(3)), -32601);
  EXPECT_EQ(codice(s.risposta(4)), -32602);
  EXPECT_EQ(codice(s.risposta(5)), -32602);
  EXPECT_TRUE(s.risposta(6)["result"].is_null());
  EXPECT_EQ(codice(s.risposta(7)), -32600);
}

TEST(Servizio, AiutoCompletamentoCorrezioneSimboliEFormattazione) {
  const coppia_su_disco c;
  const std::string lento = sostituisci(c.treno, "velocita,", "velocita,");
  sessione_lsp s;
  const std::string treno = c.file_treno();
  const int stazione = linea_di(c.treno, "stazione,");
  s.richiesta(1, "initialize")
      .apri(treno, c.treno)
      .richiesta(2, "textDocument/hover", documento(treno, {{"position", {{"line", stazione}, {"character", 2}}}}))
      .richiesta(3, "textDocument/hover", documento(treno, {{"position", {{"line", stazione}, {"character", 12}}}}))
      .richiesta(4, "textDocument/completion", documento(treno, {{"position", {{"line", stazione}, {"character", 0}}}}))
      .richiesta(5, "textDocument/documentSymbol", documento(treno))
      .richiesta(
          6, "textDocument/codeAction",
          documento(
              treno,
              {{"range", {{"start", {{"line", 3}, {"character", 0}}}, {"end", {{"line", 3}, {"character", 1}}}}},
               {"context",
                {{"diagnostics",
                  json::array(
                      {{{"range",
                         {{"start", {{"line", 3}, {"character", 0}}}, {"end", {{"line", 3}, {"character", 7}}}}},
                        {"code", "chiave-sconosciuta"},
                        {"message", "'stazine' non e' una chiave: la riga e' saltata: forse 'stazione'?"}}})}}}}));
  s.esegui();
  const std::string stazione_aiuto = s.risposta(2)["result"]["contents"]["value"];
  EXPECT_NE(stazione_aiuto.find("cella"), std::string::npos) << stazione_aiuto;
  EXPECT_NE(stazione_aiuto.find("arrivo piu' presto"), std::string::npos) << stazione_aiuto;
  EXPECT_NE(stazione_aiuto.find("area di stazione da 0 a 600 m"), std::string::npos) << stazione_aiuto;
  const std::string campo_aiuto = s.risposta(3)["result"]["contents"]["value"];
  EXPECT_NE(campo_aiuto.find("**posizione**"), std::string::npos) << campo_aiuto;
  bool con_frammento = false;
  const json completati = s.risposta(4)["result"];
  for (const json& k : completati) {
    if (k["label"] == "stazione")
      con_frammento = k["insertText"].get<std::string>().find("${1:posizione}") != std::string::npos;
  }
  EXPECT_TRUE(con_frammento);
  const json simboli = s.risposta(5)["result"];
  std::size_t stazioni = 0;
  for (const json& sezione : simboli) {
    for (const json& figlio : sezione.value("children", json::array())) stazioni += figlio["kind"] == 5;
  }
  EXPECT_EQ(stazioni, 18u);
  const json azione = s.risposta(6)["result"][0];
  EXPECT_EQ(azione["edit"]["changes"][uri_da_percorso(treno)][0]["newText"], "stazione");
}

// A warning about two records names the other one's line: there it is, as
// related information.
TEST(Servizio, UnAvvisoSuDueRecordIndicaLAltro) {
  const coppia_su_disco c;
  const std::string linea = sostituisci(c.linea, "pendenza,  8250 , 0 ", "pendenza,  650 , 0 ");
  documenti_aperti aperti;
  aperti[c.file_linea()] = {uri_da_percorso(c.file_linea()), linea, 1};
  const std::unique_ptr<costruzione_coppia> k =
      costruisci_coppia({c.cartella.percorso(), "Orsella_Drumvane", "xr40318"}, aperti);
  const json elenco = diagnostiche(*k).at(c.file_linea());
  ASSERT_EQ(elenco.size(), 1u) << elenco;
  EXPECT_EQ(elenco[0]["code"], "ordine-posizioni");
  EXPECT_EQ(elenco[0]["range"]["start"]["line"], linea_di(linea, "pendenza,  650 "));
  EXPECT_EQ(elenco[0]["relatedInformation"][0]["location"]["range"]["start"]["line"],
            linea_di(linea, "pendenza,  700 "));
}

// The naming rule, both ways, with a route name that holds an underscore,
// and the editor's addresses.
TEST(Servizio, LaCoppiaSiTrovaDaiNomiEGliIndirizziTornanoPercorsi) {
  const std::vector<std::string> nomi = {"Val_Serra_linea.txt", "Val_Serra_r2-.txt", "Val_Serra_r1-.txt",
                                         "Val_linea.txt"};
  EXPECT_EQ(coppia_di("/s/Val_Serra_linea.txt", nomi), (coppia_scenario{"/s", "Val_Serra", "r1"}));
  EXPECT_EQ(coppia_di("/s/Val_Serra_r2-.txt", nomi), (coppia_scenario{"/s", "Val_Serra", "r2"}));
  EXPECT_EQ(coppia_di("/s/Val_linea.txt", {"Val_linea.txt"}), (coppia_scenario{"/s", "Val", ""}));
  EXPECT_EQ(coppia_di("/s/note.txt", nomi), std::nullopt);
  EXPECT_EQ(percorso_da_uri("file:///s/Citt%C3%A0%20alta/a_linea.txt"), "/s/Citt\xC3\xA0 alta/a_linea.txt");
  EXPECT_EQ(percorso_da_uri("file:///c%3A/scenari/a_linea.txt"), "c:/scenari/a_linea.txt");
  EXPECT_EQ(percorso_da_uri("untitled:1"), std::nullopt);
  EXPECT_EQ(uri_da_percorso("/s/Citt\xC3\xA0 alta/a_linea.txt"), "file:///s/Citt%C3%A0%20alta/a_linea.txt");
  EXPECT_EQ(testo_8bit("Citt\xC3\xA0 \xE2\x82\xAC"), "Citt\xE0 \xE2\x82\xAC");  // the euro sign stays UTF-8
}

// Records out of order: the run of their kind around the line comes back
// sorted by position, as one edit; a run already in order offers nothing.
TEST(Servizio, LaCorrezioneRimetteInOrdineLePendenze) {
  const std::string testo =
      test::righe_crlf({"[generale]", "lunghezza percorso, 20000", "[pendenze]", "pendenza, 0, 1", "pendenza, 900, 3",
                        "pendenza, 500, 2", "[montagne]", "montagna, 800, 2050, 12"});
  const json d = {{"range", {{"start", {{"line", 5}, {"character", 0}}}, {"end", {{"line", 5}, {"character", 8}}}}},
                  {"code", "ordine-posizioni"},
                  {"message", "..."}};
  const json azioni = correzioni("file:///l_linea.txt", testo, true, json::array({d}));
  ASSERT_EQ(azioni.size(), 1u);
  const json& modifica = azioni[0]["edit"]["changes"]["file:///l_linea.txt"][0];
  EXPECT_EQ(modifica["range"]["start"]["line"], 3);
  EXPECT_EQ(modifica["range"]["end"]["line"], 6);
  EXPECT_EQ(modifica["newText"], "pendenza, 0, 1\r\npendenza, 500, 2\r\npendenza, 900, 3\r\n");
  const std::string in_ordine = test::righe_crlf({"[generale]", "lunghezza percorso, 20000", "[pendenze]",
                                                  "pendenza, 0, 1", "pendenza, 500, 2", "pendenza, 900, 3"});
  EXPECT_TRUE(correzioni("file:///l_linea.txt", in_ordine, true, json::array({d})).empty());
}

// The formatted files build to the same three binary files, byte for byte,
// whatever their columns were.
TEST(Servizio, LaFormattazioneNonCambiaCiòCheSiCostruisce) {
  const coppia_su_disco c;
  auto immagini = [&](const std::string& linea, const std::string& treno) {
    documenti_aperti aperti;
    aperti[c.file_linea()] = {"", linea, 1};
    aperti[c.file_treno()] = {"", treno, 1};
    const std::unique_ptr<costruzione_coppia> k =
        costruisci_coppia({c.cartella.percorso(), "Orsella_Drumvane", "xr40318"}, aperti);
    EXPECT_EQ(k->risultato.codice_lettura, 0);
    return std::vector<buffer>{immagine_planimetria(k->stato.planimetria), immagine_tabella(k->stato),
                               immagine_binario(k->stato)};
  };
  // Columns pushed around by hand, a comment and a text left as they are.
  std::string linea = sostituisci(c.linea, "pendenza,  30450 ,-7 ", "pendenza,30450,-7");
  linea = sostituisci(linea, "[pendenze]", "[pendenze]\r\n- una nota, con virgola");
  const std::string treno = sostituisci(c.treno, "segnale,   12100,", "segnale,12100,");
  const std::string linea_formattata = testo_formattato(linea, true);
  const std::string treno_formattato = testo_formattato(treno, false);
  ASSERT_FALSE(linea_formattata.empty());
  ASSERT_FALSE(treno_formattato.empty());
  EXPECT_NE(linea_formattata.find("- una nota, con virgola\r\n"), std::string::npos);
  EXPECT_EQ(immagini(linea_formattata, treno_formattato), immagini(c.linea, c.treno));
  // Formatting twice changes nothing more.
  EXPECT_TRUE(testo_formattato(linea_formattata, true).empty());
  EXPECT_TRUE(testo_formattato(treno_formattato, false).empty());
}

}  // namespace
}  // namespace od
