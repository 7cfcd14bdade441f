#!/usr/bin/env bash
# The smoke session, run inside an X server (scripts/smoke.sh starts Xvfb):
# the program runs on its own for 10 s, then takes random clicks and keys in
# its panel for 20 s, must still be alive, and after "Standard" must show
# crosses in red and cyan.
#   session.sh PROGRAM SCREEN_PROBE [RUN_SECONDS] [RANDOM_SECONDS]
set -uo pipefail

app="$1"
probe="$2"
run_seconds="${3:-10}"
random_seconds="${4:-20}"
shot="${SMOKE_SCREENSHOT:-}"

fail() {
  echo "smoke: FAIL: $*"
  kill "$pid" 2>/dev/null
  exit 1
}

alive() {
  kill -0 "$pid" 2>/dev/null || fail "the program has ended (exit status $(wait "$pid"; echo $?))"
}

# The error box ("Fehler") and the info box ("Info") are modal: close whatever
# is open, with the key each one answers to.
close_boxes() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Fehler$' 2>/dev/null); do
    xdotool windowfocus "$w" key Return 2>/dev/null
    boxes_closed=$((boxes_closed + 1))
  done
  for w in $(xdotool search --onlyvisible --name '^Info$' 2>/dev/null); do
    xdotool windowfocus "$w" key Escape 2>/dev/null
    boxes_closed=$((boxes_closed + 1))
  done
}

"$app" &
pid=$!
boxes_closed=0

window=""
for _ in $(seq 1 50); do
  window="$(xdotool search --onlyvisible --name '^Kaleidra$' 2>/dev/null | head -n 1)"
  [ -n "$window" ] && break
  alive
  sleep 0.2
done
[ -n "$window" ] || fail "no window named Kaleidra appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "smoke: window $WINDOW at $X,$Y, $WIDTH x $HEIGHT"

sleep "$run_seconds"
alive

# Where the buttons are: beside the panel as designed, or under it in a
# window taller than 721 pixels.
if [ "$HEIGHT" -gt 721 ]; then
  box_x=20; box_y=566
else
  box_x=136; box_y=0
fi
standard_x=$((X + box_x + 40)); standard_y=$((Y + box_y + 92))

# Clicks go into the panel and onto "START"/"STOP", "Standard" and "Info", not
# onto "Vollbild" or the drawing area, so the panel stays shown; no Space
# either, which would press whichever button has the focus.
keys=(0 1 2 3 5 7 9 minus plus Up Down Tab Return BackSpace Delete Escape Home End)
clicks=0
presses=0
end=$((SECONDS + random_seconds))
while [ "$SECONDS" -lt "$end" ]; do
  if [ $((RANDOM % 5)) -eq 0 ]; then
    xdotool key "${keys[RANDOM % ${#keys[@]}]}" 2>/dev/null
    presses=$((presses + 1))
  else
    case $((RANDOM % 8)) in
      0) bx=0; by=16 ;;   # START/STOP
      1) bx=0; by=80 ;;   # Standard
      2) bx=0; by=112 ;;  # Info
      *) bx=-1 ;;
    esac
    if [ "$bx" -ge 0 ]; then
      cx=$((X + box_x + 4 + RANDOM % 73)); cy=$((Y + box_y + by + 2 + RANDOM % 21))
    else
      cx=$((X + 2 + RANDOM % 117)); cy=$((Y + 2 + RANDOM % 557))
    fi
    xdotool mousemove "$cx" "$cy" click 1 2>/dev/null
    clicks=$((clicks + 1))
  fi
  [ $((RANDOM % 6)) -eq 0 ] && close_boxes
  alive
  sleep 0.05
done
echo "smoke: $clicks clicks, $presses key presses, $boxes_closed boxes closed"

# Back to the defaults, whatever the clicks left: black background, "Rot/Cyan".
for _ in 1 2 3; do close_boxes; sleep 0.3; done
xdotool mousemove "$standard_x" "$standard_y" click 1
sleep 2
close_boxes
sleep 1
alive

"$probe" "$X" "$Y" "$WIDTH" "$HEIGHT" 20 ${shot:+"$shot"} || fail "no red and cyan crosses on the screen"
alive
kill "$pid"
wait "$pid" 2>/dev/null
echo "smoke: passed"
