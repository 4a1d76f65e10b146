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
# Headless: a demo calendar for this year (state from KRONOBLATT_LAND, default Bayern) in a
# folder of its own, printed as the one-page year calendar; the command says where the PDF is.
echo "Kein Bildschirm: Kronoblatt legt einen Demo-Kalender an und druckt ihn als PDF."
exec "$bin/kronoblatt-cli" demo --verzeichnis "$PWD/build/dev/demo" "$@"
