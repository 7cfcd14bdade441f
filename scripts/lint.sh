#!/usr/bin/env bash
# The code's own checks: the format of every C++ file against .clang-format,
# and clang-tidy with .clang-tidy on the program's code (not the tests), both
# to be clean. clang-tidy reads the dev build's compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh build lint
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "lint: every C++ file is formatted as .clang-format says"

cmake --preset dev >/dev/null
# The generated moc and version headers must be there for the window's sources.
cmake --build --preset dev -j "$(nproc)" --target kaleidra
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! git ls-files 'core/*.cpp' 'shapes/*.cpp' 'render/*.cpp' 'ui/*.cpp' 'app/*.cpp' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p build/dev --quiet --warnings-as-errors='*' >"$log" 2>&1
then
  grep -v -e 'warnings\? generated' "$log" >&2
  echo "lint: clang-tidy found the faults above" >&2
  exit 1
fi
echo "lint: clang-tidy finds nothing in the program's code"
