#include "tools/mostra/json.h"

#include <nlohmann/json.hpp>
#include <utility>

#include "elementi/tipi_oggetto.h"
#include "modello/campi.h"
#include "output/file_binari.h"
#include "tools/comune/testo_utf8.h"
#include "tools/mostra/riepilogo.h"

namespace od {
namespace {

using json = nlohmann::ordered_json;

json file_json(const std::string& nome, bool presente, std::size_t byte, bool letto) {
  return {{"nome", nome}, {"presente", presente}, {"byte", byte}, {"letto", letto}};
}

json file_e_danni(const scenario_letto& s, json& radice) {
  const nomi_binari nomi = nomi_file_binari(s.stato.nome_percorso, s.stato.nome_treno);
  radice["file"] = json::array(
      {file_json(nomi.planimetria, s.planimetria_presente, s.byte_planimetria, s.stato.con_planimetria != 0),
       file_json(nomi.tabella, true, s.byte_tabella, s.tabella_letta),
       file_json(nomi.binario, true, s.byte_binario, s.binario_letto)});
  json danni = json::array();
  for (const danno& d : s.danni) danni.push_back({{"file", d.file}, {"byte", d.byte}, {"motivo", d.motivo}});
  return danni;
}

json linea_json(const scenario& stato, const generale_letto& g) {
  json l = {
      {"lunghezza", g.lunghezza_linea}, {"lunghezza_totale", g.lunghezza_totale}, {"ultima_cella", g.ultima_cella}};
  if (stato.con_planimetria != 0) {
    const planimetria& p = stato.planimetria;
    json piano = {{"righe", p.righe()}, {"calcolate", p.calcolate()}};
    if (p.calcolate() > 0) piano["ultima_calcolata"] = {p.primo(p.calcolate() - 1), p.secondo(p.calcolate() - 1)};
    l["planimetria"] = piano;
  } else {
    l["planimetria"] = nullptr;
  }
  return l;
}

json generale_json(const generale_letto& g) {
  json progressive = json::array();
  for (const progressiva_letta& p : g.progressive) {
    progressive.push_back({{"posizione", p.posizione}, {"progressiva", p.progressiva}, {"verso", p.verso}});
  }
  return {{"progressive", progressive},
          {"sfondi", {{"uno", g.sfondi[0]}, {"due", g.sfondi[1]}, {"tre", g.sfondi[2]}}},
          {"ripetizione_segnali",
           {{"primo", g.ripetizione_primo}, {"secondo", g.ripetizione_secondo}, {"codici", g.ripetizione_codici}}},
          {"massa_frenata", g.massa_frenata},
          {"vetture", g.vetture},
          {"sabbia", g.sabbia},
          {"orologio", {g.orologio[0], g.orologio[1], g.orologio[2]}},
          {"segno_tabella", g.segno_tabella},
          {"codice_gara_st", g.codice_st},
          {"segno_binario", g.segno_binario},
          {"codice_gara_og", g.codice_og}};
}

json voce_json(const voce& v) {
  json j = json::object();
  per_ogni_campo(v, [&j](std::string_view nome, const auto& campo) { j[std::string(nome)] = campo; });
  return j;
}

json cella_json(int32_t indice, const cella& c) {
  json j = {{"cella", indice}, {"da_m", inizio_cella(indice)}};
  per_ogni_campo(c, [&](std::string_view nome, const auto& campo) {
    j[std::string(nome)] = campo;
    if (nome == "oggetto") {
      const std::string_view nome_o = nome_oggetto(c.oggetto);
      j["nome_oggetto"] = nome_o.empty() ? "sconosciuto" : nome_o;
    }
  });
  return j;
}

json stazioni_json(const elementi_linea& e) {
  json a = json::array();
  for (const stazione_letta& st : e.stazioni) {
    json j = voce_json(st.dati);
    j["voce"] = st.numero;
    j["orario_testo"] = testo_orario(st.dati.orario);
    j["cella_fermata"] = st.cella_fermata >= 0 ? json(st.cella_fermata) : json(nullptr);
    a.push_back(std::move(j));
  }
  return a;
}

json segnali_json(const elementi_linea& e) {
  json a = json::array();
  for (const segnale_letto& s : e.segnali) {
    a.push_back({{"cella", s.cella},
                 {"posizione", s.posizione},
                 {"sx", s.sx},
                 {"sinistra", {s.sinistra[0], s.sinistra[1], s.sinistra[2]}},
                 {"dx", s.dx},
                 {"destra", {s.destra[0], s.destra[1], s.destra[2]}},
                 {"rapp", s.rapp},
                 {"attesa", s.attesa}});
  }
  return a;
}

json cella_o_null(int32_t c) { return c >= 0 ? json(c) : json(nullptr); }
json posizione_o_null(int32_t c) { return c >= 0 ? json(posizione_puntuale(c)) : json(nullptr); }

json rallentamenti_json(const elementi_linea& e) {
  json a = json::array();
  for (const rallentamento_letto& r : e.rallentamenti) {
    a.push_back({{"inizio", posizione_puntuale(r.cella_inizio)},
                 {"cella_inizio", r.cella_inizio},
                 {"fine", posizione_o_null(r.cella_fine)},
                 {"cella_fine", cella_o_null(r.cella_fine)},
                 {"avviso", posizione_o_null(r.cella_avviso)},
                 {"cella_avviso", cella_o_null(r.cella_avviso)},
                 {"celle_preavviso", r.celle_preavviso},
                 {"velocita", r.velocita},
                 {"treno_intero", r.treno_intero != 0},
                 {"d_v", r.d_v}});
  }
  json isolate = json::array();
  for (const parte_isolata& p : e.isolate) {
    isolate.push_back({{"cella", p.cella}, {"oggetto", p.oggetto}, {"valore1", p.valore1}});
  }
  return {{"elenco", a}, {"parti_isolate", isolate}};
}

json indicatori_json(const elementi_linea& e) {
  json a = json::array();
  for (const indicatore_letto& b : e.indicatori) {
    a.push_back({{"cella", b.cella},
                 {"posizione", b.posizione},
                 {"sinistra", {b.sinistra[0], b.sinistra[1], b.sinistra[2]}},
                 {"strisce_sinistra", b.strisce_sinistra},
                 {"destra", {b.destra[0], b.destra[1], b.destra[2]}},
                 {"strisce_destra", b.strisce_destra}});
  }
  return a;
}

json tratti_json(const std::vector<tratto>& t, const char* nome, int scala, int scarto) {
  json a = json::array();
  for (const tratto& x : t) {
    json j = {{"da", x.da},
              {"a", x.a},
              {"da_m", inizio_cella(x.da)},
              {"a_m", inizio_cella(x.a + 1)},
              {nome, x.valore * scala - scarto}};
    a.push_back(std::move(j));
  }
  return a;
}

void elementi_json(const elementi_linea& e, json& radice) {
  radice["generale"] = generale_json(e.generale);
  radice["stazioni"] = stazioni_json(e);
  radice["segnali"] = segnali_json(e);
  radice["rallentamenti"] = rallentamenti_json(e);
  radice["indicatori"] = indicatori_json(e);
  json cartelli = json::array();
  for (const cartello_letto& c : e.cartelli) {
    cartelli.push_back({{"cella", c.cella}, {"posizione", c.posizione}, {"voce", c.voce}, {"testo", c.testo}});
  }
  radice["cartelli"] = cartelli;
  json abbattimenti = json::array();
  for (const abbattimento_letto& a : e.abbattimenti) {
    abbattimenti.push_back({{"cella", a.cella}, {"posizione", a.posizione}, {"valore", a.valore}, {"fine", a.fine}});
  }
  radice["abbattimenti"] = abbattimenti;
  radice["pendenze"] = tratti_json(e.pendenze, "per_mille", 1, 100);
  radice["velocita"] = tratti_json(e.velocita, "km_h", 5, 0);
  radice["aderenze"] = tratti_json(e.aderenze, "percento", 1, 0);
  json montagne = tratti_json(e.montagne, "tipo", 1, 0);
  for (std::size_t n = 0; n < e.montagne.size(); ++n) montagne[n]["segni"] = e.montagne[n].segni;
  radice["montagne"] = montagne;
}

}  // namespace

void scrivi_json(const scenario_letto& s, const elementi_linea& e, const std::optional<intervallo_celle>& celle,
                 std::ostream& uscita, const nlohmann::ordered_json* orario, const nlohmann::ordered_json* proposta) {
  json radice = {{"percorso", s.stato.nome_percorso}, {"treno", s.stato.nome_treno}};
  radice["danni"] = file_e_danni(s, radice);
  if (s.tabella_letta && s.binario_letto) {
    radice["linea"] = linea_json(s.stato, e.generale);
    elementi_json(e, radice);
  }
  if (s.tabella_letta) {
    json tabella = json::array();
    for (const voce& v : s.stato.tabella) tabella.push_back(voce_json(v));
    radice["tabella"] = tabella;
  }
  if (s.binario_letto && celle) {
    json a = json::array();
    for (int32_t c = celle->da; c <= celle->a; ++c)
      a.push_back(cella_json(c, s.stato.binario[static_cast<std::size_t>(c)]));
    radice["celle"] = a;
  }
  if (orario != nullptr) radice["orario"] = *orario;
  // The member "proposta" of scrivi_proposta's object.
  if (proposta != nullptr && proposta->is_object()) radice.update(*proposta);
  // Names are 8-bit text in the files, said in UTF-8 as in the picture.
  uscita << json_utf8(std::move(radice), 2) << '\n';
}

}  // namespace od
