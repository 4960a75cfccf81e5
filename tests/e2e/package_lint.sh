#!/usr/bin/env bash
# The Debian package as Debian's own checkers see it: lintian finds no error in it, and its
# desktop entry and AppStream data pass their validators. Lintian's warnings are printed, not
# failed on. Usage: package_lint.sh PACKAGE-FOLDER
set -euo pipefail

deb=$(find "$1" -maxdepth 1 -name 'tessalo2_*.deb' 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "SKIP: no package was made in $1"; exit 77; }
for tool in dpkg-deb lintian desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# Lintian ends with 0 on warnings and 2 on errors; its own failure to run is an error too.
status=0
lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || status=$?
cat "$work/lintian"
[ "$status" -eq 0 ] && ! grep -q '^E:' "$work/lintian" || fail "lintian reports errors (status $status)"

dpkg-deb -x "$deb" "$work/root"
desktop="$work/root/usr/share/applications/tessalo2.desktop"
[ -f "$desktop" ] || fail "no desktop entry in the package"
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the desktop entry"
metainfo=$(find "$work/root/usr/share/metainfo" -name '*.metainfo.xml')
[ "$(wc -w <<<"$metainfo")" -eq 1 ] || fail "the package holds not one AppStream file: $metainfo"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refuses $metainfo"
# The AppStream data must lead to the desktop entry the package holds.
grep -q '<launchable type="desktop-id">tessalo2.desktop</launchable>' "$metainfo" ||
    fail "the AppStream data does not name tessalo2.desktop"

[ $failed -eq 0 ] && echo "the package passes lintian, desktop-file-validate and appstreamcli"
exit $failed
