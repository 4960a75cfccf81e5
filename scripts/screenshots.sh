#!/usr/bin/env bash
# Takes the README's screenshots from the real windows under a virtual X server, so anyone can
# make them again: the main dialog of a first start, and a game in progress with the shipped
# Classic set on the shipped Turtle.
# Usage: bash scripts/screenshots.sh [OUTPUT-FOLDER]   (default docs/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshots}
build=${TESSALO_BUILD_DIR:-build}

bash scripts/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tessalo-preview program_folder >/dev/null
mkdir -p "$out"
out=$(cd "$out" && pwd)
program="$PWD/$build/program"

# The main dialog as a first start shows it: a fresh copy of the program folder and a
# configuration folder of its own, so nothing of an earlier run shows.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/program" "$scratch/config" "$scratch/shots"
cp "$program/tessalo2" "$program/ts220.tsl" "$program"/*.tsp "$scratch/program/"
cp data/ts220.cfg "$scratch/program/"
XDG_CONFIG_HOME="$scratch/config" xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
    bash scripts/program_shots.sh "$scratch/program" "$scratch/shots"
cp "$scratch/shots/main-dialog.png" "$out/main-dialog.png"
echo "Saved $out/main-dialog.png"

# One X server for the game: the preview deals a fixed game, takes away some pairs, selects a
# tile and stays on screen while ImageMagick grabs the root window.
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c '
    "$1/tessalo-preview" "$1/classic.tsp" "$1/ts220.tsl" 0 --pairs 30 --select --quit-after 8 &
    sleep 4
    import -window root "$2/game.png"
    wait
' _ "$program" "$out"
echo "Saved $out/game.png"
