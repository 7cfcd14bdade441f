#!/usr/bin/env bash
# Builds the Debian package into build/dev/package/ and checks it with lintian:
# any error or warning fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh build test package
cmake --preset dev
cmake --build --preset dev -j "$(nproc)" --target kaleidra kaleidra_packed_docs
rm -rf build/dev/package
cpack -G DEB --config build/dev/CPackConfig.cmake -B build/dev/package
deb="$(ls build/dev/package/kaleidra_*.deb)"
# Root is the only user in CI; lintian's note about it is no finding.
lintian --fail-on error,warning --info "$deb" 2> >(grep -v 'running with root privileges' >&2)
echo "package: $deb passed lintian"
