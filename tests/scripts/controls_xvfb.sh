#!/usr/bin/env bash
# The program in a real window on a virtual X display: the move icon drags the
# window, xdotool clicks through the four pages and a few controls, a screenshot after each step must show the
# expected highlight colours, a tuning-name box takes typed text but no sixth
# character, and the close button saves the settings.
# Usage: controls_xvfb.sh SLIDORA RUN_DIR   (exit 77: skipped)
set -uo pipefail
prog=$1
run=$2
# shellcheck source=virtual_display.sh
source "$(dirname "$0")/virtual_display.sh"
begin_window_test import
work=$WORK

cp -r "$run/Bitmap" "$work/" 2>/dev/null
cd "$work" || exit 1
"$prog" >prog.log 2>&1 &
APP_PID=$!
win=""
# The SoundFont loads before the window shows; a busy machine takes its time.
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
  win=$(xdotool search --onlyvisible --name '^Slidora$' 2>/dev/null | head -n 1)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { report_stuck_program "$APP_PID" prog.log >&2; fail "no window titled Slidora"; }
eval "$(xdotool getwindowgeometry --shell "$win")"  # X, Y of the window
# The window shows before the program's loop takes input; the first paint tells.
sleep 1
wx=$X
wy=$Y

# The colour of a client pixel now, as "r,g,b".
pixel() {
  import -window root -crop "1x1+$(($1 + wx))+$(($2 + wy))" +repage -depth 8 txt:- 2>/dev/null |
    sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -n 1
}
# Waits until the client pixel shows the colour (the program draws on its own time).
expect_pixel() {
  local x=$1 y=$2 want=$3 what=$4 got=""
  local deadline=$((SECONDS + 15))
  while [ "$SECONDS" -lt "$deadline" ]; do
    got=$(pixel "$x" "$y")
    [ "$got" = "$want" ] && return 0
    sleep 0.2
  done
  import -window root "$work/shot.png" 2>/dev/null
  fail "$what: pixel ($x,$y) is $got, expected $want"
}
click() {
  xdotool mousemove $(($1 + wx)) $(($2 + wy))
  sleep 0.1
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 0.1
}

cream=250,240,210
cyan=0,255,255
grey=100,100,100

before_click() { :; }
# Clicks (x, y) until the client pixel (px, py) shows the colour: a click that
# reaches the program before its loop runs is repeated (every click used here
# may be repeated without changing the outcome).
click_until() {
  local x=$1 y=$2 px=$3 py=$4 want=$5 what=$6 got=""
  for _ in 1 2 3 4 5; do
    before_click
    click "$x" "$y"
    for _ in 1 2 3 4 5; do
      got=$(pixel "$px" "$py")
      [ "$got" = "$want" ] && return 0
      sleep 0.2
    done
  done
  import -window root "$work/shot.png" 2>/dev/null
  fail "$what: pixel ($px,$py) is $got, expected $want"
}

# The move icon: the window follows the pointer while the left button is down,
# step for step, also through equal steps (while the window keeps up with the
# pointer, each lands on the same client point). A press that reaches the
# program before its loop runs moves nothing; the drag is then tried again.
for _ in 1 2 3 4 5; do
  xdotool mousemove $((628 + wx)) $((39 + wy))
  sleep 0.1
  xdotool mousedown 1
  sleep 0.2
  for step in 12 24 36 48 60; do
    xdotool mousemove $((628 + wx + step)) $((39 + wy + step * 4 / 5))
    sleep 0.2
  done
  xdotool mouseup 1
  sleep 0.2
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$X" != "$wx" ] || [ "$Y" != "$wy" ] && break
done
[ "$X,$Y" = "$((wx + 60)),$((wy + 48))" ] || fail "the drag moved the window from $wx,$wy to $X,$Y"
wx=$X
wy=$Y

# MIDI settings page: the open device (the mapper) and reverb 10 are highlighted.
click_until 470 30 82 122 "$cream" "page 2 mapper row"
expect_pixel 672 122 "$cream" "page 2 reverb 10"
click_until 680 250 672 247 "$cream" "reverb 5 chosen"
expect_pixel 672 122 "$cyan" "reverb 10 no longer chosen"

# Playing page, then the voice list of the upper neck's voice 0 (program 26).
before_click() { click 160 30; }
click_until 700 335 42 546 "$cream" "page 3 program 26"
before_click() { :; }
click_until 315 229 307 226 "$cream" "program 40 chosen"
expect_pixel 42 546 "$cyan" "program 26 no longer chosen"

# Tuning editor: the name boxes and the note cells.
click_until 320 30 41 206 "$cyan" "page 1 note cell"
expect_pixel 40 180 "$grey" "name box border"
click 98 185
xdotool key BackSpace BackSpace
xdotool type --delay 30 "ABCDEFG"
sleep 0.3

# Close with the close button: the settings are written.
click 740 30
for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "the close button did not end the program"
APP_PID=""
grep -qxF "(0)Name=ABCDE" SLD.ini || fail "the name box did not keep five typed characters: $(grep '(0)Name' SLD.ini)"
grep -qxF "ReverbTime=5" SLD.ini || fail "reverb not saved"
grep -qxF "UpperVoice0No=40" SLD.ini || fail "voice not saved"
echo "window session: ok"
