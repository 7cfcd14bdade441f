#!/usr/bin/env bash
# Installs the Debian packages that Kaleidra needs for the named purposes, and
# nothing else. Packages already present are left alone.
#   setup.sh build            build and run the program
#   setup.sh build test       ... and run the test suite
#   setup.sh session          the real-session test: window manager, screenshots, Wayland
#   setup.sh fuzz             the fuzzers (clang with libFuzzer)
set -euo pipefail

declare -A groups=(
  [build]="cmake g++ make qt6-base-dev qt6-qpa-plugins libgl-dev fontconfig fonts-dejavu-core"
  [test]="libgtest-dev libbenchmark-dev xvfb xauth xdotool desktop-file-utils appstream"
  [session]="xvfb xauth xdotool openbox x11-utils imagemagick weston qt6-wayland"
  [fuzz]="clang libclang-rt-14-dev"
)

[ $# -gt 0 ] || set -- build
packages=()
for group in "$@"; do
  if [ -z "${groups[$group]+set}" ]; then
    echo "setup.sh: unknown purpose '$group' (build, test, session, fuzz)" >&2
    exit 2
  fi
  read -r -a list <<<"${groups[$group]}"
  packages+=("${list[@]}")
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    [[ " ${missing[*]} " == *" $p "* ]] || missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
