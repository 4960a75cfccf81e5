# Sourced by the end-to-end tests that play a whole game, after program_driver.sh and a script
# that defines fail, ended and pid: the deal's clearing as clicks, the second the program's time()
# reads from $time_file, and the game played from the open main dialog to a stored result and the
# program's end. The caller sets DEAL_SECOND, PLAYED_SECONDS and PLAYER first.

# The clock's corner (688, 0) and the indicator's (722, 552) of the play area at (112, 84).
readonly CLOCK_AREA="112x48+800+84"
readonly INDICATOR_AREA="78x48+834+636"
readonly PAIRS_BETWEEN_CHECKS=6

# Replaced whole, so that the program never reads half a number.
set_second() {
    echo "$1" >"$time_file.new"
    mv "$time_file.new" "$time_file"
}

# The 144 points to click that clear the deal of DEAL_SECOND, into clicks.
# Usage: read_clearing CLEARING-CLICKS LIBRARY [--clearable]
read_clearing() {
    local clearing
    clearing=$("$1" "$2" 0 "$DEAL_SECOND" 1024x768 ${3:-}) || fail "no clearing of the deal"
    mapfile -t clicks <<<"$clearing"
    [ "${#clicks[@]}" -eq 144 ] || fail "the clearing has ${#clicks[@]} clicks, not 144"
}

# A digest of the pixels of a rectangle of the screen.
signature() { import -window root -crop "$1" +repage -format '%#' info:; }
differs() { [ "$(signature "$1")" != "$2" ]; }

click_pair() { # number of the pair, from 0
    xdotool mousemove ${clicks[$((2 * $1))]} click 1 sleep 0.05 \
        mousemove ${clicks[$((2 * $1 + 1))]} click 1 sleep 0.05
}

# The record the game must have stored: the date is the calendar's at the end, a minute after
# the deal of 14.11.2023.
expected_record() {
    printf '1\tClassic / Turtle\t%s\t14.11.2023\tremains 0\tseconds %d\thints 0\tscore %d' \
        "$PLAYER" "$PLAYED_SECONDS" "$PLAYED_SECONDS"
}

# Game, the 72 pairs, the name, Exit and Quit. With TESSALO_E2E_SHOT set, the screen with the
# result dialog is copied there.
play_whole_game() {
    click_in "$(visible_window '^Tessalo 2$')" "$GAME_BUTTON"
    poll 20 has_window '^Tessalo Game$' || fail "Game did not open the game window"
    poll 20 bright "$TOP_TILE_FACE" || fail "the turtle was not dealt"
    local clock_start= indicator pair
    indicator=$(signature "$INDICATOR_AREA")

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
    local clock_57
    clock_57=$(signature "$CLOCK_AREA")
    set_second $((DEAL_SECOND + PLAYED_SECONDS))
    xdotool mousemove ${clicks[143]} click 1
    poll 15 has_window '^Tessalo$' || fail "the result dialog did not open after the last pair"
    poll 5 differs "$CLOCK_AREA" "$clock_57" || fail "the stopped clock does not show the last second"
    [ -z "${TESSALO_E2E_SHOT:-}" ] || import -window root "$TESSALO_E2E_SHOT"

    local dialog
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
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
