#!/usr/bin/env bash
# The real window under a virtual X server: the program starts in a fresh
# folder, shows page 0 where it should, closes from its own close button and
# leaves SLD.ini with every setting and the window position; a stored position
# off the screen is brought back onto it.
# Usage: xvfb_window_test.sh PROGRAM BITMAP_FOLDER
set -u
PROGRAM=$1
BITMAPS=$2
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/virtual_display.sh
source "$HERE/scripts/virtual_display.sh"
# shellcheck source=scripts/slidora_window.sh
source "$HERE/scripts/slidora_window.sh"
# How long the second start may take to show its box (s): the SoundFont loads
# first, and a busy machine runs other tests beside this one.
START_LIMIT=60
begin_window_test convert import

mkdir -p "$WORK/run"
cp -r "$BITMAPS" "$WORK/run/Bitmap"
cd "$WORK/run" || exit 1
xdotool mousemove 1590 890  # keep the pointer off the panel


pixel() { convert "$WORK/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
picture_pixel() { convert "$WORK/run/Bitmap/Player.bmp" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }


# What of page 0 differs from the design in the screenshot; nothing when all is right.
page0_problem() {
  local x y
  for xy in "5 5" "150 45" "1000 150" "600 250" "20 700"; do
    read -r x y <<<"$xy"
    set -- "$x" "$y"
    [ "$(pixel "$1" "$2")" = "$(picture_pixel "$1" "$2")" ] || { echo "page 0 at ($1,$2) is $(pixel "$1" "$2"), the picture has $(picture_pixel "$1" "$2")"; return; }
  done
  # The volume field's opaque cell (light grey) and the orange name of tuning set 1 (C6).
  [ "$(pixel 917 330)" = "235,235,235" ] || { echo "volume field at (917,330) is $(pixel 917 330)"; return; }
  convert "$WORK/shot.png" -crop 40x19+113+340 +repage txt:- | grep -q "#FF823C" || echo "no orange tuning-set name at (113,340)"
}

# A fresh folder: no settings file, the window at the top left. The first
# paint follows the window's showing; a busy machine may take a while.
start_slidora_or_fail "$PROGRAM" "$WORK/out.txt"
problem="no screenshot"
deadline=$((SECONDS + 20))
while [ "$SECONDS" -lt "$deadline" ]; do
  import -window root "$WORK/shot.png" && problem=$(page0_problem)
  [ -z "$problem" ] && break
  sleep 0.2
done
[ -n "${SHOT_COPY:-}" ] && cp "$WORK/shot.png" "$SHOT_COPY"
[ -z "$problem" ] || fail "$problem"

# A second start shows "already starting" and quits; the first runs on.
"$PROGRAM" >"$WORK/second.txt" 2>&1 &
SECOND_PID=$!
box=""
deadline=$((SECONDS + START_LIMIT))
while [ "$SECONDS" -lt "$deadline" ]; do
  box=$(xwininfo -root -tree | awk '/"Slidora Quenlo"/ {print $1; exit}')
  [ -n "$box" ] && break
  sleep 0.05
done
[ -n "$box" ] || { report_stuck_program "$SECOND_PID" "$WORK/second.txt"; kill "$SECOND_PID" 2>/dev/null; fail "the second start showed no box"; }
# Return, or a click on its OK button at the middle of the box's lower part,
# again until the box has taken one (it may not have the focus yet).
deadline=$((SECONDS + 20))
while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$SECOND_PID" 2>/dev/null; do
  read -r bx by bw bh < <(xwininfo -id "$box" 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width/ {w=$NF} /Height/ {h=$NF} END {print x, y, w, h}')
  xdotool key --window "$box" Return 2>/dev/null
  sleep 0.3
  kill -0 "$SECOND_PID" 2>/dev/null && [ -n "${bw:-}" ] && xdotool mousemove $(( bx + bw / 2 )) $(( by + bh - 20 )) click 1
  sleep 0.5
done
if kill -0 "$SECOND_PID" 2>/dev/null; then kill "$SECOND_PID"; fail "the second start did not quit"; fi
kill -0 "$APP_PID" 2>/dev/null || fail "the first program ended with the second"
[ "$(xdotool search --name '^Slidora$' | wc -l)" -eq 1 ] || fail "not exactly one Slidora window"

close_slidora || fail "the program still runs after its close button was clicked"
[ -f SLD.ini ] || fail "no SLD.ini after close"
keys=$(grep -c '=' SLD.ini)
[ "$keys" -eq 611 ] || fail "SLD.ini has $keys keys, not 609 and the window position"
{ grep -qx 'left=0' SLD.ini && grep -qx 'top=0' SLD.ini; } || fail "window position not written"

# A stored position beyond the screen's right and bottom edges.
sed -i 's/^left=0$/left=2000/; s/^top=0$/top=300/' SLD.ini
start_slidora_or_fail "$PROGRAM" "$WORK/out.txt"
geometry=$(xdotool search --name '^Slidora$' getwindowgeometry)
echo "$geometry" | grep -q "Position: 240,194" || fail "window not clamped to 240,194: $geometry"
close_slidora || fail "the program still runs after its close button was clicked"
{ grep -qx 'left=240' SLD.ini && grep -qx 'top=194' SLD.ini; } || fail "clamped position not saved"
echo "PASS"
