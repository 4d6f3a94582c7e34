#!/usr/bin/env bash
# Saves pictures of the window and of the message box of a failed final
# check as X11 shows them, in a virtual display without a window manager:
# docs/finestra_x11.png and docs/messaggio_x11.png.
#
#   scripts/schermate_x11.sh [BUILD]   (build)
#
# Needs libx11-dev, xvfb and imagemagick from the system packages.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/schermo_virtuale.sh
build=${1:-build}

for comando in Xvfb import; do
  command -v "$comando" >/dev/null || { echo "manca $comando: apt-get install xvfb imagemagick" >&2; exit 2; }
done
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j2 --target finestra_prova

lavoro=$(mktemp -d)
fine() {
  [ -n "${prova_pid:-}" ] && kill "$prova_pid" 2>/dev/null || true
  ferma_schermo || true
  rm -rf "$lavoro"
}
trap fine EXIT

avvia_schermo 800x480 "$lavoro"
fotografa_prova "$lavoro" docs/finestra_x11.png docs/messaggio_x11.png "$build/finestra_prova"
echo "salvate: docs/finestra_x11.png docs/messaggio_x11.png"
