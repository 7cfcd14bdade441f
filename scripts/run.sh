#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kaleidra.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh build
cmake --preset dev
cmake --build --preset dev -j "$(nproc)" --target kaleidra
exec ./build/dev/app/kaleidra
