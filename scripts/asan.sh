#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer preset (clang with AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer; tests and fuzz targets in build/asan) and runs
# the whole test suite under it. Any sanitizer report fails its test.
# Extra arguments go to ctest, e.g. scripts/asan.sh -R Filter
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh asan
ctest --preset asan "$@"
