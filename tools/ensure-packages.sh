#!/usr/bin/env bash
# Installs the Debian packages Natalory needs to build, run and test, skipping
# those already installed. Sourced by run.sh and test.sh.
set -euo pipefail

NATALORY_PACKAGES=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation fonts-wqy-microhei fontconfig
    xvfb xauth poppler-utils
    cups cups-client cups-filters
    libuemf-dev emf2svg libemf2svg-dev libwmf-dev zlib1g-dev libseccomp-dev qpdf
    clang libclang-rt-14-dev libpng-dev libfontconfig-dev
    desktop-file-utils appstream dpkg-dev lintian
)

ensure_packages() {
    local missing=()
    local p
    for p in "${NATALORY_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Builds a configured folder; progress lines are left out, warnings, errors and the
# build's status are kept.
quiet_build() {
    set +e
    cmake --build "$@" -j"$(nproc)" 2>&1 | grep -vE '^\[ *[0-9]+%\]|^(Scanning|Consolidate)|^make\[[0-9]+\]: (Entering|Leaving)'
    local status=${PIPESTATUS[0]}
    set -e
    return "$status"
}

# Configures (once) and builds into build/.
build_natalory() {
    local werror=OFF
    if [ "${CI:-}" = "true" ]; then
        werror=ON
    fi
    if [ ! -f build/CMakeCache.txt ] || ! grep -q "NATALORY_WERROR:BOOL=$werror" build/CMakeCache.txt; then
        cmake -S . -B build -DNATALORY_WERROR="$werror" >/dev/null
    fi
    quiet_build build
}

# The fuzz harnesses the tests' fuzz smoke runs: a second, clang-built folder, since
# the sanitizers and the fuzzer's instrumentation must not reach the program itself.
build_fuzzers() {
    if ! command -v clang++ >/dev/null; then
        return 0
    fi
    # The metafile libraries' sources, so the fuzzer sees their code too; without them (no
    # network) the harnesses fall back to Debian's uninstrumented libraries.
    if [ ! -d build-fuzz/debian-sources/src ] || ! ls -d build-fuzz/debian-sources/src/libemf2svg-*/ >/dev/null 2>&1; then
        tools/fetch-fuzz-sources.sh build-fuzz/debian-sources ||
            echo "Could not fetch the metafile libraries' sources: fuzzing Debian's builds of them"
    fi
    if [ ! -f build-fuzz/CMakeCache.txt ]; then
        CC=clang CXX=clang++ cmake -S . -B build-fuzz -DNATALORY_FUZZ=ON -DNATALORY_TESTS=OFF >/dev/null
    fi
    quiet_build build-fuzz --target natalory_fuzzers
}
