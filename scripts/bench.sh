#!/usr/bin/env bash
# Installs what is missing, builds a Release build into build/bench and runs the
# benchmarks: frame and paint at three window sizes beside a bare fill,
# allocations per frame and per paint, and the tick rate of the real window.
# Prints one table; exits non-zero when a figure misses its bar.
# Extra arguments go to the benchmark binary (e.g. --benchmark_filter=Paint).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh build test
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DKALEIDRA_BUILD_BENCH=ON \
  -DKALEIDRA_BUILD_TESTS=OFF -DKALEIDRA_SANITIZE=OFF >/dev/null
cmake --build build/bench -j "$(nproc)" --target kaleidra_bench
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
export QT_QPA_PLATFORM=offscreen
exec ./build/bench/bench/kaleidra_bench "$@"
