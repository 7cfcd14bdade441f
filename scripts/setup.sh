#!/usr/bin/env bash
# Installs the Debian packages that Kaleidra needs for the named purposes, and
# nothing else. Packages already present are left alone.
#   setup.sh build            build and run the program
#   setup.sh build test       ... and run the test suite
#   setup.sh session          the real-session test: window manager, screenshots, Wayland,
#                             the accessibility bus
#   setup.sh gnome            the GNOME session test: Debian's mutter with its Xwayland (70 MB)
#   setup.sh lint             the format and clang-tidy checks
#   setup.sh fuzz             the fuzzers (clang with libFuzzer, llvm-symbolizer)
#   setup.sh package          checking the Debian package (lintian)
set -euo pipefail

declare -A groups=(
  [build]="cmake g++ make pkg-config libwayland-dev qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev libxcb1-dev fontconfig fonts-dejavu-core"
  [test]="libgtest-dev libbenchmark-dev xvfb xauth xdotool desktop-file-utils appstream"
  [session]="xvfb xdotool openbox x11-utils imagemagick weston qt6-wayland dbus-daemon at-spi2-core python3-pyatspi qt6ct"
  [gnome]="mutter xwayland"
  [lint]="clang-format clang-tidy git"
  [fuzz]="clang libclang-rt-14-dev llvm-14"
  [package]="lintian"
)

[ $# -gt 0 ] || set -- build
packages=()
for group in "$@"; do
  if [ -z "${groups[$group]+set}" ]; then
    echo "setup.sh: unknown purpose '$group' (build, test, session, gnome, lint, fuzz, package)" >&2
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

# Without root, sudo must be there and usable; otherwise say what to install.
refuse() {
  cat >&2 <<MESSAGE
Kaleidra needs these Debian packages, which are not installed: ${missing[*]}
$1, so this script cannot install them. Ask someone with root rights to run:
    apt-get update && apt-get install --no-install-recommends ${missing[*]}
MESSAGE
  exit 1
}
SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || refuse "You are not root and sudo is not installed"
  if ! sudo -n true 2>/dev/null; then
    # Rights that need a password: Debian gives them through the sudo group.
    id -nG | tr ' ' '\n' | grep -qx -e sudo -e admin -e wheel ||
      refuse "You are not root and have no sudo rights"
    [ -t 0 ] || refuse "You are not root and sudo needs a password, which cannot be asked here"
    sudo -v || refuse "You are not root and sudo refused"
  fi
  SUDO=(sudo)
fi

echo "Installing: ${missing[*]}"
# Through env, since sudo's reset of the environment would drop it.
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "${missing[@]}"
