#!/usr/bin/env bash
# Runs inside an X server (xvfb-run): starts tessalo2 from its program folder, saves the main
# dialog, opens a game with a click on Game, selects a tile, saves the game, then leaves with Exit
# and Quit so the program writes its settings as after any game.
# Usage: bash scripts/program_shots.sh PROGRAM-FOLDER OUTPUT-FOLDER
set -euo pipefail
source "$(dirname "$0")/program_driver.sh"
program=$1
out=$2

"$program/tessalo2" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
stop() {
    echo "tessalo2: $*" >&2
    exit 1
}

poll 15 has_window '^Tessalo 2$' || stop "the main dialog did not open"
sleep 0.5 # let the first paint settle
import -window root -crop "$(xdotool getwindowgeometry --shell "$(visible_window '^Tessalo 2$')" |
    awk -F= '/WIDTH/ {w=$2} /HEIGHT/ {h=$2} /^X/ {x=$2} /^Y/ {y=$2} END {print w "x" h "+" x "+" y}')" \
    "$out/main-dialog.png"

click_in "$(visible_window '^Tessalo 2$')" "$GAME_BUTTON"
poll 20 has_window '^Tessalo Game$' || stop "Game did not open the game window"
# On the turtle, the first layout, the top tile is selected; another layout chosen in an earlier
# run is only shown.
if poll 10 bright "$TOP_TILE_FACE"; then
    click_at "$TOP_TILE"
    poll 5 dark "$TOP_TILE_FACE" || true
fi
sleep 2 # the clock shows that the game runs
import -window root "$out/game.png"

click_at "$EXIT_BUTTON"
poll 10 has_window '^Tessalo 2$' || stop "Exit did not bring back the main dialog"
click_in "$(visible_window '^Tessalo 2$')" "$QUIT_BUTTON"
poll 10 bash -c "! kill -0 $pid 2>/dev/null" || stop "Quit did not end the program"
trap - EXIT
