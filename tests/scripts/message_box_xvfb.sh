#!/usr/bin/env bash
# The program's own message box on a bare X server (no window manager, no core
# fonts): while the program runs, a second start shows the box "Slidora Quenlo
# is already starting." in a window titled "Slidora Quenlo", centred on the
# screen, pixel for pixel as slidora-cli draws it; Return, Escape or a click on
# OK ends the second start with status 0, the first runs on, paints over the
# place the box left, and closes from its own close button.
# Usage: message_box_xvfb.sh SLIDORA SLIDORA_CLI BITMAP_FOLDER   (exit 77: skipped)
set -uo pipefail
prog=$1
cli=$2
bitmaps=$3
# shellcheck source-path=SCRIPTDIR source=virtual_display.sh disable=SC1091
source "$(dirname "$0")/virtual_display.sh"
for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

TEXT="Slidora Quenlo is already starting."
CAPTION="Slidora Quenlo"
SCREEN_W=1600
SCREEN_H=900
# The first start loads the SoundFont before its window shows; a busy machine
# runs other tests beside this one.
START_LIMIT=60
STEP_LIMIT=20

work=$(mktemp -d)
XVFB_PID=""
first_pid=""
second_pid=""
cleanup() {
  [ -n "$second_pid" ] && kill "$second_pid" 2>/dev/null && wait "$second_pid" 2>/dev/null
  [ -n "$first_pid" ] && kill "$first_pid" 2>/dev/null && wait "$first_pid" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  import -window root "${TMPDIR:-/tmp}/message_box_xvfb_fail.png" 2>/dev/null
  exit 1
}

start_virtual_display "$work" || { echo "skipped: Xvfb did not start"; exit 77; }
mkdir -p "$work/run"
cp -r "$bitmaps" "$work/run/Bitmap"
cd "$work/run" || exit 1

# The box as the program draws it, and where its button lies.
read -r _ ref_w ref_h _ btn_l btn_t btn_r btn_b < <("$cli" box "$work/ref.bmp" "$TEXT" "$CAPTION" 0)
[ -n "${btn_b:-}" ] || fail "slidora-cli box drew nothing"
convert "$work/ref.bmp" -alpha off -depth 8 ppm:"$work/ref.ppm" || fail "cannot read the reference box"

# Screen pixels of a rectangle as a PPM file.  Usage: grab FILE W H X Y
grab() { import -window root -crop "$2x$3+$4+$5" +repage -depth 8 ppm:"$1" 2>/dev/null; }

"$prog" >"$work/first.txt" 2>&1 &
first_pid=$!
deadline=$((SECONDS + START_LIMIT))
until xdotool search --onlyvisible --name '^Slidora$' >/dev/null 2>&1; do
  kill -0 "$first_pid" 2>/dev/null || fail "the first start ended: $(cat "$work/first.txt")"
  [ "$SECONDS" -lt "$deadline" ] || { report_stuck_program "$first_pid" "$work/first.txt"; fail "no window Slidora"; }
  sleep 0.05
done

box=""
box_x=""
box_y=""
# Starts the second copy and waits until its box shows the reference picture.
show_box() {
  "$prog" >"$work/second.txt" 2>&1 &
  second_pid=$!
  box=""
  local deadline=$((SECONDS + START_LIMIT))
  until box=$(xdotool search --onlyvisible --name "^$CAPTION\$" 2>/dev/null | head -n 1) && [ -n "$box" ]; do
    kill -0 "$second_pid" 2>/dev/null || fail "the second start ended without a box: $(cat "$work/second.txt")"
    [ "$SECONDS" -lt "$deadline" ] || { report_stuck_program "$second_pid" "$work/second.txt"; fail "no box window"; }
    sleep 0.05
  done
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$box")"
  if [ "$WIDTH" != "$ref_w" ] || [ "$HEIGHT" != "$ref_h" ]; then
    fail "box is ${WIDTH}x$HEIGHT, drawn ${ref_w}x$ref_h"
  fi
  # No owner: the middle of the screen.
  if [ "$X" != $(((SCREEN_W - WIDTH) / 2)) ] || [ "$Y" != $(((SCREEN_H - HEIGHT) / 2)) ]; then
    fail "box at $X,$Y is not centred on the screen"
  fi
  box_x=$X
  box_y=$Y
  deadline=$((SECONDS + STEP_LIMIT))
  until grab "$work/shot.ppm" "$WIDTH" "$HEIGHT" "$X" "$Y" && cmp -s "$work/shot.ppm" "$work/ref.ppm"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      differ=$(compare -metric AE "$work/shot.ppm" "$work/ref.ppm" null: 2>&1)
      fail "the box on the screen differs from the drawn one in $differ pixels"
    fi
    sleep 0.1
  done
}

# Waits for the second copy to end with status 0, its box gone, the first running.
expect_second_quits() {
  local how=$1 deadline=$((SECONDS + STEP_LIMIT))
  while kill -0 "$second_pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the second start still runs after $how"
    sleep 0.05
  done
  wait "$second_pid"
  local status=$?
  second_pid=""
  [ "$status" -eq 0 ] || fail "the second start ended with status $status after $how: $(cat "$work/second.txt")"
  [ -z "$(xdotool search --name "^$CAPTION\$" 2>/dev/null)" ] || fail "the box outlived its program"
  kill -0 "$first_pid" 2>/dev/null || fail "the first program ended with the second"
  [ "$(xdotool search --name '^Slidora$' | wc -l)" -eq 1 ] || fail "not exactly one Slidora window"
}

# The first program paints over the place the box left: without that, the
# box's picture would stay on the screen (no window background is painted).
expect_box_painted_over() {
  local deadline=$((SECONDS + STEP_LIMIT))
  until grab "$work/after.ppm" "$ref_w" "$ref_h" "$box_x" "$box_y" && ! cmp -s "$work/after.ppm" "$work/ref.ppm"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the box's picture stayed on the screen"
    sleep 0.1
  done
}

show_box
xdotool key Return
expect_second_quits "Return"
expect_box_painted_over

show_box
xdotool key Escape
expect_second_quits "Escape"
expect_box_painted_over

show_box
xdotool mousemove $((box_x + (btn_l + btn_r) / 2)) $((box_y + (btn_t + btn_b) / 2)) click 1
expect_second_quits "a click on OK"
expect_box_painted_over

# The first closes from its own close button, as a user closes it.
xdotool mousemove 748 39 click 1
deadline=$((SECONDS + STEP_LIMIT))
while kill -0 "$first_pid" 2>/dev/null; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the first program still runs after its close button was clicked"
  sleep 0.05
done
wait "$first_pid"
status=$?
first_pid=""
[ "$status" -eq 0 ] || fail "the first program ended with status $status"
echo "PASS"
