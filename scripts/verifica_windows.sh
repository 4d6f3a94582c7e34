#!/usr/bin/env bash
# Checks the Windows build under Wine in a virtual X display: the generator
# must leave the same six files, byte for byte, as the Linux build; then the
# window and the message box of a failed final check are saved as pictures,
# docs/finestra_windows.png and docs/messaggio_windows.png.
#
#   scripts/verifica_windows.sh [LINUX_BUILD [WINDOWS_BUILD]]   (build, build-win)
#
# Needs g++-mingw-w64-x86-64, wine64 (or wine), xvfb and imagemagick from the
# system packages. Exits 0 when the files match.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/schermo_virtuale.sh
linux=${1:-build}
windows=${2:-build-win}

wine=$(command -v wine || command -v wine64 || true)
for comando in x86_64-w64-mingw32-g++ Xvfb import "$wine"; do
  if [ -z "$comando" ] || ! command -v "$comando" >/dev/null; then
    echo "manca ${comando:-wine}: apt-get install g++-mingw-w64-x86-64 wine64 xvfb imagemagick" >&2
    exit 2
  fi
done

echo "== build per Linux ($linux) e per Windows ($windows)"
cmake -S . -B "$linux" >/dev/null
cmake --build "$linux" -j2 --target orsella_drumvane
cmake -S . -B "$windows" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DOD_TESTS=OFF >/dev/null
cmake --build "$windows" -j2 --target orsella_drumvane finestra_prova

lavoro=$(mktemp -d)
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

echo "== i sei file, Linux contro Windows"
mkdir "$lavoro/linux" "$lavoro/windows"
cp "$linux/orsella_drumvane" "$lavoro/linux/"
cp "$windows/orsella_drumvane.exe" "$lavoro/windows/"
env -u DISPLAY "$lavoro/linux/orsella_drumvane" 2>/dev/null
stato=0
"$wine" "$lavoro/windows/orsella_drumvane.exe" || stato=$?
[ "$stato" -eq 0 ] || { echo "il generatore per Windows esce con $stato" >&2; exit 1; }
elenco_linux=$(cd "$lavoro/linux" && ls | grep -v '^orsella_drumvane')
elenco_windows=$(cd "$lavoro/windows" && ls | grep -v '^orsella_drumvane')
if [ "$elenco_linux" != "$elenco_windows" ] || [ "$(echo "$elenco_linux" | wc -l)" -ne 6 ]; then
  echo "file diversi:" >&2
  diff <(echo "$elenco_linux") <(echo "$elenco_windows") >&2 || true
  exit 1
fi
for nome in $elenco_linux; do
  cmp "$lavoro/linux/$nome" "$lavoro/windows/$nome"
  echo "uguale: $nome"
done

echo "== un file che non si puo' sostituire: stato 2, il nome nel messaggio, nient'altro toccato"
prima=$(md5sum "$lavoro/windows/Orsella_Drumvane_xr40318.dat")
rm "$lavoro/windows/Orsella_Drumvane_xr40318.sim"
mkdir "$lavoro/windows/Orsella_Drumvane_xr40318.sim"
stato=0
"$wine" "$lavoro/windows/orsella_drumvane.exe" 2>"$lavoro/errori_windows" || stato=$?
cat "$lavoro/errori_windows"
[ "$stato" -eq 2 ] || { echo "stato $stato invece di 2" >&2; exit 1; }
grep -q 'Orsella_Drumvane_xr40318\.sim: ' "$lavoro/errori_windows"
[ "$(md5sum "$lavoro/windows/Orsella_Drumvane_xr40318.dat")" = "$prima" ]
if ls "$lavoro/windows" | grep -q '\.tmp-'; then echo "file temporaneo rimasto" >&2; exit 1; fi
rmdir "$lavoro/windows/Orsella_Drumvane_xr40318.sim"

echo "== la finestra e il messaggio"
cp "$windows/finestra_prova.exe" "$lavoro/windows/"
fotografa_prova "$lavoro" docs/finestra_windows.png docs/messaggio_windows.png \
  "$wine" "$lavoro/windows/finestra_prova.exe"
echo "salvate: docs/finestra_windows.png docs/messaggio_windows.png"
