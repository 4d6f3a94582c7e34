#!/usr/bin/env bash
# The generation run against its durable floor and against cp. The floor
# (bench/pavimento_durevole.cpp) writes the run's own six files, each to a
# temporary, synced and renamed, then syncs the folder once: what the run
# cannot do with less and keep its guarantee. cp copies the same files with
# no sync at all. Each pair is timed by od_cronometro (bench/cronometro.cpp):
# both commands started directly, no shell in between, alternating A B A B,
# medians. Beside the times: the run's fsync and folder scans (getdents64)
# counted by strace, and its instructions counted by callgrind, which stay
# the same on a busy machine.
#
# Usage, from anywhere: bench/generazione_pavimento.sh [COPPIE [GENERATORE]]
#   COPPIE       pairs per comparison (default 21)
#   GENERATORE   the orsella_drumvane to measure (default: this tree's Release
#                build), so that another build is measured by the same harness
set -euo pipefail
coppie=${1:-21}
radice=$(cd "$(dirname "$0")/.." && pwd)
build="$radice/build-release"
cmake -S "$radice" -B "$build" -DCMAKE_BUILD_TYPE=Release -DOD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target orsella_drumvane od_cronometro od_pavimento >/dev/null
generatore=${2:-$build/orsella_drumvane}
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
unset DISPLAY  # the generator's window is not what is measured

# The run writes beside the program, so it runs from a copy; its six files,
# copied aside, are what the floor and cp write.
mkdir -p "$lavoro/gen" "$lavoro/sei" "$lavoro/pavimento" "$lavoro/copia"
cp "$generatore" "$lavoro/gen/orsella_drumvane"
run="$lavoro/gen/orsella_drumvane"
"$run" 2>/dev/null
cp "$lavoro"/gen/Orsella_Drumvane_* "$lavoro/sei/"
sei=("$lavoro"/sei/*)

chiamate() {  # SYSCALL: how many times one run makes it
  strace -f -c -e trace=fsync,getdents64 -o "$lavoro/strace" "$run" 2>/dev/null
  awk -v nome="$1" '$NF == nome {print $4}' "$lavoro/strace"
}
istruzioni() {
  valgrind --tool=callgrind --callgrind-out-file="$lavoro/callgrind.out" "$@" 2>&1 >/dev/null |
    awk '/Collected/ {print $NF}'
}

read -r t_run t_pav r_pav <<<"$("$build/od_cronometro" "$coppie" -- "$run" -- \
  "$build/od_pavimento" "$lavoro/pavimento" "${sei[@]}")"
read -r t_run2 t_cp r_cp <<<"$("$build/od_cronometro" "$coppie" -- "$run" -- /bin/cp "${sei[@]}" "$lavoro/copia/")"
echo "generazione: $generatore ($coppie coppie A B alternate per confronto, mediane)"
printf '  contro il pavimento durevole: %8s ms contro %8s ms  = %sx\n' "$t_run" "$t_pav" "$r_pav"
printf '  contro cp dei sei file:       %8s ms contro %8s ms  = %sx\n' "$t_run2" "$t_cp" "$r_cp"
printf '  fsync %s, getdents64 %s (strace -f -c)\n' "$(chiamate fsync)" "$(chiamate getdents64)"
printf '  istruzioni (callgrind): generazione %s, pavimento %s, cp %s\n' "$(istruzioni "$run")" \
  "$(istruzioni "$build/od_pavimento" "$lavoro/pavimento" "${sei[@]}")" "$(istruzioni /bin/cp "${sei[@]}" "$lavoro/copia/")"
