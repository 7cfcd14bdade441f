#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kaleidra.
set -euo pipefail
cd "$(dirname "$0")/.."

# A window needs a desktop session that answers; say so before installing or
# building anything.
no_session() {
  local as_root=""
  [ "$(id -u)" -eq 0 ] || as_root="sudo "
  cat >&2 <<MESSAGE
Kaleidra needs a graphical desktop session (X11 or Wayland), and $1.
Start it from a terminal on the desktop, or, on a machine without a screen,
inside a virtual X server with a window manager, which opens the window
maximised (xvfb-run comes with the Debian package xvfb):
    ${as_root}apt-get update && ${as_root}apt-get install -y xvfb xauth openbox
    xvfb-run -s "-screen 0 1600x1000x24" sh -c 'openbox & ./scripts/run.sh'
MESSAGE
  exit 1
}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  no_session "none was found: neither DISPLAY nor WAYLAND_DISPLAY is set"
fi
# Something listens at the socket (a crashed server leaves its socket file).
listens() {
  if command -v perl >/dev/null; then
    perl -MIO::Socket::UNIX -e 'exit !IO::Socket::UNIX->new(Peer => $ARGV[0])' "$1" 2>/dev/null
  else
    [ -S "$1" ]
  fi
}
# A remote display (ssh -X) or an explicit platform is taken as given.
answers=""
silent=()
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
  socket="$WAYLAND_DISPLAY"
  [[ "$socket" == /* ]] || socket="${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/$socket"
  if listens "$socket"; then answers=yes; else silent+=("no Wayland compositor at $socket"); fi
fi
if [[ "${DISPLAY:-}" =~ ^(unix)?:([0-9]+)(\.[0-9]+)?$ ]]; then
  socket="/tmp/.X11-unix/X${BASH_REMATCH[2]}"
  if listens "$socket"; then answers=yes; else silent+=("no X server at $socket for DISPLAY=$DISPLAY"); fi
elif [ -n "${DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
  answers=yes
fi
if [ -z "$answers" ]; then
  no_session "the display it was given does not answer: $(IFS=';'; echo "${silent[*]}" | sed 's/;/; /g')"
fi

bash scripts/setup.sh build
cmake --preset app
cmake --build --preset app -j "$(nproc)" --target kaleidra
exec ./build/app/app/kaleidra
