#!/usr/bin/env bash
# Sets up a fresh machine, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="ci"
scripts/build.sh "$preset"
ctest --preset "$preset"
