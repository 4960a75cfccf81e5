#!/usr/bin/env bash
# The real program installed where its player cannot write: started as an unprivileged user, it
# makes and seeds a folder of that user's own, plays a set from the installed folder, keeps its
# configuration and the backup of /compress there, and leaves the installed folder as it was.
# Usage: xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash user_folder_e2e.sh PROGRAM-FOLDER
set -euo pipefail

built=$(cd "$1" && pwd)
for tool in xdotool import sha256sum od; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
[ -n "${DISPLAY:-}" ] || { echo "SKIP: no X display (run under xvfb-run)"; exit 77; }
if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv >/dev/null || { echo "SKIP: setpriv is missing to leave root"; exit 77; }
    id nobody >/dev/null 2>&1 || { echo "SKIP: there is no user nobody to play as"; exit 77; }
fi

source "$(dirname "$0")/../../scripts/program_driver.sh"

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    import -window root "$work/failure.png" 2>/dev/null &&
        cp "$work/failure.png" "${TESSALO_E2E_FAILURE_SHOT:-/tmp/tessalo2-e2e-failure.png}" &&
        echo "screen at the failure: ${TESSALO_E2E_FAILURE_SHOT:-/tmp/tessalo2-e2e-failure.png}"
    exit 1
}

# The installed folder: the root's and only readable by others, or read-only to its own user.
chmod 755 "$work"
installed="$work/usr/lib/tessalo2"
mkdir -p "$installed"
cp "$built/tessalo2" "$built/ts220.cfg" "$built/ts220.tsl" "$built"/*.tsp "$installed/"
chmod -R a+rX,go-w "$work/usr"
player="$work/player"
mkdir -p "$player/home" "$player/data" "$player/config" "$player/runtime"
# In a sanitizer build leaks are ours to find, not those of the system's libraries; the player
# must be able to read the list.
cp "$(dirname "$0")/lsan_suppressions.txt" "$player/lsan_suppressions.txt"
chmod 700 "$player/runtime"
if [ "$(id -u)" -eq 0 ]; then
    cp "${XAUTHORITY:-/dev/null}" "$player/Xauthority" 2>/dev/null || : >"$player/Xauthority"
    chown -R nobody "$player"
    as_player=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
else
    chmod a-w "$installed"
    cp "${XAUTHORITY:-/dev/null}" "$player/Xauthority" 2>/dev/null || : >"$player/Xauthority"
    as_player=()
fi

listing() { (cd "$installed" && find . -printf '%p %m %s\n' && find . -type f -exec sha256sum {} +) | sort; }
before=$(listing)

ended() { ! kill -0 "$pid" 2>/dev/null; }
start() {
    (cd "$player/home" && exec "${as_player[@]}" env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
        XAUTHORITY="$player/Xauthority" HOME="$player/home" XDG_DATA_HOME="$player/data" \
        XDG_CONFIG_HOME="$player/config" XDG_RUNTIME_DIR="$player/runtime" \
        LSAN_OPTIONS="suppressions=$player/lsan_suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}" \
        ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} "$installed/tessalo2" "$@") &
    pid=$!
}
expect_end() {
    poll 10 ended || fail "the program did not end"
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# --- A game with a shipped set, then Quit -------------------------------------------------------
start
poll 15 has_window '^Tessalo 2$' || fail "the main dialog did not open"
click_in "$(visible_window '^Tessalo 2$')" "$GAME_BUTTON"
poll 20 has_window '^Tessalo Game$' || fail "Game did not open the installed picture set"
poll 10 bright "$TOP_TILE_FACE" || fail "the top tile was not dealt"
click_at "$EXIT_BUTTON"
poll 10 has_window '^Tessalo 2$' || fail "Exit did not bring back the main dialog"
click_in "$(visible_window '^Tessalo 2$')" "$QUIT_BUTTON"
expect_end

own="$player/data/tessalo2"
[ -d "$own" ] || fail "no folder of the player's own at $own"
cmp -s "$own/ts220.tsl" "$built/ts220.tsl" || fail "the layout library was not copied in"
# The shipped configuration lists no set; the one rewritten at the exit lists both shipped sets.
grep -q classic.tsp "$own/ts220.cfg" && grep -q clear_view.tsp "$own/ts220.cfg" ||
    fail "ts220.cfg in the player's folder does not list the shipped sets"
! ls "$own"/*.tsp >/dev/null 2>&1 || fail "shipped sets were copied into the player's folder"
echo "ok: the player's folder was made and seeded, a shipped set played, ts220.cfg kept there"

# --- /compress works on the player's records ----------------------------------------------------
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
    printf '\x02\x00\x00\x00'
    entry Ann 100
    entry Ann 120
} >"$work/records"
cp "$work/records" "$own/ts220.rec"
[ "$(id -u)" -ne 0 ] || chown nobody "$own/ts220.rec"
start /compress
poll 10 has_window '^tessalo2$' || fail "no box for /compress"
xdotool windowfocus --sync "$(visible_window '^tessalo2$')"
xdotool key Return
expect_end
cmp -s "$own/ts220.rec.bak" "$work/records" || fail "no backup of the records in the player's folder"
cmp -s "$own/ts220.rec" "$work/records" && fail "/compress left the player's records as they were"
echo "ok: /compress backs up and compresses the player's records in the player's folder"

[ "$(listing)" = "$before" ] || fail "the installed folder changed: $(diff <(echo "$before") <(listing))"
echo "ok: nothing was written into the installed folder"
