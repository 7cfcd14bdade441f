#!/usr/bin/env bash
# Installs the Debian packages Kaleidra needs to build, run and test, and
# nothing else. Packages already present are left alone.
set -euo pipefail

packages=(
  cmake
  g++
  make
  qt6-base-dev
  qt6-qpa-plugins
  libgl-dev
  libgtest-dev
  libbenchmark-dev
  xvfb
  xauth
  xdotool
  clang
  libclang-rt-14-dev
  fontconfig
  fonts-dejavu-core
  desktop-file-utils
  appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
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
