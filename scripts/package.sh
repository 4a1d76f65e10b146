#!/usr/bin/env bash
# Builds the programs optimised (build/release) and with CPack the Debian package
# build/package/kronoblatt_<version>_amd64.deb. Install it with
#   apt-get install ./build/package/kronoblatt_*_amd64.deb
# scripts/package-check.sh checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh paket
export CCACHE_BASEDIR="$PWD"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
# RelWithDebInfo (-O2) with the flags of the everyday builds, so the compiler cache they fill
# serves this one too; CPack strips the debug information from the programs.
if [ ! -f build/release/build.ninja ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DKB_WERROR=ON -DKB_BUILD_TESTS=OFF \
    -DKB_BUILD_BENCH=OFF >/dev/null
fi
cmake --build build/release
mkdir -p build/package
rm -f build/package/kronoblatt_*.deb
(cd build/release && cpack -G DEB -B "$PWD/../package" >/dev/null)
ls build/package/kronoblatt_*_amd64.deb
