#!/usr/bin/env bash
# The Debian package on this machine: installed with dpkg, played by an unprivileged user to a stored result in that user's own folder, and removed without a trace.
# The machine's /usr is changed while it runs, so it runs only as root, not beside a tessalo2
# installed otherwise, and one at a time on the machine.
# Usage: xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
#            bash package_e2e.sh PACKAGE-FOLDER CLEARING-CLICKS TIME-PRELOAD
set -euo pipefail

deb=$(find "$1" -maxdepth 1 -name 'tessalo2_*.deb' 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "SKIP: no package was made in $1"; exit 77; }
clearing_clicks=$(realpath "$2")
time_preload=$(realpath "$3")
[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing the package needs root"; exit 77; }
for tool in dpkg dpkg-deb setpriv flock xdotool import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
id nobody >/dev/null 2>&1 || { echo "SKIP: there is no user nobody to play as"; exit 77; }
[ -n "${DISPLAY:-}" ] || { echo "SKIP: no X display (run under xvfb-run)"; exit 77; }

# Another build's run of this test would install and remove the same package under us.
exec 9>/run/lock/tessalo2-package-test.lock
flock -w 600 9 || { echo "FAIL: another run of the package test holds the machine"; exit 1; }
if dpkg-query -W -f='${Status}' tessalo2 2>/dev/null | grep -q 'ok installed\|half\|unpacked'; then
    echo "SKIP: tessalo2 is installed on this machine already; the test will not replace it"
    exit 77
fi

source "$(dirname "$0")/../../scripts/program_driver.sh"

work=$(mktemp -d)
pid=
installed=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    [ -z "$installed" ] || dpkg --purge tessalo2 >/dev/null 2>&1 || true
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
ended() { ! kill -0 "$pid" 2>/dev/null; }

# dpkg refuses to start while another dpkg or apt holds its lock: wait for it a while.
dpkg_waiting() {
    local try output
    for ((try = 0; try < 60; try++)); do
        if output=$(dpkg "$@" 2>&1); then
            return 0
        fi
        grep -q 'lock' <<<"$output" || { echo "$output"; return 1; }
        sleep 1
    done
    echo "$output"
    return 1
}

# --- The package ---------------------------------------------------------------------------------
dpkg-deb -f "$deb" Package Section Depends | tee "$work/control"
grep -qx 'Section: games' "$work/control" || fail "the package is not in the section games"
grep -q '^Depends: .*libqt6widgets6' "$work/control" || fail "the Qt libraries are not among the dependencies"

marker="$work/installed-at"
: >"$marker"
installed=yes
dpkg_waiting -i "$deb" >/dev/null || fail "dpkg -i did not install the package"
files=$(dpkg -L tessalo2)
for file in /usr/bin/tessalo2 /usr/bin/tessalo-tool /usr/lib/tessalo2/ts220.cfg \
    /usr/share/applications/tessalo2.desktop /usr/share/man/man6/tessalo2.6.gz; do
    grep -qx "$file" <<<"$files" || fail "the package does not hold $file"
done
[ "$(readlink -f /usr/bin/tessalo2)" = /usr/lib/tessalo2/tessalo2 ] ||
    fail "/usr/bin/tessalo2 does not lead to the program folder"
echo "ok: the package installs, $(wc -l <<<"$files") paths"

# --- A whole game as an unprivileged player ------------------------------------------------------
readonly DEAL_SECOND=1700000000 PLAYED_SECONDS=58 PLAYER=Anna
source "$(dirname "$0")/whole_game_play.sh"

chmod 755 "$work"
player="$work/player"
mkdir -p "$player/home" "$player/data" "$player/config" "$player/runtime"
chmod 700 "$player/runtime"
cp "$time_preload" "$player/time_preload.so"
cp "${XAUTHORITY:-/dev/null}" "$player/Xauthority" 2>/dev/null || : >"$player/Xauthority"
chown -R nobody "$player"
time_file="$work/second"
read_clearing "$clearing_clicks" /usr/lib/tessalo2/ts220.tsl
set_second "$DEAL_SECOND"
chmod 644 "$time_file"

(cd "$player/home" && exec setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups \
    env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XAUTHORITY="$player/Xauthority" \
    HOME="$player/home" XDG_DATA_HOME="$player/data" XDG_CONFIG_HOME="$player/config" \
    XDG_RUNTIME_DIR="$player/runtime" TZ=UTC TESSALO_TEST_TIME_FILE="$time_file" \
    LD_PRELOAD="$player/time_preload.so" /usr/bin/tessalo2) &
pid=$!
poll 15 has_window '^Tessalo 2$' || fail "the main dialog did not open"
play_whole_game

own="$player/data/tessalo2"
[ -f "$own/ts220.rec" ] || fail "no ts220.rec in the player's folder $own"
records=$(/usr/bin/tessalo-tool records dump "$own/ts220.rec") || fail "ts220.rec is damaged"
[ "$records" = "$(expected_record)" ] || fail "ts220.rec holds
$records
instead of
$(expected_record)"
echo "ok: $PLAYER's game stored in $own/ts220.rec"

# --- Nothing written under /usr ------------------------------------------------------------------
dpkg --verify tessalo2 || fail "files of the package changed"
for folder in /usr/lib/tessalo2 /usr/share/doc/tessalo2; do
    extra=$(find "$folder" | grep -vxF "$files" || true)
    [ -z "$extra" ] || fail "files the package does not hold: $extra"
done
strays=$(find /usr -xdev \( -user nobody -o -newer "$marker" -name '*tessalo*' \) -print |
    grep -vxF "$files" || true)
[ -z "$strays" ] || fail "written under /usr: $strays"
echo "ok: nothing was written under /usr"

# --- Removed without a trace ---------------------------------------------------------------------
dpkg_waiting -r tessalo2 >/dev/null || fail "dpkg -r did not remove the package"
installed=
left=$(dpkg-query -W -f='${Status}' tessalo2 2>/dev/null || true)
case "$left" in *not-installed* | *config-files* | "") ;; *) fail "tessalo2 is still $left" ;; esac
while read -r path; do
    [ -d "$path" ] && [ ! -L "$path" ] && continue
    [ ! -e "$path" ] && [ ! -L "$path" ] || fail "dpkg -r left $path behind"
done <<<"$files"
for folder in /usr/lib/tessalo2 /usr/share/doc/tessalo2; do
    [ ! -e "$folder" ] || fail "dpkg -r left $folder behind"
done
echo "ok: dpkg -r leaves no file of the package behind"
