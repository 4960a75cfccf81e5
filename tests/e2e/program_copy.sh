# Sourced by the end-to-end tests after $built names the program folder the build made: a copy of
# it in a temporary folder that goes at the end, a private configuration and runtime folder, a
# working folder elsewhere, and a failure that leaves a screenshot behind.

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

program="$work/program"
mkdir -p "$program" "$work/config" "$work/runtime" "$work/elsewhere"
chmod 700 "$work/runtime"
cp "$built/tessalo2" "$built/ts220.cfg" "$built/ts220.tsl" "$built"/*.tsp "$program/"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
# In a sanitizer build leaks are ours to find, not those of the system's libraries.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan_suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
cd "$work/elsewhere"

fail() {
    echo "FAIL: $*"
    import -window root "$work/failure.png" 2>/dev/null &&
        cp "$work/failure.png" "${TESSALO_E2E_FAILURE_SHOT:-/tmp/tessalo2-e2e-failure.png}" &&
        echo "screen at the failure: ${TESSALO_E2E_FAILURE_SHOT:-/tmp/tessalo2-e2e-failure.png}"
    exit 1
}

ended() { ! kill -0 "$pid" 2>/dev/null; }
