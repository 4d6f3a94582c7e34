#!/usr/bin/env bash
# Checks the Windows build under Wine in a virtual X display, every program
# in a folder whose name holds a letter outside the ANSI code page ("Δ"), so
# that a path passed through the legacy code page would be lost:
#  - the generator leaves the same six files, byte for byte, as the Linux build;
#  - compila_scenario writes the carried scenario's description files and
#    builds from them the same three binary files; mostra_scenario reads them
#    back; decompila_scenario rewrites the two description files from them;
#  - a file that cannot be replaced gives status 2, and the message box names
#    the file and the reason (its text read from Wine's trace of the box); OK
#    is pressed with xdotool, and nothing else is touched;
#  - pictures of the window, of the message box of a failed final check and
#    of the file-error box.
# The pictures go to a temporary folder, named at the end; with --docs they
# replace docs/finestra_windows.png and docs/messaggio_windows.png, and
# docs/errore_file_windows.png is written beside them.
#
#   scripts/verifica_windows.sh [--docs] [LINUX_BUILD [WINDOWS_BUILD]]   (build, build-win)
#
# Needs g++-mingw-w64-x86-64, wine64 (or wine), xvfb, imagemagick and xdotool
# from the system packages. Exits 0 when every check passes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/schermo_virtuale.sh
in_docs=false
if [ "${1:-}" = "--docs" ]; then
  in_docs=true
  shift
fi
linux=${1:-build}
windows=${2:-build-win}
# Wine reads the command line in the Unix locale: UTF-8, or "Δ" is lost
# before the program sees it.
export LC_ALL=C.UTF-8

wine=$(command -v wine || command -v wine64 || true)
for comando in x86_64-w64-mingw32-g++ Xvfb import xdotool "$wine"; do
  if [ -z "$comando" ] || ! command -v "$comando" >/dev/null; then
    echo "manca ${comando:-wine}: apt-get install g++-mingw-w64-x86-64 wine64 xvfb imagemagick xdotool" >&2
    exit 2
  fi
done

echo "== build per Linux ($linux) e per Windows ($windows)"
cmake -S . -B "$linux" >/dev/null
cmake --build "$linux" -j2 --target orsella_drumvane
cmake -S . -B "$windows" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DOD_TESTS=OFF >/dev/null
cmake --build "$windows" -j2 --target orsella_drumvane finestra_prova compila_scenario mostra_scenario \
  decompila_scenario

lavoro=$(mktemp -d)
if $in_docs; then immagini=docs; else immagini=$(mktemp -d -t verifica_windows.XXXXXX); fi
export WINEPREFIX="$lavoro/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fine() {
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
  ferma_schermo || true
  rm -rf "$lavoro"
}
trap fine EXIT

echo "== Wine in uno schermo virtuale"
avvia_schermo 640x400 "$lavoro"
"$wine" wineboot -i >/dev/null 2>&1
# A virtual desktop: Wine draws the frames and titles itself, as Windows does.
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 640x400 /f >/dev/null 2>&1
wineserver -w

cartella="$lavoro/cartella_Δ"
echo "== i sei file, Linux contro Windows, in $(basename "$cartella")"
mkdir -p "$cartella/linux" "$cartella/windows"
cp "$linux/orsella_drumvane" "$cartella/linux/"
cp "$windows/orsella_drumvane.exe" "$cartella/windows/"
env -u DISPLAY "$cartella/linux/orsella_drumvane" 2>/dev/null
stato=0
"$wine" "$cartella/windows/orsella_drumvane.exe" || stato=$?
[ "$stato" -eq 0 ] || { echo "il generatore per Windows esce con $stato" >&2; exit 1; }
elenco_linux=$(cd "$cartella/linux" && ls | grep -v '^orsella_drumvane')
elenco_windows=$(cd "$cartella/windows" && ls | grep -v '^orsella_drumvane')
if [ "$elenco_linux" != "$elenco_windows" ] || [ "$(echo "$elenco_linux" | wc -l)" -ne 6 ]; then
  echo "file diversi:" >&2
  diff <(echo "$elenco_linux") <(echo "$elenco_windows") >&2 || true
  exit 1
fi
for nome in $elenco_linux; do
  cmp "$cartella/linux/$nome" "$cartella/windows/$nome"
  echo "uguale: $nome"
done

# Runs a tool of the Windows build from the same folder; its folder
# arguments are Windows paths.
strumento() {  # NAME ARG...
  local nome=$1 stato=0
  shift
  "$wine" "$cartella/strumenti/$nome.exe" "$@" || stato=$?
  [ "$stato" -eq 0 ] || { echo "$nome esce con $stato" >&2; exit 1; }
}
w() { winepath -w "$1" 2>/dev/null; }

echo "== gli strumenti per autori in $(basename "$cartella")"
mkdir "$cartella/strumenti"
cp "$windows"/{compila_scenario,mostra_scenario,decompila_scenario}.exe "$cartella/strumenti/"
strumento compila_scenario --esempio "$(w "$cartella/testi")" >/dev/null
strumento compila_scenario --uscita "$(w "$cartella/binari")" "$(w "$cartella/testi")" Orsella_Drumvane xr40318 \
  >/dev/null
for nome in Orsella_Drumvane_linea.dat Orsella_Drumvane_xr40318.sim Orsella_Drumvane_xr40318.dat; do
  cmp "$cartella/linux/$nome" "$cartella/binari/$nome"
  echo "compila_scenario, uguale al generatore: $nome"
done
strumento mostra_scenario "$(w "$cartella/binari")" Orsella_Drumvane xr40318 >"$lavoro/mostra"
[ -s "$lavoro/mostra" ] || { echo "mostra_scenario non scrive nulla" >&2; exit 1; }
echo "mostra_scenario: $(wc -l <"$lavoro/mostra") righe"
strumento decompila_scenario --uscita "$(w "$cartella/rifatti")" "$(w "$cartella/binari")" Orsella_Drumvane xr40318 \
  >/dev/null
for nome in Orsella_Drumvane_linea.txt Orsella_Drumvane_xr40318-.txt; do
  [ -s "$cartella/rifatti/$nome" ] || { echo "decompila_scenario non scrive $nome" >&2; exit 1; }
  echo "decompila_scenario: $nome"
done

# The text of the last message box that Wine's trace shows, decoded:
# non-ASCII characters come as \XXXX, a backslash as \\.
testo_messaggio() {  # TRACE_FILE
  local riga
  riga=$(grep -a 'MSGBOX_OnInit' "$1" | tail -n1 | sed 's/^[^"]*L"//; s/"[^"]*$//')
  riga=$(printf '%s' "$riga" | sed 's/\\\\/\x01/g; s/\\\([0-9a-f]\{4\}\)/\\u\1/g; s/\x01/\\\\/g')
  printf '%b' "$riga"
}

echo "== un file che non si puo' sostituire: stato 2, il file e il motivo nel messaggio, OK, nient'altro toccato"
prima=$(md5sum "$cartella/windows/Orsella_Drumvane_xr40318.dat")
rm "$cartella/windows/Orsella_Drumvane_xr40318.sim"
mkdir "$cartella/windows/Orsella_Drumvane_xr40318.sim"
WINEDEBUG=-all,trace+msgbox "$wine" "$cartella/windows/orsella_drumvane.exe" 2>"$lavoro/errori_windows" &
generatore_pid=$!
attesa=0
until grep -aq 'MSGBOX_OnInit' "$lavoro/errori_windows" 2>/dev/null; do
  attesa=$((attesa + 1))
  [ "$attesa" -le 300 ] || { echo "nessun messaggio in 30 s" >&2; exit 1; }
  sleep 0.1
done
sleep 2  # the box is drawn after it is set up
import -window root "$immagini/errore_file_windows.png"
desktop=$(xdotool search --onlyvisible --name 'Wine desktop' | head -n1)
timeout 10 xdotool windowfocus --sync "$desktop" key Return
stato=0
wait "$generatore_pid" || stato=$?
riga=$(grep -a '^orsella_drumvane: ' "$lavoro/errori_windows" | tr -d '\r')
echo "$riga"
messaggio=$(testo_messaggio "$lavoro/errori_windows")
echo "nel messaggio: $messaggio"
[ "$stato" -eq 2 ] || { echo "stato $stato invece di 2" >&2; exit 1; }
[ "$messaggio" = "${riga#orsella_drumvane: }" ] || { echo "il messaggio non dice cio' che dice la riga" >&2; exit 1; }
case "$messaggio" in
  *'cartella_Δ\windows\Orsella_Drumvane_xr40318.sim: '?*) ;;
  *) echo "il messaggio non nomina il file e il motivo" >&2; exit 1 ;;
esac
[ "$(md5sum "$cartella/windows/Orsella_Drumvane_xr40318.dat")" = "$prima" ]
if ls "$cartella/windows" | grep -q '\.tmp-'; then echo "file temporaneo rimasto" >&2; exit 1; fi
rmdir "$cartella/windows/Orsella_Drumvane_xr40318.sim"

echo "== la finestra e il messaggio"
cp "$windows/finestra_prova.exe" "$cartella/windows/"
fotografa_prova "$lavoro" "$immagini/finestra_windows.png" "$immagini/messaggio_windows.png" \
  "$wine" "$cartella/windows/finestra_prova.exe"
echo "salvate in $immagini: finestra_windows.png messaggio_windows.png errore_file_windows.png"
