#!/usr/bin/env bash
# The program's own message boxes on a bare X server (no window manager, no
# core fonts), each pixel for pixel as slidora-cli draws it:
# - while the program runs, a second start shows "Slidora Quenlo is already
#   starting." in a window titled "Slidora Quenlo" in the middle of the screen;
#   Return, Escape or a click on OK ends that start with status 0, the first
#   runs on and paints over the place the box left;
# - a song error of the running program (a right click on the play button reads
#   EditingSong.txt) shows in a box titled with the song's path, with the error
#   mark, in the middle of the window; the panel takes no click while it shows
#   and takes clicks again after Return;
# - the program closes from its own close button.
# Usage: message_box_xvfb.sh SLIDORA SLIDORA_CLI BITMAP_FOLDER   (exit 77: skipped)
set -uo pipefail
prog=$1
cli=$2
bitmaps=$3
# shellcheck source-path=SCRIPTDIR source=virtual_display.sh disable=SC1091
source "$(dirname "$0")/virtual_display.sh"

STARTING_TEXT="Slidora Quenlo is already starting."
STARTING_CAPTION="Slidora Quenlo"
SONG_TEXT=$'Data Error in Line 1\nYou wrote "01=999"\nData range is 30 .. 180'
MB_ICONHAND=16
SCREEN_W=1600
SCREEN_H=900
WINDOW_W=1360
WINDOW_H=706
# Panel points (the window stands at 0,0): the play, tuning-page and close
# buttons, and the volume field of page 0 with its light grey cell.
PLAY_X=160 PLAY_Y=37
TUNING_X=320 TUNING_Y=37
CLOSE_X=748 CLOSE_Y=39
VOLUME_X=917 VOLUME_Y=330
VOLUME_GREY="235,235,235"
# The first start loads the SoundFont before its window shows; a busy machine
# runs other tests beside this one.
START_LIMIT=60
STEP_LIMIT=20

begin_window_test import convert compare
work=$WORK
mkdir -p "$work/run"
cp -r "$bitmaps" "$work/run/Bitmap"
cd "$work/run" || exit 1

# Screen pixels of a rectangle as a PPM file.  Usage: grab FILE W H X Y
grab() { import -window root -crop "$2x$3+$4+$5" +repage -depth 8 ppm:"$1" 2>/dev/null; }
# The colour of a screen pixel as "r,g,b".
pixel() {
  import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
    sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -n 1
}
# A click of the left (1) or right (3) button at a panel point.
click() { xdotool mousemove "$1" "$2" click "$3"; }

ref_w=""
ref_h=""
btn_l=""
btn_t=""
btn_r=""
btn_b=""
# Draws the reference box headless.  Usage: draw_reference TEXT CAPTION TYPE
draw_reference() {
  read -r _ ref_w ref_h _ btn_l btn_t btn_r btn_b < <("$cli" box "$work/ref.bmp" "$1" "$2" "$3")
  [ -n "${btn_b:-}" ] || fail "slidora-cli box drew nothing"
  convert "$work/ref.bmp" -alpha off -depth 8 ppm:"$work/ref.ppm" || fail "cannot read the reference box"
}

box_x=""
box_y=""
# Waits for the box titled CAPTION (found by PATTERN) in the middle of an area
# of AREA_W x AREA_H at the screen's corner, showing the reference picture,
# while the program PID runs.  Usage: expect_box PATTERN CAPTION AREA_W AREA_H PID OUTPUT
expect_box() {
  local pattern=$1 caption=$2 area_w=$3 area_h=$4 pid=$5 output=$6 box=""
  local deadline=$((SECONDS + START_LIMIT))
  until box=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1) && [ -n "$box" ]; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended without a box: $(cat "$output")"
    [ "$SECONDS" -lt "$deadline" ] || { report_stuck_program "$pid" "$output"; fail "no box titled $caption"; }
    sleep 0.05
  done
  [ "$(xdotool getwindowname "$box")" = "$caption" ] || fail "box titled '$(xdotool getwindowname "$box")'"
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$box")"
  if [ "$WIDTH" != "$ref_w" ] || [ "$HEIGHT" != "$ref_h" ]; then
    fail "box is ${WIDTH}x$HEIGHT, drawn ${ref_w}x$ref_h"
  fi
  if [ "$X" != $(((area_w - WIDTH) / 2)) ] || [ "$Y" != $(((area_h - HEIGHT) / 2)) ]; then
    fail "box at $X,$Y is not in the middle of ${area_w}x$area_h"
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

# The place the box left is painted over: without that, the box's picture
# would stay on the screen (no window background is painted there).
expect_box_painted_over() {
  local deadline=$((SECONDS + STEP_LIMIT))
  until grab "$work/after.ppm" "$ref_w" "$ref_h" "$box_x" "$box_y" && ! cmp -s "$work/after.ppm" "$work/ref.ppm"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the box's picture stayed on the screen"
    sleep 0.1
  done
}

# Waits until the screen pixel has (want=1) or has not (want=0) the colour.
expect_pixel() {
  local x=$1 y=$2 colour=$3 want=$4 what=$5 got=""
  local deadline=$((SECONDS + STEP_LIMIT))
  while [ "$SECONDS" -lt "$deadline" ]; do
    got=$(pixel "$x" "$y")
    if [ "$want" = 1 ] && [ "$got" = "$colour" ]; then return 0; fi
    if [ "$want" = 0 ] && [ -n "$got" ] && [ "$got" != "$colour" ]; then return 0; fi
    sleep 0.1
  done
  fail "$what: pixel ($x,$y) is $got"
}

"$prog" >"$work/first.txt" 2>&1 &
first_pid=$!
deadline=$((SECONDS + START_LIMIT))
until xdotool search --onlyvisible --name '^Slidora$' >/dev/null 2>&1; do
  kill -0 "$first_pid" 2>/dev/null || fail "the first start ended: $(cat "$work/first.txt")"
  [ "$SECONDS" -lt "$deadline" ] || { report_stuck_program "$first_pid" "$work/first.txt"; fail "no window Slidora"; }
  sleep 0.05
done

# A second start: no owner, so the middle of the screen.
draw_reference "$STARTING_TEXT" "$STARTING_CAPTION" 0
show_starting_box() {
  "$prog" >"$work/second.txt" 2>&1 &
  second_pid=$!
  expect_box "^$STARTING_CAPTION\$" "$STARTING_CAPTION" "$SCREEN_W" "$SCREEN_H" "$second_pid" "$work/second.txt"
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
  [ -z "$(xdotool search --name "^$STARTING_CAPTION\$" 2>/dev/null)" ] || fail "the box outlived its program"
  kill -0 "$first_pid" 2>/dev/null || fail "the first program ended with the second"
  [ "$(xdotool search --name '^Slidora$' | wc -l)" -eq 1 ] || fail "not exactly one Slidora window"
  expect_box_painted_over
}

show_starting_box
xdotool key Return
expect_second_quits "Return"

show_starting_box
xdotool key Escape
expect_second_quits "Escape"

show_starting_box
xdotool mousemove $((box_x + (btn_l + btn_r) / 2)) $((box_y + (btn_t + btn_b) / 2)) click 1
expect_second_quits "a click on OK"

# A song error of the running program: the window is the owner.
printf '01=999\n' >EditingSong.txt
song_caption="$(pwd -P)/EditingSong.txt"
draw_reference "$SONG_TEXT" "$song_caption" "$MB_ICONHAND"
expect_pixel "$VOLUME_X" "$VOLUME_Y" "$VOLUME_GREY" 1 "page 0 before the song"
click "$PLAY_X" "$PLAY_Y" 3
expect_box 'EditingSong\.txt$' "$song_caption" "$WINDOW_W" "$WINDOW_H" "$first_pid" "$work/first.txt"
# A click on the tuning-page button reaches the program before the Return
# does, while the box holds the input: it must change nothing.
click "$TUNING_X" "$TUNING_Y" 1
xdotool key Return
deadline=$((SECONDS + STEP_LIMIT))
while [ -n "$(xdotool search --name 'EditingSong\.txt$' 2>/dev/null)" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the song box did not close on Return"
  sleep 0.05
done
kill -0 "$first_pid" 2>/dev/null || fail "the program ended with its box"
expect_box_painted_over
expect_pixel "$VOLUME_X" "$VOLUME_Y" "$VOLUME_GREY" 1 "page 0 after the box (the click under the box went through)"
click "$TUNING_X" "$TUNING_Y" 1
expect_pixel "$VOLUME_X" "$VOLUME_Y" "$VOLUME_GREY" 0 "the tuning page after a click once the box is gone"

# The program closes from its own close button, as a user closes it.
click "$CLOSE_X" "$CLOSE_Y" 1
deadline=$((SECONDS + STEP_LIMIT))
while kill -0 "$first_pid" 2>/dev/null; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the program still runs after its close button was clicked"
  sleep 0.05
done
wait "$first_pid"
status=$?
first_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
