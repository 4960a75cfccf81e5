#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that each icon lands where the hicolor theme
# looks for it, at its own size, and that the desktop entry names it.
# Usage: install_icons.sh BUILD-FOLDER
set -euo pipefail

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }

for size in 16 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/tessalo2.png"
    if [ ! -f "$icon" ]; then
        fail "missing $icon"
        continue
    fi
    [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
    [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
done
svg="$prefix/share/icons/hicolor/scalable/apps/tessalo2.svg"
if [ -f "$svg" ]; then
    grep -q '<svg ' "$svg" || fail "$svg holds no svg element"
else
    fail "missing $svg"
fi
# Nothing else under the theme: a stray file would be an icon of some other name.
extra=$(find "$prefix/share/icons" -type f ! -path '*/apps/tessalo2.png' ! -path '*/scalable/apps/tessalo2.svg')
[ -z "$extra" ] || fail "unexpected files: $extra"
grep -qx 'Icon=tessalo2' "$prefix/share/applications/tessalo2.desktop" || fail "the desktop entry does not name the icon"

[ $failed -eq 0 ] && echo "all icons in place"
exit $failed
