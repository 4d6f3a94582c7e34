// Cost of each stage of the generation run on the carried scenario.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "builder/memorizza_dati.h"
#include "builder/percorso.h"
#include "output/file_binari.h"
#include "scenario_text/lista_righe.h"
#include "scenario_text/scenario_carico.h"

namespace od {
namespace {

std::string cartella_di_lavoro() {
  std::string modello = (std::filesystem::temp_directory_path() / "od-bench-XXXXXX").string();
  if (::mkdtemp(modello.data()) == nullptr) std::abort();
  return modello;
}

sorgente_descrizioni in_memoria(bool con_treno) {
  sorgente_descrizioni s("/nessuna-cartella");
  s.testo_linea = testo_righe(righe_linea());
  s.testo_treno = con_treno ? testo_righe(righe_treno()) : std::string("[generale]\r\n[fine]\r\n");
  return s;
}

// The scenario read; the session that the reading fills goes to `sessione`.
scenario letto(int32_t con_planimetria, const sorgente_descrizioni& sorgente, sessione_costruzione& sessione) {
  scenario stato;
  stato.nome_percorso = "Orsella_Drumvane";
  stato.nome_treno = "xr40318";
  stato.con_planimetria = con_planimetria;
  memorizza_dati(stato, sessione, sorgente);
  return stato;
}

scenario letto(int32_t con_planimetria, const sorgente_descrizioni& sorgente) {
  sessione_costruzione sessione;
  return letto(con_planimetria, sorgente, sessione);
}

void BM_ScritturaDescrizioni(benchmark::State& state) {
  const std::string cartella = cartella_di_lavoro();
  for (auto _ : state) {
    dati_linea(cartella, "Orsella_Drumvane");
    dati_treno(cartella, "Orsella_Drumvane", "xr40318");
  }
  std::filesystem::remove_all(cartella);
}
BENCHMARK(BM_ScritturaDescrizioni)->Unit(benchmark::kMicrosecond);

void BM_LetturaDescrizioni(benchmark::State& state) {
  const std::string cartella = cartella_di_lavoro();
  for (auto _ : state) {
    state.PauseTiming();
    dati_linea(cartella, "Orsella_Drumvane");
    dati_treno(cartella, "Orsella_Drumvane", "xr40318");
    state.ResumeTiming();
    scenario stato = letto(0, sorgente_descrizioni(cartella));
    benchmark::DoNotOptimize(stato.binario.data());
  }
  std::filesystem::remove_all(cartella);
}
BENCHMARK(BM_LetturaDescrizioni)->Unit(benchmark::kMicrosecond);

void BM_Planimetria(benchmark::State& state) {
  const sorgente_descrizioni sorgente = in_memoria(false);
  for (auto _ : state) {
    scenario stato = letto(1, sorgente);
    benchmark::DoNotOptimize(stato.planimetria.calcolate());
  }
}
BENCHMARK(BM_Planimetria)->Unit(benchmark::kMicrosecond);

void BM_Cammino(benchmark::State& state) {
  sessione_costruzione sessione_base;
  const scenario base = letto(0, in_memoria(true), sessione_base);
  for (auto _ : state) {
    state.PauseTiming();
    scenario stato = base;
    sessione_costruzione sessione = sessione_base;
    state.ResumeTiming();
    cammina_binario(stato, sessione);
    benchmark::DoNotOptimize(stato.binario.data());
  }
}
BENCHMARK(BM_Cammino)->Unit(benchmark::kMicrosecond);

void BM_ImmaginiBinarie(benchmark::State& state) {
  const scenario stato = letto(1, in_memoria(true));
  for (auto _ : state) {
    const buffer p = immagine_planimetria(stato.planimetria);
    const buffer t = immagine_tabella(stato);
    const buffer b = immagine_binario(stato);
    benchmark::DoNotOptimize(p.data());
    benchmark::DoNotOptimize(t.data());
    benchmark::DoNotOptimize(b.data());
  }
}
BENCHMARK(BM_ImmaginiBinarie)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace od
