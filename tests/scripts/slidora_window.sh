# shellcheck shell=bash
# Sourced by the window tests once their virtual display runs: starts the
# program in the working folder, finds its window, and reads, compares and
# clicks client pixels (pixels from the window's top-left corner).

# Starts PROGRAM with its output in LOG and waits up to 60 s for its window
# (the SoundFont loads first, and a busy machine takes its time); sets APP_PID,
# WIN and the window's place WX, WY. Returns 1 when no window came.
start_slidora() {
  local program=$1 log=$2
  "$program" >"$log" 2>&1 &
  APP_PID=$!
  WIN=""
  local deadline=$((SECONDS + 60))
  while [ "$SECONDS" -lt "$deadline" ]; do
    WIN=$(xdotool search --onlyvisible --name '^Slidora$' 2>/dev/null | head -n 1)
    [ -n "$WIN" ] && break
    kill -0 "$APP_PID" 2>/dev/null || return 1
    sleep 0.05
  done
  [ -n "$WIN" ] || return 1
  local place
  place=$(window_place) || return 1
  WX=${place%,*}
  WY=${place#*,}
}

# start_slidora, or the test fails with a report of the program.
start_slidora_or_fail() {
  start_slidora "$1" "$2" && return 0
  report_stuck_program "$APP_PID" "$2" >&2
  fail "no window titled Slidora appeared"
}

# The window's place on the screen as the X server has it: "X,Y".
window_place() {
  local geometry
  geometry=$(xdotool getwindowgeometry --shell "$WIN") || return 1
  echo "$(sed -n 's/^X=//p' <<<"$geometry"),$(sed -n 's/^Y=//p' <<<"$geometry")"
}

# Writes the client rectangle X Y W H as shown now into the picture file OUT.
client_crop() {
  import -window root -crop "$3x$4+$((WX + $1))+$((WY + $2))" +repage "$5" 2>/dev/null
}

# True when two pictures have the same size and every pixel alike.
same_pixels() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]
}

# Waits up to 20 s until the client rectangle at X Y shows the picture file
# PICTURE (the program draws on its own time); the last crop stays in OUT.
wait_until_shows() {
  local picture=$1 x=$2 y=$3 out=$4 size
  size=$(identify -format '%w %h' "$picture") || return 1
  local deadline=$((SECONDS + 20))
  while [ "$SECONDS" -lt "$deadline" ]; do
    # shellcheck disable=SC2086  # the size is two words
    client_crop "$x" "$y" ${size} "$out" && same_pixels "$out" "$picture" && return 0
    sleep 0.2
  done
  return 1
}

# Left click at client X Y, the button held for a moment as a hand holds it.
click() {
  xdotool mousemove $((WX + $1)) $((WY + $2))
  sleep 0.1
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 0.2
}

# Right click at client X Y.
right_click() {
  xdotool mousemove $((WX + $1)) $((WY + $2))
  sleep 0.1
  xdotool mousedown 3
  sleep 0.1
  xdotool mouseup 3
  sleep 0.2
}

# Clicks the close button and waits up to 30 s for the program to end.
# Returns 1 when it still runs.
close_slidora() {
  click 748 39
  local deadline=$((SECONDS + 30))
  while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$APP_PID" 2>/dev/null; do sleep 0.05; done
  kill -0 "$APP_PID" 2>/dev/null && return 1
  wait "$APP_PID"
  APP_PID=""
}
