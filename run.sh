#!/usr/bin/env bash
# Installs what is missing, builds, and starts Natalory. Without a display it
# makes a sample print with the command-line tool instead.
set -euo pipefail
cd "$(dirname "$0")"
source tools/ensure-packages.sh
ensure_packages
build_natalory

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/natalory "$@"
fi

echo "No display found, so Natalory's window cannot open here."
if ./build/natalory-print --help | grep -q -- "--out "; then
    out="$PWD/build/sample-birthday-print.pdf"
    ./build/natalory-print --first Anna --last Lee --date 1950-01-15 --out "$out"
    echo "Made a sample Birthday Print instead: $out"
else
    # The command-line tool cannot draw a page yet; it writes the texts a print would carry.
    out="$PWD/build/sample-birthday-texts.txt"
    ./build/natalory-print --first Anna --last Lee --date 1950-01-15 --texts > "$out"
    echo "The command-line tool cannot draw a page yet; it wrote the texts of a sample print instead: $out"
fi
