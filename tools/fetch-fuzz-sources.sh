#!/usr/bin/env bash
# Fetches the Debian source packages of the metafile libraries into FOLDER, so that the
# fuzz build can compile them with the sanitizers and the fuzzer sees their code. Uses
# apt-get with lists of its own (deb-src of the machine's Debian mirror), leaving the
# machine's apt configuration alone. Exits non-zero when a source cannot be had.
# Usage: fetch-fuzz-sources.sh FOLDER
set -euo pipefail
dest=$(realpath -m "$1")
packages=(libuemf libemf2svg libwmf)

mirror=$(sed -n 's/^URIs: *\([^ ]*debian\)$/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
mirror=${mirror:-http://deb.debian.org/debian}
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
# Where a release's tarballs have left the mirror (bookworm's libwmf has), the next
# release's source of the same library stands in.
declare -A next_suite=([bookworm]=trixie [trixie]=forky)

mkdir -p "$dest/apt/lists/partial" "$dest/src"
for s in "$suite" ${next_suite[$suite]:-}; do
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $s main"
done >"$dest/apt/sources.list"
apt_options=(-o Dir::Etc::SourceList="$dest/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
             -o Dir::State::Lists="$dest/apt/lists" -o APT::Sandbox::User=root -qq)
apt-get "${apt_options[@]}" update >/dev/null
cd "$dest/src"
for p in "${packages[@]}"; do
    if ! ls -d "$p"-*/ >/dev/null 2>&1; then
        apt-get "${apt_options[@]}" source --download-only "$p/$suite" >/dev/null 2>&1 ||
            apt-get "${apt_options[@]}" source --download-only "$p" >/dev/null
        # apt has checked the files against the signed index; the uploader's key is not needed
        dpkg-source -x "$(ls "$p"_*.dsc | sort -V | tail -1)" >/dev/null 2>&1
    fi
done
