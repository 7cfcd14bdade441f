#!/usr/bin/env bash
# The program as a user meets it: the real binary in an X server (Xvfb
# 1600x1000) under a window manager (openbox) that maximises it, driven by
# real clicks and keys (xdotool) and looked at in screenshots (imagemagick);
# then a start on Wayland (weston, headless). Every check prints PASS or
# FAIL; the script fails when any check fails. Exit 77 (skipped) when the
# tools are missing or no X server can start.
#   real_session.sh PROGRAM
set -uo pipefail

app="$(realpath "$1")"
for tool in xvfb-run Xvfb openbox xdotool xprop import convert compare; do
  if ! command -v "$tool" >/dev/null; then
    echo "session: SKIPPED: $tool is missing (scripts/setup.sh session installs it)"
    exit 77
  fi
done
if [ -z "${KALEIDRA_SESSION_INSIDE:-}" ]; then
  if ! xvfb-run -a -s "-nolisten tcp" true >/dev/null 2>&1; then
    echo "session: SKIPPED: no X server can start here (Xvfb failed)"
    exit 77
  fi
  export KALEIDRA_SESSION_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp" bash "$0" "$@"
fi

unset QT_QPA_PLATFORM QT_SCALE_FACTOR  # the real xcb window, as a desktop starts it
work="$(mktemp -d)"
pids=()
failures=0

cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

check() {  # check NAME COMMAND...: runs the command and reports
  local name="$1"
  shift
  if "$@"; then
    echo "session: PASS: $name"
  else
    echo "session: FAIL: $name"
    failures=$((failures + 1))
  fi
}

# Polls COMMAND every 0.1 s for at most SECONDS; true as soon as it holds.
wait_for() {
  local seconds="$1"
  shift
  local end=$((SECONDS + seconds))
  while ! "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

openbox >/dev/null 2>&1 &
pids+=($!)
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 10 wm_ready || { echo "session: openbox did not start"; exit 1; }

window=""
app_pid=""
maximised() {
  eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)"
  [ "${WIDTH:-0}" -ge 1500 ]
}
found_window() {
  window="$(xdotool search --onlyvisible --name '^Kaleidra$' 2>/dev/null | head -n 1)"
  [ -n "$window" ]
}

# A fresh program, its window shown maximised by the window manager.
start_app() {
  [ -n "$app_pid" ] && stop_app
  "$app" >"$work/app.log" 2>&1 &
  app_pid=$!
  pids+=("$app_pid")
  wait_for 10 found_window || { echo "session: no window appeared"; cat "$work/app.log"; exit 1; }
  wait_for 10 maximised || { echo "session: the window was not maximised"; exit 1; }
  xdotool mousemove --window "$window" 800 500  # off the panel: no hover anywhere
  # The panel has painted once its face shows: a grey, neither black nor white.
  if [ -z "${face:-}" ]; then
    wait_for 20 panel_painted || { echo "session: the panel was never drawn"; exit 1; }
    face="$painted"
  else
    wait_for 20 panel_shown || { echo "session: the panel was never drawn"; exit 1; }
  fi
}
stop_app() {
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=""
}

# Input, in the window's own coordinates. A click is press and release at once.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
type_into() {  # type_into X Y TEXT: click into a field, replace its text
  click "$1" "$2"
  xdotool key ctrl+a type "$3"
}

# The window's own pixels.
shot() { import -window "$window" "$work/$1.png" 2>/dev/null; }
pixel() {  # pixel SHOT X Y -> RRGGBB
  convert "$work/$1.png" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6
}
count_colour() {  # count_colour SHOT X Y W H RRGGBB
  convert "$work/$1.png" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- 2>/dev/null |
    grep -ci "#$6 "
}
same() {  # same SHOT_A SHOT_B W H XA YA [XB YB]: identical crops
  local d
  d="$(compare -metric AE "$work/$1.png[$3x$4+$5+$6]" "$work/$2.png[$3x$4+${7:-$5}+${8:-$6}]" \
    null: 2>&1)"
  [ "$d" = "0" ]
}
sized() {  # sized W H: the window manager has given the window this size
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$WIDTH" -eq "$1" ] && [ "$HEIGHT" -eq "$2" ]
}

# Where things are, by the designed layout: the panel at the left, the button
# box beside it.
face_x=4 face_y=300                     # the panel's own face, left of its boxes
stop_x=176 stop_y=28 vollbild_x=176 vollbild_y=60 standard_x=176 standard_y=92
groesse_x=80 groesse_y=492              # "Größe"
basis_x=80 basis_y=426                  # "Basis"
wechsel_x=80 wechsel_y=297              # "Wechsel"
morph_x=80 morph_y=321                  # "Morph"
schwarz_x=40 schwarz_y=30 weiss_x=40 weiss_y=42
rotblau_x=40 rotblau_y=95 direkt_x=40 direkt_y=380

panel_shown() { shot panel; [ "$(pixel panel $face_x $face_y)" = "$face" ]; }
panel_painted() {
  shot panel
  painted="$(pixel panel $face_x $face_y)"
  [ ${#painted} -eq 6 ] && [ "$painted" != 000000 ] && [ "$painted" != FFFFFF ] &&
    [ "${painted:0:2}" = "${painted:2:2}" ] && [ "${painted:2:2}" = "${painted:4:2}" ]
}
panel_hidden() { shot panel; [ "$(pixel panel $face_x $face_y)" != "$face" ]; }
# No frame runs: the picture stands still.
picture_still() {
  shot still_a
  sleep 0.3
  shot still_b
  same still_a still_b 1000 600 300 200
}
picture_moves() { ! picture_still; }
# Stops the animation and waits for the picture to stand still: the input
# sent before has then been handled, as the program takes it in order.
stop_and_wait() {
  click $stop_x $stop_y
  wait_for 10 picture_still
}

# ------------------------------------------------------------------ faults

start_app
echo "session: window $WIDTH x $HEIGHT, panel face #$face"

# 1. A typed out-of-range value, then a plain click: the click counts.
type_into $groesse_x $groesse_y 12
click $vollbild_x $vollbild_y
check "a click after typing 12 into Größe hides the panel" wait_for 10 panel_hidden
click 800 500
check "a press on the picture brings the panel back" wait_for 10 panel_shown
type_into $basis_x $basis_y 12
click $stop_x $stop_y
check "a click on STOP after typing 12 into Basis stops the animation" wait_for 10 picture_still
click $stop_x $stop_y
check "a second click starts it again" wait_for 10 picture_moves

# 2. The spin arrows follow a value set by "Standard".
start_app
type_into $wechsel_x $wechsel_y 0
xdotool key Tab
click $standard_x $standard_y
# "Wechsel" (6) and "Morph" (1) are both inside their ranges: equal arrows.
arrows_alike() {
  shot arrows
  same arrows arrows 16 22 $((wechsel_x + 9)) $((wechsel_y - 11)) $((morph_x + 9)) \
    $((morph_y - 11))
}
check "after Standard the arrows of Wechsel look like those of Morph" wait_for 10 arrows_alike

# 3. The picture fills the whole client area.
start_app
click $weiss_x $weiss_y
stop_and_wait
w=$WIDTH h=$HEIGHT
edges_white() {
  shot white
  [ "$(count_colour white $((w - 8)) 200 8 400 ffffff)" -eq 3200 ] &&
    [ "$(count_colour white 300 $((h - 20)) 1000 20 ffffff)" -eq 20000 ]
}
check "on weiss the right and bottom edges of the window are white" edges_white
click $vollbild_x $vollbild_y
wait_for 10 panel_hidden
click $((w - 4)) $((h / 2))
check "a press on the right edge brings the panel back" wait_for 10 panel_shown

# 4. Resizing while stopped keeps the picture.
xdotool mousemove 800 8 click --repeat 2 --delay 80 1  # the title bar: unmaximise
wait_for 10 eval '! maximised'
xdotool windowsize "$window" 900 650
wait_for 10 sized 900 650 && wait_for 10 picture_still
shot before_resize
xdotool windowsize "$window" 1100 750
wait_for 10 sized 1100 750
exposed_white() {
  shot after_resize
  [ "$(count_colour after_resize 900 0 200 750 ffffff)" -eq 150000 ]
}
check "the newly exposed part shows the background (white)" wait_for 10 exposed_white
check "a resize while stopped keeps the picture where it overlaps" \
  same before_resize after_resize 670 650 230 0

# 7. The window cannot be shrunk below its panel.
xdotool windowsize "$window" 400 300
wait_for 10 eval '! sized 1100 750'
check "a window sized 400x300 keeps the panel and the buttons (now $WIDTH x $HEIGHT)" \
  test "$WIDTH" -ge 225 -a "$HEIGHT" -ge 561

# 5. The effect group's indicators stand apart.
start_app
# Down the column through the indicators' centres, the runs that are not the
# face: nine indicators with a gap of two face pixels or more between them.
indicator_runs() {
  shot radios
  convert "$work/radios.png" -crop "1x116+22+68" +repage -depth 8 txt:- 2>/dev/null |
    awk -v face="#$face" 'NR > 1 {
      on = (tolower($3) != tolower(face))
      if (on && !was) { if (runs && gap < 2) touching++; runs++ }
      if (!on) gap = was ? 1 : gap + 1
      was = on
    } END { print runs "," touching + 0 }'
}
indicators_apart() { [ "$(indicator_runs)" = "9,0" ]; }
check "nine separate radio indicators (runs, touching: $(indicator_runs))" \
  wait_for 10 indicators_apart

# 6. Tab into a radio group lands on its selected item.
start_app
click $rotblau_x $rotblau_y
click $standard_x $standard_y
click $schwarz_x $schwarz_y
xdotool key Tab space  # Space selects whichever item has the focus
stop_and_wait
shot tabbed
check "Tab into the effect group lands on Rot/Cyan (cyan crosses, no blue)" \
  test "$(count_colour tabbed 300 0 1300 981 0000ff)" -eq 0 -a \
  "$(count_colour tabbed 300 0 1300 981 00ffff)" -gt 100
click $direkt_x $direkt_y
click $standard_x $standard_y
click $morph_x $morph_y
xdotool key Tab space
click $stop_x $stop_y  # starts it again, so that stopping can show the keys were handled
wait_for 10 picture_moves
stop_and_wait
shot tabbed2
# "direkt" must look as "weiss" does: not selected, no focus ring.
check "Tab into the projection group lands on parallel" \
  same tabbed2 tabbed2 10 10 16 377 16 36
stop_app

# ------------------------------------------------------------------ Wayland

wayland_start() {
  local runtime socket="kaleidra-session"
  runtime="$work/runtime"
  mkdir -m 700 "$runtime"
  XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --use-pixman \
    --socket="$socket" --width=1600 --height=1000 --idle-time=0 --debug \
    >"$work/weston.log" 2>&1 &
  pids+=($!)
  wait_for 10 test -S "$runtime/$socket" || { echo "weston did not start"; return 1; }
  XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$app" \
    >"$work/app-wayland.log" 2>&1 &
  pids+=($!)
  local shots="$work/wayland"
  mkdir "$shots"
  wayland_drawn() {
    rm -f "$shots"/*.png
    (cd "$shots" && XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" weston-screenshooter \
      >/dev/null 2>&1)
    local png
    png="$(ls "$shots"/*.png 2>/dev/null | head -n 1)"
    [ -n "$png" ] || return 1
    cp "$png" "$work/wayland.png"
    [ "$(count_colour wayland 0 0 1600 1000 ff0000)" -gt 100 ] &&
      [ "$(count_colour wayland 0 0 1600 1000 00ffff)" -gt 100 ] &&
      [ "$(count_colour wayland 0 0 1600 1000 "$face")" -gt 10000 ]
  }
  wait_for 15 wayland_drawn || { cat "$work/app-wayland.log"; return 1; }
}
if command -v weston >/dev/null && command -v weston-screenshooter >/dev/null; then
  check "on Wayland the window shows its panel and red and cyan crosses" wayland_start
else
  echo "session: SKIPPED: weston is missing, no Wayland check"
fi

[ -n "${SESSION_KEEP:-}" ] && cp "$work"/*.png "$SESSION_KEEP"/ 2>/dev/null
if [ "$failures" -gt 0 ]; then
  echo "session: $failures checks failed"
  exit 1
fi
echo "session: passed"
