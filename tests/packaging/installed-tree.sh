#!/usr/bin/env bash
# Installs into a temporary prefix, moves the tree, and runs the installed programs from
# another folder as a user whose HOME and XDG folders are temporary: the programs read
# their data from the install and write only into the user's folders.
set -euo pipefail
build="$1"
source "$(dirname "$0")/common.sh"
need pdftotext

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/installed" >/dev/null
mv "$work/installed" "$work/moved"
prefix="$work/moved"

for f in bin/natalory bin/natalory-print \
    share/natalory/brdstf.fpf share/natalory/blear.fpf share/natalory/blearII.fpf share/natalory/blik.fpf \
    share/natalory/news.al! share/natalory/classy.al! share/natalory/blank.al! share/natalory/cake.png \
    share/natalory/nopicfound.ico share/natalory/help/index.html \
    share/applications/com.natalory.Natalory.desktop share/metainfo/com.natalory.Natalory.metainfo.xml \
    share/mime/packages/com.natalory.Natalory.xml share/icons/hicolor/scalable/apps/natalory.svg \
    share/icons/hicolor/16x16/apps/natalory.png share/icons/hicolor/256x256/apps/natalory.png \
    share/man/man1/natalory.1.gz share/man/man1/natalory-print.1.gz; do
    [ -f "$prefix/$f" ] || fail "not installed: $f"
done
# A PNG's width and height are the big-endian words at bytes 16 and 20.
size=$(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/48x48/apps/natalory.png" | tr -s ' ')
[ "$size" = " 0 0 0 48 0 0 0 48" ] || fail "the 48x48 icon is not 48 by 48: $size"
fingerprint "$prefix" > "$work/before"

use_temporary_user "$work/user"
mkdir "$work/elsewhere"
cd "$work/elsewhere"
"$prefix/bin/natalory-print" --first Anna --last Lee --date 1950-01-15 --out a.pdf || fail "no print made"
pdftotext a.pdf - | grep -q "Anna Lee" || fail "the print does not carry the name"
# The headlines come from the installed year data.
"$prefix/bin/natalory-print" --first Anna --last Lee --date 1950-01-15 --texts --json > texts.json
grep -q '"birthyearheadlines": *"[^"]' texts.json || fail "no headline: the year data was not read from the install"
"$prefix/bin/natalory" --help | grep -q "FILE.als" || fail "natalory --help"

# The window program, ended as a session ends it, saves its toolbar layout for this user.
QT_QPA_PLATFORM=offscreen "$prefix/bin/natalory" &
pid=$!
for _ in $(seq 100); do
    [ -e "$XDG_RUNTIME_DIR/natalory.lock" ] && break
    sleep 0.1
done
[ -e "$XDG_RUNTIME_DIR/natalory.lock" ] || fail "the window program did not start"
kill -TERM "$pid"
wait "$pid" || fail "the window program ended with status $?"
[ -s "$XDG_CONFIG_HOME/natalory/toolbar.tls" ] || fail "no toolbar layout in \$XDG_CONFIG_HOME/natalory"

fingerprint "$prefix" > "$work/after"
diff "$work/before" "$work/after" >&2 || fail "something was written under the prefix"
echo "installed tree: ok"
