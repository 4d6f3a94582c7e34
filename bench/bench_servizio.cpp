// The author's loop in the editor: the time from a change of the text to
// the diagnostics published, on the carried scenario and on a line of
// 1,000,000 m; the server's memory over 10,000 changes of one document; the
// time from a save to the files rewritten by compila_scenario --osserva.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "scenario_text/lista_righe.h"
#include "scenario_text/scenario_carico.h"
#include "tools/compila/compila.h"
#include "tools/comune/osserva.h"
#include "tools/servizio/documenti.h"
#include "tools/servizio/servizio.h"

namespace od {
namespace {

using json = nlohmann::json;

std::string cartella_di_lavoro() {
  std::string modello = (std::filesystem::temp_directory_path() / "od-bench-XXXXXX").string();
  if (::mkdtemp(modello.data()) == nullptr) std::abort();
  return modello;
}

void scrivi(const std::string& percorso, const std::string& testo) {
  std::ofstream(percorso, std::ios::binary) << testo;
}

// A line of 1,000,000 m with a gradient every 500 m and a board every 5 km.
std::string linea_lunga() {
  std::string t =
      "[generale]\r\nlunghezza percorso, 1000000\r\nprogressiva chilometrica uno, 0, 0, 0\r\n"
      "progressiva chilometrica due, 0, 0, 0\r\nprogressiva chilometrica tre, 0, 0, 0\r\nsfondo uno, 1\r\n"
      "sfondo due, 1\r\nsfondo tre, 1\r\nripetizione segnali 4 codici, 0, 0\r\n[pendenze]\r\n";
  for (int p = 0; p < 1000000; p += 500) t += "pendenza, " + std::to_string(p) + ", " + std::to_string(p % 7) + "\r\n";
  t += "[cartelli]\r\n";
  for (int p = 2025; p < 1000000; p += 5000) t += "indicatori_vmax, " + std::to_string(p) + ", 80,80,80,0,,,,0\r\n";
  return t + "[fine]\r\n";
}

json messaggio(const std::string& metodo, json parametri) {
  return {{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}};
}

// A session with both files open; each change alternates two versions of
// the line file, so that every round builds anew.
struct sessione_aperta {
  explicit sessione_aperta(const std::string& linea) : cartella(cartella_di_lavoro()), testo(linea) {
    file_linea = cartella + "/Orsella_Drumvane_linea.txt";
    file_treno = cartella + "/Orsella_Drumvane_xr40318-.txt";
    scrivi(file_linea, testo);
    scrivi(file_treno, testo_righe(righe_treno()));
    std::vector<json> uscita;
    s.ricevi(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}}.dump(), uscita);
    for (const std::string& f : {file_linea, file_treno}) {
      std::ifstream in(f, std::ios::binary);
      std::stringstream t;
      t << in.rdbuf();
      s.ricevi(messaggio("textDocument/didOpen",
                         {{"textDocument", {{"uri", uri_da_percorso(f)}, {"version", 1}, {"text", t.str()}}}})
                   .dump(),
               uscita);
    }
    s.pubblica(uscita);
  }
  ~sessione_aperta() { std::filesystem::remove_all(cartella); }

  // One change and its diagnostics; returns how many notifications went out.
  std::size_t cambia() {
    ++versione;
    const std::string nuovo = versione % 2 == 0 ? testo : testo + "- nota\r\n";
    std::vector<json> uscita;
    s.ricevi(messaggio("textDocument/didChange",
                       {{"textDocument", {{"uri", uri_da_percorso(file_linea)}, {"version", versione}}},
                        {"contentChanges", json::array({{{"text", nuovo}}})}})
                 .dump(),
             uscita);
    s.pubblica(uscita);
    return uscita.size();
  }

  std::string cartella, file_linea, file_treno, testo;
  servizio s;
  int versione = 1;
};

void diagnostiche_dopo_un_cambio(benchmark::State& state, const std::string& linea) {
  sessione_aperta a(linea);
  std::size_t notifiche = 0;
  for (auto _ : state) notifiche = a.cambia();
  state.counters["notifiche"] = static_cast<double>(notifiche);  // both files, each round
}

void BM_DiagnosticheIncorporato(benchmark::State& state) {
  diagnostiche_dopo_un_cambio(state, testo_righe(righe_linea()));
}
BENCHMARK(BM_DiagnosticheIncorporato)->Unit(benchmark::kMillisecond);

void BM_DiagnosticheLineaDiUnMilioneDiMetri(benchmark::State& state) {
  diagnostiche_dopo_un_cambio(state, linea_lunga());
}
BENCHMARK(BM_DiagnosticheLineaDiUnMilioneDiMetri)->Unit(benchmark::kMillisecond);

// Resident memory of the process, in KiB (Linux).
double memoria_residente() {
  std::ifstream in("/proc/self/status");
  for (std::string riga; std::getline(in, riga);) {
    if (riga.starts_with("VmRSS:")) return std::stod(riga.substr(6));
  }
  return 0;
}

// Memory after the first 100 changes and after 10,000: flat when equal.
void BM_MemoriaDopoDiecimilaCambi(benchmark::State& state) {
  for (auto _ : state) {
    sessione_aperta a(testo_righe(righe_linea()));
    for (int i = 0; i < 100; ++i) a.cambia();
    const double dopo_cento = memoria_residente();
    for (int i = 100; i < 10000; ++i) a.cambia();
    state.counters["KiB_dopo_100"] = dopo_cento;
    state.counters["KiB_dopo_10000"] = memoria_residente();
  }
}
BENCHMARK(BM_MemoriaDopoDiecimilaCambi)->Iterations(1)->Unit(benchmark::kSecond);

// From a save to the binary files rewritten, in the watch mode with its
// default polling: each round saves the train file and waits for the next
// run to end.
void BM_OsservaDalSalvataggioAiFile(benchmark::State& state) {
  const std::string cartella = cartella_di_lavoro();
  const std::string treno = cartella + "/Orsella_Drumvane_xr40318-.txt";
  scrivi(cartella + "/Orsella_Drumvane_linea.txt", testo_righe(righe_linea()));
  const std::string testo = testo_righe(righe_treno());
  scrivi(treno, testo);
  richiesta_compila q;
  q.cartella = q.cartella_uscita = cartella;
  q.percorso = "Orsella_Drumvane";
  q.treno = "xr40318";
  std::ostringstream scarto;
  using orologio = std::chrono::steady_clock;
  int salvataggi = 0;
  for (auto _ : state) {
    orologio::time_point salvato;
    double durata = 0;
    opzioni_osserva o;
    // The first run is the start; the time runs from the save after it to
    // the end of the run that the save brings.
    o.dopo_giro = [&](int n) {
      if (n == 1) {
        scrivi(treno, ++salvataggi % 2 == 0 ? testo : testo + "- nota\r\n");
        salvato = orologio::now();
        return true;
      }
      durata = std::chrono::duration<double>(orologio::now() - salvato).count();
      return false;
    };
    osserva(
        "compila_scenario", {treno}, scarto, [&] { return compila(q, scarto, scarto); }, o);
    state.SetIterationTime(durata);
    scarto.str({});
  }
  std::filesystem::remove_all(cartella);
}
BENCHMARK(BM_OsservaDalSalvataggioAiFile)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace od
