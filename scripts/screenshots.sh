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

# The same first start on a 1920 x 1080 screen with "Fill the screen" stored as on: a game of the
# real program, the play area at 1.8 times its size.
rm -rf "$scratch/config" && mkdir -p "$scratch/config/tessalo2-registry/SOFTWARE/OVK"
# The store's own format: magic, one value, a DWORD named FillScreen holding 1.
printf 'TSREG\0\0\001\001\0\0\0\004\012FillScreen\004\001\0\0\0' \
    >"$scratch/config/tessalo2-registry/SOFTWARE/OVK/Tessalo2.reg"
XDG_CONFIG_HOME="$scratch/config" xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash -c '
    source scripts/program_driver.sh
    "$1/tessalo2" &
    pid=$!
    poll 15 has_window "^Tessalo 2\$" && sleep 0.5 &&
        click_in "$(visible_window "^Tessalo 2\$")" "$GAME_BUTTON" &&
        poll 20 has_window "^Tessalo Game\$" && sleep 2.5 && import -window root "$2/fill-screen.png"
    kill $pid
' _ "$scratch/program" "$out"
echo "Saved $out/fill-screen.png"
