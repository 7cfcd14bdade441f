#!/usr/bin/env bash
# Runs the program in a real X window under Xvfb: 10 s on its own, 20 s of
# random clicks and keys in the panel, then checks that it still runs and that
# the screen shows red and cyan crosses. Skips (exit 0) when Xvfb cannot start.
#   scripts/smoke.sh                       uses build/dev/app/kaleidra, builds it if missing
#   KALEIDRA_APP=path scripts/smoke.sh     another build of the program
#   SMOKE_SCREENSHOT=shot.png scripts/smoke.sh   also saves the checked picture
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh build test
app="${KALEIDRA_APP:-build/dev/app/kaleidra}"
if [ ! -x "$app" ]; then
  cmake --preset dev
  cmake --build --preset dev -j "${JOBS:-2}" --target kaleidra
fi
cmake -S tests/smoke -B build/smoke
cmake --build build/smoke -j "${JOBS:-2}"

server_args="-screen 0 1280x1024x24 -nolisten tcp"
if ! xvfb-run -a -s "$server_args" xdotool getdisplaygeometry >/dev/null 2>&1; then
  echo "smoke: SKIPPED: Xvfb cannot start here"
  exit 0
fi

unset QT_QPA_PLATFORM  # the real xcb window, not the offscreen one
exec xvfb-run -a -s "$server_args" \
  bash tests/smoke/session.sh "$app" build/smoke/screen_probe "${SMOKE_RUN_SECONDS:-10}" \
  "${SMOKE_RANDOM_SECONDS:-20}"
