#!/usr/bin/env bash
# Decompiling against building: on a 1000000 m line with curves along all of
# it and its plan, times decompila_scenario (read the three binary files,
# write both texts, rebuild them in memory and compare every byte) against
# compila_scenario building the same files from the same texts. Both run as
# whole processes, started directly, alternating A B A B; prints the medians,
# the ratio (at most 1.5 is the target) and the peak memory of each. Then the
# instructions of each under valgrind's callgrind, which a busy machine does
# not change: reading the files back and the proving rebuild are about twice
# a build, so the target is at most 2.5 times compila_scenario's instructions
# and at most 8 MiB of peak memory; the script fails when either is missed.
# Usage: bench/decompila_processi.sh [PAIRS]   (run from the project root)
set -euo pipefail
coppie=${1:-21}
radice=$(cd "$(dirname "$0")/.." && pwd)
build="$radice/build-release"
cmake -S "$radice" -B "$build" -DCMAKE_BUILD_TYPE=Release -DOD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target compila_scenario decompila_scenario >/dev/null
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

mkdir -p "$lavoro/testi" "$lavoro/binari" "$lavoro/rifatti"
awk -v metri=1000000 'BEGIN {
  printf "[generale]\r\nlunghezza percorso, %d\r\n[curve]\r\n", metri
  for (inizio = 800; inizio + 900 < metri; inizio += 1000)
    printf "curva%s%d, %d, 900\r\n", (inizio % 2000 ? "d" : "s"), 4 + inizio % 3, inizio
  printf "[pendenze]\r\n"
  for (p = 0; p < metri; p += 5000) printf "pendenza, %d, %d\r\n", p, (p / 5000) % 30 - 15
  printf "[fine]\r\n"
}' > "$lavoro/testi/L_linea.txt"
printf '[generale]\r\nnumero vetture, 4\r\n[vel_limite]\r\nvelocita, 0, 80\r\n[aderenze]\r\naderenza, 0, 90\r\n[fine]\r\n' \
  > "$lavoro/testi/L_t-.txt"
"$build/compila_scenario" --uscita "$lavoro/binari" "$lavoro/testi" L t >/dev/null

python3 - "$coppie" "$build" "$lavoro" <<'PY'
import statistics, subprocess, sys, time
coppie, build, lavoro = int(sys.argv[1]), sys.argv[2], sys.argv[3]
a = [f"{build}/compila_scenario", "--uscita", f"{lavoro}/rifatti", f"{lavoro}/testi", "L", "t"]
b = [f"{build}/decompila_scenario", "--sovrascrivi", "--uscita", f"{lavoro}/rifatti", f"{lavoro}/binari", "L", "t"]
def tempo(comando):
    inizio = time.perf_counter()
    esito = subprocess.run(comando, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    fine = time.perf_counter()
    if esito.returncode != 0: sys.exit(f"{comando[0]}: stato {esito.returncode}")
    return (fine - inizio) * 1000
ta, tb = [], []
for _ in range(coppie):
    ta.append(tempo(a))
    tb.append(tempo(b))
def picco(comando):
    r = subprocess.run(["/usr/bin/time", "-v"] + comando, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return next(l.split(":")[1].strip() for l in r.stderr.splitlines() if "Maximum resident" in l)
ma, mb = statistics.median(ta), statistics.median(tb)
print(f"compila_scenario   1000000 m con planimetria: mediana {ma:8.1f} ms  picco {picco(a)} KiB")
print(f"decompila_scenario 1000000 m con planimetria: mediana {mb:8.1f} ms  picco {picco(b)} KiB")
print(f"rapporto decompila / compila: {mb / ma:.2f} ({coppie} coppie A B alternate)")
def istruzioni(comando):
    r = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={lavoro}/callgrind.out"] + comando,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return int(next(l.split()[-1] for l in r.stderr.splitlines() if "Collected" in l))
ia, ib = istruzioni(a), istruzioni(b)
rapporto = ib / ia
print(f"istruzioni: compila {ia}, decompila {ib}, rapporto {rapporto:.2f} (obiettivo al piu' 2.5)")
if rapporto > 2.5 or int(picco(b)) > 8 * 1024:
    sys.exit("decompila_scenario oltre l'obiettivo: 2.5 volte le istruzioni di compila_scenario, 8 MiB di picco")
PY
