// The running-time calculation on a line of 1,000,000 m (20,141 cells) with
// a station every 5 km, each one a timed stop, and a slowdown in every
// section: the time must stay linear in the length.
#include <benchmark/benchmark.h>

#include <string>

#include "percorrenza/orario.h"

namespace od {
namespace {

scenario linea_lunga() {
  scenario s;
  cella c;
  c.vmax = 24;
  c.pendenza = 108;
  s.binario.assign(20141, c);
  s.tabella[voce_treno].posizione = 6;
  for (int i = 1; i <= 78; ++i) {
    voce& v = s.tabella[static_cast<std::size_t>(i)];
    const int32_t cella_fermata = 2 + (i - 1) * 258;
    v.tipo = 2;
    v.nome = "S" + std::to_string(i);
    v.posizione = cella_fermata * 50 - 100;
    v.orario = 36000 + i * 600;
    v.sosta = 30;
    s.binario[static_cast<std::size_t>(cella_fermata)].oggetto = oggetto::fermata;
    s.binario[static_cast<std::size_t>(cella_fermata)].valore1 = static_cast<int16_t>(i);
    s.binario[static_cast<std::size_t>(cella_fermata + 100)].oggetto = oggetto::inizio_rallentamento;
    s.binario[static_cast<std::size_t>(cella_fermata + 100)].valore1 = 30;
    s.binario[static_cast<std::size_t>(cella_fermata + 100)].valore3 = 1;
    s.binario[static_cast<std::size_t>(cella_fermata + 110)].oggetto = oggetto::fine_rallentamento;
  }
  return s;
}

void BM_OrarioLinea1000000(benchmark::State& state) {
  const scenario s = linea_lunga();
  for (auto _ : state) benchmark::DoNotOptimize(calcola_orario(s, treno_percorrenza{}, 3));
}
BENCHMARK(BM_OrarioLinea1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace od
