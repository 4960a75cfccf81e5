#!/usr/bin/env bash
# The real program on a virtual X server, driven with xdotool as a player would: a game opened
# from the main dialog, a tile selected and put back, Exit, Quit; and the command-line requests.
# Usage: xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash program_e2e.sh PROGRAM-FOLDER
set -euo pipefail

built=$(cd "$1" && pwd)
for tool in xdotool import cmp od; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
[ -n "${DISPLAY:-}" ] || { echo "SKIP: no X display (run under xvfb-run)"; exit 77; }

source "$(dirname "$0")/../../scripts/program_driver.sh"

source "$(dirname "$0")/program_copy.sh"

hex_of() { od -An -v -tx1 "$1" | tr -d ' \n'; }

start() {
    "$program/tessalo2" "$@" &
    pid=$!
}

# Waits for the program to end and checks that it ended in order.
expect_end() {
    poll 10 ended || fail "the program did not end"
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# A message box is captioned with the program's name; Return presses its OK.
answer_box() {
    poll 10 has_window '^tessalo2$' || fail "no box for $1"
    no_window '^Tessalo 2$' || fail "the main dialog opened for $1"
    local box
    box=$(visible_window '^tessalo2$')
    xdotool windowfocus --sync "$box"
    xdotool key Return
}

# --- A game from the main dialog ---------------------------------------------------------------
start
poll 15 has_window '^Tessalo 2$' || fail "the main dialog did not open"
click_in "$(visible_window '^Tessalo 2$')" "$GAME_BUTTON"
poll 20 has_window '^Tessalo Game$' || fail "Game did not open the game window"
poll 5 no_window '^Tessalo 2$' || fail "the main dialog stayed on screen during the game"

poll 10 bright "$TOP_TILE_FACE" || fail "the top tile was not dealt"
click_at "$TOP_TILE"
poll 5 dark "$TOP_TILE_FACE" || fail "a click did not select the top tile"
click_at "$TOP_TILE"
poll 5 bright "$TOP_TILE_FACE" || fail "a second click did not put the top tile back"
click_at "$EXIT_BUTTON"
poll 10 has_window '^Tessalo 2$' || fail "Exit did not bring back the main dialog"
poll 5 no_window '^Tessalo Game$' || fail "the game window stayed after Exit"
click_in "$(visible_window '^Tessalo 2$')" "$QUIT_BUTTON"
expect_end

store="$XDG_CONFIG_HOME/tessalo2-registry/SOFTWARE/OVK/Tessalo2.reg"
[ -f "$store" ] || fail "no registry store at $store"
hex=$(hex_of "$store")
# "Layout" and "Pictures" as 4-byte numbers, both 0: the first layout and the first set.
[[ $hex == *064c61796f75740400000000* ]] || fail "no Layout 0 in the store"
[[ $hex == *0850696374757265730400000000* ]] || fail "no Pictures 0 in the store"
# The first start found both shipped sets and the exit listed them.
grep -q classic.tsp "$program/ts220.cfg" && grep -q clear_view.tsp "$program/ts220.cfg" ||
    fail "ts220.cfg does not list the shipped sets"
echo "ok: a game opened, a tile selected and put back, Exit, Quit; settings written"

# --- The command line ---------------------------------------------------------------------------
for argument in '/?' '-?'; do
    before=$(hex_of "$program/ts220.cfg")
    start "$argument"
    answer_box "$argument"
    expect_end
    [ "$(hex_of "$program/ts220.cfg")" = "$before" ] || fail "ts220.cfg changed after $argument"
    echo "ok: $argument shows the usage"
done

# A records file with three results of one player on one layout and set, and one of another.
byte() { printf "\\x$(printf %02x "$1")"; }
entry() { # player score
    byte "${#1}"
    printf '%s\x07Classic\x088.3.2024\x06Turtle\x00\x00\x00\x00' "$1"
    byte "$2"
    printf '\x00\x00\x00\x00\x00\x00\x00'
    byte "$2"
    printf '\x00\x00\x00'
}
{
    printf '\x04\x00\x00\x00'
    entry Ann 100
    entry Bob 110
    entry Ann 120
    entry Ann 130
} >"$program/ts220.rec"
cp "$program/ts220.rec" "$work/records-before"
start /compress
answer_box /compress
expect_end
"$built/tessalo-tool" records check "$work/records-before" >/dev/null ||
    fail "the records file made for /compress is not whole"
cmp -s "$program/ts220.rec.bak" "$work/records-before" || fail "no backup of the records file"
kept=$("$built/tessalo-tool" records check "$program/ts220.rec") || true
[ "$kept" = "2 entries in 1 groups: in order" ] || fail "/compress left: $kept"
echo "ok: /compress keeps each player's best and leaves ts220.rec.bak"

rm "$program/ts220.rec.bak"
for argument in /COMPRESS /help; do
    start "$argument"
    expect_end
    [ ! -e "$program/ts220.rec.bak" ] || fail "$argument compressed"
    echo "ok: $argument ends at once without a window"
done
