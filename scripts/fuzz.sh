#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a
# bounded time, starting from its committed corpus in fuzz/corpus/. Any crash,
# leak, timeout or sanitizer report fails the script; the input that caused it
# is left in build/fuzz/run/TARGET/.
#   scripts/fuzz.sh                      60 s per target
#   FUZZ_SECONDS=600 scripts/fuzz.sh     longer
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
jobs="${JOBS:-2}"

bash scripts/setup.sh build fuzz
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKALEIDRA_BUILD_UI=OFF -DKALEIDRA_BUILD_TESTS=OFF -DKALEIDRA_BUILD_FUZZ=ON
cmake --build build/fuzz -j "$jobs" --target spin_text_fuzz frame_fuzz

# Crash reports with function names and lines.
export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
export UBSAN_SYMBOLIZER_PATH="$ASAN_SYMBOLIZER_PATH"

for target in spin_text_fuzz frame_fuzz; do
  run="build/fuzz/run/$target"
  mkdir -p "$run/corpus"
  echo "== $target for ${seconds} s"
  # New inputs go to the build tree; the committed corpus is only read.
  ./build/fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=4096 -print_final_stats=1 -artifact_prefix="$run/" \
    "$run/corpus" "fuzz/corpus/$target"
done
echo "fuzzing found nothing"
