#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
#   scripts/test.sh          the normal build
#   scripts/test.sh --asan   the same suite under AddressSanitizer + UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."

preset=dev
if [ "${1:-}" = "--asan" ]; then
  preset=asan
fi

bash scripts/setup.sh build test session
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
status=0
ctest --preset "$preset" -j "$(nproc)" || status=$?
# A skipped test says why in its own output, which ctest keeps to itself.
grep -h "SKIPPED:" "build/$preset/Testing/Temporary/LastTest.log" 2>/dev/null | sort -u || true
exit "$status"
