#!/usr/bin/env bash
# Runs a test program on a virtual X server of its own, without a window manager, so that
# painting, exposure, focus, keys and the wheel behave as on a player's display. The screen is
# TESSALO_XVFB_SCREEN (default 1024x768x24). Listing the tests needs no display.
set -euo pipefail

for argument in "$@"; do
    [ "$argument" = "--gtest_list_tests" ] && exec "$@"
done
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The server writes the number of the display it took, so parallel tests never race for one.
Xvfb -displayfd 3 -screen 0 "${TESSALO_XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset \
    3>"$work/display" 2>"$work/server.log" &
server=$!
for ((i = 0; i < 100; i++)); do
    [ -s "$work/display" ] && break
    kill -0 "$server" 2>/dev/null || { cat "$work/server.log"; echo "Xvfb did not start"; exit 1; }
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb gave no display"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
# In a sanitizer build leaks are ours to find, not those of the system's libraries.
suppressions="$(cd "$(dirname "$0")/.." && pwd)/e2e/lsan_suppressions.txt"
export LSAN_OPTIONS="suppressions=$suppressions${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
unset WAYLAND_DISPLAY
"$@"
