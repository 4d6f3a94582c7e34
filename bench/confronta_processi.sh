#!/usr/bin/env bash
# Times whole processes side by side and prints the ratios:
#  - the generation run against copying its six output files with cp;
#  - compila_scenario on generated lines of 100000, 300000 and 1000000 m
#    with curves along all of them;
# with the peak memory of each (from /usr/bin/time -v).
# Usage: bench/confronta_processi.sh [RIPETIZIONI]   (run from the project root)
set -euo pipefail
ripetizioni=${1:-20}
radice=$(cd "$(dirname "$0")/.." && pwd)
build="$radice/build-release"
cmake -S "$radice" -B "$build" -DCMAKE_BUILD_TYPE=Release -DOD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target orsella_drumvane compila_scenario >/dev/null
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

# Mean wall time in milliseconds of a command run $ripetizioni times, after a
# set-up command that is not timed.
media_ms() {
  local preparazione=$1 comando=$2 totale=0 inizio fine
  for _ in $(seq "$ripetizioni"); do
    eval "$preparazione"
    inizio=$(date +%s%N)
    eval "$comando" >/dev/null 2>&1
    fine=$(date +%s%N)
    totale=$((totale + fine - inizio))
  done
  echo "scale=3; $totale / $ripetizioni / 1000000" | bc
}

# Peak resident memory in KiB of one run.
picco_kib() {
  /usr/bin/time -v bash -c "$1" 2>&1 >/dev/null | awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}'
}

mkdir -p "$lavoro/gen"
cp "$build/orsella_drumvane" "$lavoro/gen/"
"$lavoro/gen/orsella_drumvane" 2>/dev/null
mkdir -p "$lavoro/sei"
(cd "$lavoro/gen" && cp Orsella_Drumvane_* "$lavoro/sei/")

t_gen=$(media_ms "" "$lavoro/gen/orsella_drumvane")
t_cp=$(media_ms "rm -rf '$lavoro/copia'; mkdir '$lavoro/copia'" "cp '$lavoro'/sei/* '$lavoro/copia/'")
m_gen=$(picco_kib "$lavoro/gen/orsella_drumvane")
m_cp=$(picco_kib "cp '$lavoro'/sei/* '$lavoro/copia/'")
printf '%-34s %10s ms %10s KiB\n' "generazione" "$t_gen" "$m_gen"
printf '%-34s %10s ms %10s KiB\n' "cp dei sei file" "$t_cp" "$m_cp"
printf '%-34s %10s\n' "rapporto generazione / cp" "$(echo "scale=2; $t_gen / $t_cp" | bc)"

# A line of the given length with curves one after another along all of it,
# and a train file with one speed limit.
genera_linea() {
  local metri=$1 cartella=$2
  mkdir -p "$cartella"
  awk -v metri="$metri" 'BEGIN {
    printf "[generale]\r\nlunghezza percorso, %d\r\n[curve]\r\n", metri
    for (inizio = 800; inizio + 900 < metri && inizio + 900 < 1000000; inizio += 1000)
      printf "curva%s%d, %d, 900\r\n", (inizio % 2000 ? "d" : "s"), 4 + inizio % 3, inizio
    printf "[fine]\r\n"
  }' > "$cartella/L_linea.txt"
  printf '[generale]\r\n[vel_limite]\r\nvelocita, 0, 80\r\n[fine]\r\n' > "$cartella/L_t-.txt"
}

# Time and memory should grow linearly with the length: the ratios against
# the 100000 m line should be near 3 and 10.
t_base="" m_base=""
for metri in 100000 300000 1000000; do
  genera_linea "$metri" "$lavoro/l$metri"
  comando="'$build/compila_scenario' '$lavoro/l$metri' L t"
  t=$(media_ms "" "$comando")
  m=$(picco_kib "$comando")
  t_base=${t_base:-$t} m_base=${m_base:-$m}
  printf '%-34s %10s ms %10s KiB   x%s tempo, x%s memoria\n' "compila_scenario $metri m" "$t" "$m" \
    "$(echo "scale=2; $t / $t_base" | bc)" "$(echo "scale=2; $m / $m_base" | bc)"
done
