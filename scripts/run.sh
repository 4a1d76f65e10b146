#!/usr/bin/env bash
# Sets up a fresh machine, builds and starts Kronoblatt. With a display the desktop program
# starts; without one the headless main job runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh dev
bin="$PWD/build/dev/bin"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/kronoblatt" "$@"
fi
exec "$bin/kronoblatt-cli" --help
