#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kaleidra.
set -euo pipefail
cd "$(dirname "$0")/.."

# A window needs a desktop session; say so before installing or building.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'MESSAGE'
Kaleidra needs a graphical desktop session (X11 or Wayland), and none was found:
neither DISPLAY nor WAYLAND_DISPLAY is set. Start it from a terminal on the desktop,
or, on a machine without a screen, inside a virtual X server:
    xvfb-run -s "-screen 0 1600x1000x24" ./scripts/run.sh
MESSAGE
  exit 1
fi

bash scripts/setup.sh build
cmake --preset app
cmake --build --preset app -j "$(nproc)" --target kaleidra
exec ./build/app/app/kaleidra
