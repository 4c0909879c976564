#!/usr/bin/env bash
# Installs what is missing, builds Kalvora and starts the desktop program.
# Without a display it starts a virtual one (Xvfb) and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running Kalvora under Xvfb (a virtual X display)."
  exec xvfb-run -a -s "-screen 0 1600x1000x24" ./build/kalvora "$@"
fi
exec ./build/kalvora "$@"
