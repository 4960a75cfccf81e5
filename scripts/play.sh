#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (as root), builds an optimised tessalo2 with the shipped
# layouts and picture sets, and starts it from its program folder. Without a display it plays a
# short round on a virtual X server instead and saves screenshots of it.
# Usage: bash scripts/play.sh            (build folder: build-play, or $TESSALO_PLAY_BUILD_DIR)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TESSALO_PLAY_BUILD_DIR:-build-play}

bash scripts/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALO_TESTS=OFF \
    -DTESSALO_BENCH=OFF >/dev/null
cmake --build "$build" --target program_folder
program="$PWD/$build/program"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program/tessalo2"
fi

out="$PWD/$build/screenshots"
mkdir -p "$out"
echo "No display: DISPLAY and WAYLAND_DISPLAY are unset. Starting tessalo2 on a virtual X server"
echo "(xvfb-run), opening a game with a click on Game and saving screenshots."
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash scripts/program_shots.sh "$program" "$out"
echo "Saved $out/main-dialog.png (the main dialog)"
echo "Saved $out/game.png (a game in progress)"
