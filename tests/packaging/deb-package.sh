#!/usr/bin/env bash
# Builds the Debian package with cpack and looks inside: its dependencies come from
# dpkg-shlibdeps, lintian finds no error, no warning and no missing hardening, and the
# command-line tool runs from the unpacked tree.
set -euo pipefail
build="$1"
source "$(dirname "$0")/common.sh"
need dpkg-deb dpkg-shlibdeps pdftotext lintian

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
debs=("$work"/out/natalory_*.deb)
[ -f "${debs[0]}" ] || fail "no natalory_*.deb made"
deb="${debs[0]}"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 \
    libemf2svg1 libuemf0 libwmf-0.2-7 fonts-liberation; do
    tr ',' '\n' <<<"$depends" | sed -E 's/^ +//; s/ .*//' | grep -qxF "$package" ||
        fail "the package does not depend on $package"
done
description=$(dpkg-deb -f "$deb" Description)
[[ $description != *";"* ]] || fail "the description carries list separators"
dpkg-deb -c "$deb" > "$work/contents"
grep -q " ./usr/share/natalory/brdstf.fpf$" "$work/contents" || fail "the year data is not in the package"

# Every program of the package is compiled and linked with dpkg-buildflags' hardening.
for source in src/app/main.cpp src/cli/main.cpp src/metafile/main.cpp; do
    grep -B2 "\"file\": \".*/$source\"" "$build/compile_commands.json" | grep -q -- "-D_FORTIFY_SOURCE=" ||
        fail "$source is not compiled with -D_FORTIFY_SOURCE"
done
# The overrides the package carries give their reasons; none may go unused.
lintian --no-cfg --fail-on none --display-level ">=info" --show-overrides "$deb" > "$work/lintian" 2>/dev/null
if grep -E '^[EW]: |^[EWIPX]: .*hardening-no-|unused-override|mismatched-override' "$work/lintian" >&2; then
    fail "lintian: the lines above"
fi
echo "lintian: $(grep -c '^O: ' "$work/lintian" || true) overridden, no error, no warning"

dpkg-deb -x "$deb" "$work/root"
use_temporary_user "$work/user"
cd "$work/user"
"$work/root/usr/bin/natalory-print" --first Anna --last Lee --date 1950-01-15 --out a.pdf || fail "no print made"
pdftotext a.pdf - | grep -q "Anna Lee" || fail "the print does not carry the name"
echo "package $(basename "$deb"): ok"
