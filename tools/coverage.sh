#!/usr/bin/env bash
# Builds Natalory with coverage counters in build-coverage/, runs the suite and prints the
# line and branch coverage of src/ per folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/ensure-packages.sh
NATALORY_PACKAGES+=(gcovr)
ensure_packages
if [ ! -f build-coverage/CMakeCache.txt ]; then
    cmake -S . -B build-coverage -DNATALORY_COVERAGE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
quiet_build build-coverage
cmake --build build-coverage --target coverage
