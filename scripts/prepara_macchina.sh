#!/usr/bin/env bash
# Installs, from the system packages, what the README's two commands need and
# a new machine lacks: the compiler and CMake, GoogleTest, the three libraries
# of the authors' tools, X11 for the generator's window, and for the tests
# the SVG renderer (rsvg-convert) that checks the pictures and the virtual X
# server (Xvfb) that shows the window, and Neovim, the editor whose client
# talks to the language server in its test. Further packages may be named as
# arguments. Does nothing when everything is there; needs root (or sudo)
# only when it installs.
set -euo pipefail
pacchetti=(cmake g++ make libgtest-dev libcli11-dev nlohmann-json3-dev libfmt-dev libx11-dev librsvg2-bin xvfb neovim "$@")
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || mancanti+=("$p")
done
[ ${#mancanti[@]} -eq 0 ] && exit 0
echo "installing: ${mancanti[*]}" >&2
come_root=()
[ "$(id -u)" -eq 0 ] || come_root=(sudo)
"${come_root[@]}" apt-get update -qq
"${come_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${mancanti[@]}" >/dev/null
