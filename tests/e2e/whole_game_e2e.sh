#!/usr/bin/env bash
# A whole game of the real program on a virtual X server: a deal whose seed the test chose is
# cleared pair by pair through real clicks, the result dialog gets a typed name, and the record in
# ts220.rec holds the time the clock showed. The program runs with a time() that reads the
# calendar second from a file written here; Qt's timers run on the monotonic clock and still tick.
# Usage: xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
#            bash whole_game_e2e.sh PROGRAM-FOLDER CLEARING-CLICKS TIME-PRELOAD
# With TESSALO_E2E_SHOT set, the screen with the result dialog is copied there. With
# TESSALO_E2E_CLEARABLE=1 the game is played with "Only deals that can be cleared" ticked, at a
# second whose own deal the game passes over, and the record must land in ts220c.rec alone.
set -euo pipefail

built=$(cd "$1" && pwd)
clearing_clicks=$(realpath "$2")
time_preload=$(realpath "$3")
for tool in xdotool import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
[ -n "${DISPLAY:-}" ] || { echo "SKIP: no X display (run under xvfb-run)"; exit 77; }

source "$(dirname "$0")/../../scripts/program_driver.sh"

# The second of the deal, and so its seed: 14.11.2023 22:13:20 UTC. The turtle's deal of this
# seed can be cleared.
readonly CLEARABLE=${TESSALO_E2E_CLEARABLE:-0}
if [ "$CLEARABLE" = 1 ]; then
    # The turtle's deals of this second and the next are not proven quickly; 1700000017's is.
    readonly DEAL_SECOND=1700000015 RECORDS_FILE=ts220c.rec OTHER_RECORDS=ts220.rec
    readonly CLEARABLE_BOX="152 87" CLICKS_OPTION=--clearable
else
    readonly DEAL_SECOND=1700000000 RECORDS_FILE=ts220.rec OTHER_RECORDS=ts220c.rec
    readonly CLICKS_OPTION=
fi
readonly PLAYED_SECONDS=58
readonly PLAYER=Anna
# The clock's corner (688, 0) and the indicator's (722, 552) of the play area at (112, 84).
readonly CLOCK_AREA="112x48+800+84"
readonly INDICATOR_AREA="78x48+834+636"
readonly PAIRS_BETWEEN_CHECKS=6

source "$(dirname "$0")/program_copy.sh"

time_file="$work/second"
# Replaced whole, so that the program never reads half a number.
set_second() {
    echo "$1" >"$time_file.new"
    mv "$time_file.new" "$time_file"
}

# A digest of the pixels of a rectangle of the screen.
signature() { import -window root -crop "$1" +repage -format '%#' info:; }
differs() { [ "$(signature "$1")" != "$2" ]; }

clearing=$("$clearing_clicks" "$program/ts220.tsl" 0 "$DEAL_SECOND" 1024x768 $CLICKS_OPTION) ||
    fail "no clearing of the deal"
mapfile -t clicks <<<"$clearing"
[ "${#clicks[@]}" -eq 144 ] || fail "the clearing has ${#clicks[@]} clicks, not 144"

set_second "$DEAL_SECOND"
# Only the program gets the test's time(). A sanitizer runtime loaded as a shared library would
# refuse to come after it.
TZ=UTC TESSALO_TEST_TIME_FILE="$time_file" \
    ASAN_OPTIONS="verify_asan_link_order=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
    LD_PRELOAD="$time_preload${LD_PRELOAD:+:$LD_PRELOAD}" "$program/tessalo2" &
pid=$!

poll 15 has_window '^Tessalo 2$' || fail "the main dialog did not open"
if [ "$CLEARABLE" = 1 ]; then
    click_in "$(visible_window '^Tessalo 2$')" "$CLEARABLE_BOX"
    sleep 0.3
fi
click_in "$(visible_window '^Tessalo 2$')" "$GAME_BUTTON"
poll 20 has_window '^Tessalo Game$' || fail "Game did not open the game window"
poll 20 bright "$TOP_TILE_FACE" || fail "the turtle was not dealt"
clock_start=
indicator=$(signature "$INDICATOR_AREA")

click_pair() { # number of the pair, from 0
    xdotool mousemove ${clicks[$((2 * $1))]} click 1 sleep 0.05 \
        mousemove ${clicks[$((2 * $1 + 1))]} click 1 sleep 0.05
}

# All pairs but the last, checking every few pairs that the indicator counted them.
for ((pair = 0; pair < 71; pair++)); do
    click_pair "$pair"
    if (((pair + 1) % PAIRS_BETWEEN_CHECKS == 0)); then
        poll 10 differs "$INDICATOR_AREA" "$indicator" ||
            fail "the indicator did not change over pairs $((pair - PAIRS_BETWEEN_CHECKS + 2)) to $((pair + 1))"
        indicator=$(signature "$INDICATOR_AREA")
        # Taken here, when the clock has surely been drawn.
        [ -n "$clock_start" ] || clock_start=$(signature "$CLOCK_AREA")
        no_window '^Tessalo$' || fail "the game ended after $((pair + 1)) pairs"
    fi
done
# The calendar stood still, so the clock still shows the start.
[ "$(signature "$CLOCK_AREA")" = "$clock_start" ] || fail "the clock moved while the calendar stood"

# The last pair: the first tile, then 57 seconds on and the clock's tick that draws them, then
# 58 and at once the last tile, well before the next tick.
xdotool mousemove ${clicks[142]} click 1
set_second $((DEAL_SECOND + PLAYED_SECONDS - 1))
poll 5 differs "$CLOCK_AREA" "$clock_start" || fail "the clock did not tick to 00:57"
clock_57=$(signature "$CLOCK_AREA")
set_second $((DEAL_SECOND + PLAYED_SECONDS))
xdotool mousemove ${clicks[143]} click 1
poll 15 has_window '^Tessalo$' || fail "the result dialog did not open after the last pair"
poll 5 differs "$CLOCK_AREA" "$clock_57" || fail "the stopped clock does not show the last second"
import -window root "$work/end.png"
[ -z "${TESSALO_E2E_SHOT:-}" ] || cp "$work/end.png" "$TESSALO_E2E_SHOT"

dialog=$(visible_window '^Tessalo$')
xdotool windowfocus --sync "$dialog"
xdotool type --delay 30 "$PLAYER"
xdotool key Return
poll 10 no_window '^Tessalo$' || fail "Return did not close the result dialog"
# New Game deals again: the top tile is back.
poll 20 bright "$TOP_TILE_FACE" || fail "no new deal after the result dialog"
click_at "$EXIT_BUTTON"
poll 10 has_window '^Tessalo 2$' || fail "Exit did not bring back the main dialog"
click_in "$(visible_window '^Tessalo 2$')" "$QUIT_BUTTON"
poll 10 ended || fail "the program did not end"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"

[ -f "$program/$RECORDS_FILE" ] || fail "no $RECORDS_FILE"
[ ! -e "$program/$OTHER_RECORDS" ] || fail "the result reached $OTHER_RECORDS too"
records=$("$built/tessalo-tool" records dump "$program/$RECORDS_FILE") || fail "$RECORDS_FILE is damaged"
# The game's date is the calendar's at the end, a minute after the deal.
expected=$(printf '1\tClassic / Turtle\t%s\t14.11.2023\tremains 0\tseconds %d\thints 0\tscore %d' \
    "$PLAYER" "$PLAYED_SECONDS" "$PLAYED_SECONDS")
[ "$records" = "$expected" ] || fail "$RECORDS_FILE holds
$records
instead of
$expected"
echo "ok: the deal of second $DEAL_SECOND cleared in 144 clicks, $PLAYER stored with $PLAYED_SECONDS seconds"
