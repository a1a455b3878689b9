#!/usr/bin/env bash
# Makes the Debian package from a Release build of its own (build-release/): the hardening
# flags of dpkg-buildflags come in through CMakeLists.txt, the package from cpack.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/ensure-packages.sh
ensure_packages
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DNATALORY_TESTS=OFF >/dev/null
quiet_build build-release
(cd build-release && cpack -G DEB)
lintian --no-cfg --fail-on error,warning build-release/natalory_*.deb
