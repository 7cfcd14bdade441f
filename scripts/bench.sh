#!/usr/bin/env bash
# Installs what is missing, builds a Release build into build/bench and runs the
# benchmarks: frame and paint at three window sizes beside a bare fill and a
# bare copy, allocations per frame and per paint, the tick rate of the real
# window; then the whole program against a minimal Qt window in Xvfb at
# 1600x1000 and 3840x2160. Prints two tables; exits non-zero when a figure
# misses its bar, and names it.
#   scripts/bench.sh                            every figure
#   WHOLE_PROGRAM_ROUNDS=9 scripts/bench.sh     more rounds of the whole program
# Extra arguments go to the benchmark binary (e.g. --benchmark_filter=Paint).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh build test session
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DKALEIDRA_BUILD_BENCH=ON \
  -DKALEIDRA_BUILD_TESTS=OFF -DKALEIDRA_SANITIZE=OFF >/dev/null
cmake --build build/bench -j "$(nproc)" --target kaleidra_bench kaleidra floor_window
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
status=0
QT_QPA_PLATFORM=offscreen ./build/bench/bench/kaleidra_bench "$@" || status=1
/usr/bin/python3 bench/whole_program.py build/bench/app/kaleidra build/bench/bench/floor_window \
  "${WHOLE_PROGRAM_ROUNDS:-7}" || status=1
exit "$status"
