#!/usr/bin/env bash
# Time and peak memory of compila_scenario on hostile description files,
# made from the starting scenario (--esempio):
#  - a train file of unknown keys, 10 MB and 100 MB;
#  - a line file of one gradient record repeated, 100 MB;
#  - 50 MB of commas on one line, in the line file and in the train file;
#  - 500 KB of commas on one line of the train file.
# For each: the input's size, the seconds, the peak resident memory (from
# /usr/bin/time -v), the bytes on standard error, and whether the peak stays
# within twice the input plus 16 MiB. A run is cut at LIMITE seconds.
#
# Usage, from anywhere: bench/limiti_ostili.sh [BUILD_DIR] [LIMITE]
# (default: the build folder beside this script, 600 s).
set -eu  # no pipefail: yes and head end on a closed pipe by design
radice=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$radice/build}
limite=${2:-600}
compila="$build/compila_scenario"
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
"$compila" --esempio "$lavoro/esempio" >/dev/null
linea_base="$lavoro/esempio/Orsella_Drumvane_linea.txt"
treno_base="$lavoro/esempio/Orsella_Drumvane_xr40318-.txt"
mb=$((1024 * 1024))

# A folder with the starting scenario's two files, one replaced by stdin.
prepara() {  # NAME FILE(linea|treno)
  local cartella="$lavoro/$1"
  mkdir -p "$cartella"
  cp "$linea_base" "$treno_base" "$cartella/"
  if [ "$2" = linea ]; then cat >"$cartella/Orsella_Drumvane_linea.txt"; else cat >"$cartella/Orsella_Drumvane_xr40318-.txt"; fi
}

virgole() { head -c "$1" /dev/zero | tr '\0' ','; echo; }

{ echo "[generale]"; yes "chiave ignota" | head -n $((10 * mb / 14)); tail -n +2 "$treno_base"; } | prepara chiavi_10mb treno
{ echo "[generale]"; yes "chiave ignota" | head -n $((100 * mb / 14)); tail -n +2 "$treno_base"; } | prepara chiavi_100mb treno
riga=$(grep -n '^pendenza' "$linea_base" | head -n 1 | cut -d: -f1)
{ head -n "$riga" "$linea_base"; yes "pendenza,  700 , 13" | head -n $((100 * mb / 20)); tail -n +"$((riga + 1))" "$linea_base"; } |
  prepara pendenze_100mb linea
{ head -n 1 "$linea_base"; virgole $((50 * mb)); tail -n +2 "$linea_base"; } | prepara virgole_linea_50mb linea
{ head -n 1 "$treno_base"; virgole $((50 * mb)); tail -n +2 "$treno_base"; } | prepara virgole_treno_50mb treno
{ head -n 1 "$treno_base"; virgole $((500 * 1024)); tail -n +2 "$treno_base"; } | prepara virgole_treno_500kb treno

printf '%-22s %10s %9s %11s %13s %s\n' caso ingresso secondi picco_MiB stderr_byte "entro 2x+16MiB"
for caso in chiavi_10mb chiavi_100mb pendenze_100mb virgole_linea_50mb virgole_treno_50mb virgole_treno_500kb; do
  cartella="$lavoro/$caso"
  ingresso=$(cat "$cartella"/*.txt | wc -c)
  inizio=$(date +%s.%N)
  stato=0
  timeout "$limite" /usr/bin/time -v -o "$lavoro/tempo" "$compila" --uscita "$lavoro/uscita" "$cartella" Orsella_Drumvane xr40318 \
    >/dev/null 2>"$lavoro/stderr" || stato=$?
  fine=$(date +%s.%N)
  picco=$(awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}' "$lavoro/tempo" 2>/dev/null || echo 0)
  picco_mib=$(((${picco:-0} + 1023) / 1024))
  soglia=$(((2 * ingresso + 16 * mb) / mb))
  esito=$([ "$picco_mib" -le "$soglia" ] && echo si || echo "NO (soglia $soglia MiB)")
  [ "$stato" -eq 124 ] && esito="interrotto dopo $limite s"
  printf '%-22s %10d %9.2f %11d %13d %s\n' "$caso" "$ingresso" "$(echo "$fine - $inizio" | bc)" "$picco_mib" \
    "$(wc -c <"$lavoro/stderr")" "$esito"
  rm -rf "$lavoro/uscita"
done
