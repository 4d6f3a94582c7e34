#!/usr/bin/env bash
# Times whole processes against copying the files they leave, and prints the
# ratios:
#  - the generation run against cp of its six output files;
#  - compila_scenario on generated lines of 100000, 300000 and 1000000 m with
#    curves along all of them, against cp of its three files.
# Each pair is timed by od_cronometro (bench/cronometro.cpp): both commands
# started directly, no shell in between, alternating A B A B, medians. cp
# writes over the copies of the previous round, as the programs replace
# theirs. Peak memory comes from /usr/bin/time -v, and the instruction count
# from valgrind's callgrind, which stays the same on a busy machine: quote it
# beside the times.
#
# Usage, from anywhere: bench/confronta_processi.sh [COPPIE]   (default 21)
# OD_ESEGUIBILI=DIR takes orsella_drumvane and compila_scenario from DIR
# instead, to measure another build with the same harness.
set -euo pipefail
coppie=${1:-21}
radice=$(cd "$(dirname "$0")/.." && pwd)
build="$radice/build-release"
cmake -S "$radice" -B "$build" -DCMAKE_BUILD_TYPE=Release -DOD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target orsella_drumvane compila_scenario od_cronometro >/dev/null
eseguibili=${OD_ESEGUIBILI:-$build}
cronometro="$build/od_cronometro"
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
unset DISPLAY  # the generator's window is not what is measured

# Peak resident memory in KiB of one run of the command.
picco_kib() {
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}'
}

# Instructions that the command executes, all of them, start-up included.
istruzioni() {
  valgrind --tool=callgrind --callgrind-out-file="$lavoro/callgrind.out" "$@" 2>&1 >/dev/null |
    awk '/Collected/ {print $NF}'
}

printf '%-28s %9s %9s %7s %10s %10s %13s\n' "" "ms" "cp ms" "x cp" "picco KiB" "cp KiB" "istruzioni"

# Prints one line: the run, cp of the given files, their ratio, peaks and
# instructions. Arguments: label, number of output files, the files, the command.
confronta() {
  local nome=$1 n=$2
  shift 2
  local file=("${@:1:n}")
  shift "$n"
  local copia="$lavoro/copia"
  rm -rf "$copia" && mkdir "$copia"
  local tempi
  tempi=$("$cronometro" "$coppie" -- "$@" -- /bin/cp "${file[@]}" "$copia/")
  read -r t_run t_cp rapporto <<<"$tempi"
  printf '%-28s %9s %9s %7s %10s %10s %13s\n' "$nome" "$t_run" "$t_cp" "$rapporto" "$(picco_kib "$@")" \
    "$(picco_kib /bin/cp "${file[@]}" "$copia/")" "$(istruzioni "$@")"
}

# The generation run writes beside the program, so it runs from a copy.
mkdir -p "$lavoro/gen"
cp "$eseguibili/orsella_drumvane" "$lavoro/gen/"
"$lavoro/gen/orsella_drumvane" 2>/dev/null
mkdir -p "$lavoro/sei"
cp "$lavoro"/gen/Orsella_Drumvane_* "$lavoro/sei/"
sei=("$lavoro"/sei/*)
confronta "generazione (6 file)" "${#sei[@]}" "${sei[@]}" "$lavoro/gen/orsella_drumvane"

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
  }' >"$cartella/L_linea.txt"
  printf '[generale]\r\n[vel_limite]\r\nvelocita, 0, 80\r\n[fine]\r\n' >"$cartella/L_t-.txt"
}

# Time should grow linearly with the length, and memory beyond the cells
# (15 bytes per 50 m) not at all.
for metri in 100000 300000 1000000; do
  cartella="$lavoro/l$metri"
  genera_linea "$metri" "$cartella"
  "$eseguibili/compila_scenario" "$cartella" L t >/dev/null
  confronta "compila_scenario $metri m" 3 "$cartella/L_linea.dat" "$cartella/L_t.sim" "$cartella/L_t.dat" \
    "$eseguibili/compila_scenario" "$cartella" L t
done
