#!/usr/bin/env bash
# Two panel controls that react to the pointer moving while a button is held,
# in the real program on a virtual X display: dragging the move icon by
# (+100, +50) moves the window by as much (as the X server sees it) and the new
# place is saved at close; a spin button of the voice page held while the
# pointer slides off it stops repeating at once, keeps the value it had, and is
# drawn released.
# Usage: drag_and_spin_xvfb.sh SLIDORA SLIDORA_CLI RUN_DIR   (exit 77: skipped)
set -uo pipefail
prog=$1
cli=$2
run=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=virtual_display.sh
source "$here/virtual_display.sh"
# shellcheck source=slidora_window.sh
source "$here/slidora_window.sh"
begin_window_test import convert compare identify
cp -r "$run/Bitmap" "$WORK/"
cd "$WORK" || exit 1
printf '[WindowPosition]\nleft=200\ntop=100\n' >SLD.ini
xdotool mousemove 1590 890  # off the window
start_slidora_or_fail "$prog" prog.log
[ "$WX,$WY" = "200,100" ] || fail "the window opened at $WX,$WY, not at the stored 200,100"
convert Bitmap/Player.bmp -crop 100x10+0+0 +repage corner.png
wait_until_shows corner.png 0 0 shot.png || fail "the playing page was not painted"

# The drag: the left button pressed on the move icon, the pointer moved by
# (+100, +50) in two steps, the button released there.
xdotool mousemove $((WX + 628)) $((WY + 39))
sleep 0.2
xdotool mousedown 1
sleep 0.2
xdotool mousemove $((WX + 678)) $((WY + 64))
sleep 0.3
xdotool mousemove $((WX + 728)) $((WY + 89))
sleep 0.3
xdotool mouseup 1
# The X server moves the window as the program asks; a busy machine delays it.
deadline=$((SECONDS + 10))
while moved=$(window_place) && [ "$moved" != "300,150" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
[ "$moved" = "300,150" ] || fail "the drag by (+100,+50) left the window at $moved, not at 300,150"
WX=300
WY=150

# The voice page of the upper neck's first voice; the bank MSB spin pair at
# (400, 660) is drawn off.
convert Bitmap/SpinButton_Off.bmp spin_off.png
convert Bitmap/SpinButton_Up.bmp spin_up.png
click 742 338
wait_until_shows spin_off.png 400 660 shot.png || fail "the voice page did not open"

# Held: the value repeats upwards; the pointer then slides off the button
# with the button still down.
xdotool mousemove $((WX + 408)) $((WY + 667))
sleep 0.2
xdotool mousedown 1
sleep 1.2
client_crop 400 660 16 33 held.png
same_pixels held.png spin_up.png || fail "the held spin button is not drawn pressed"
xdotool mousemove $((WX + 600)) $((WY + 500))
# Once the program has seen the pointer leave, the button is drawn released...
wait_until_shows spin_off.png 400 660 released.png ||
  fail "the spin button is still drawn pressed after the pointer left it"
# ...and the value no longer moves while the button stays down.
client_crop 320 677 78 16 value_left.png
sleep 1.5
client_crop 320 677 78 16 value_later.png
xdotool mouseup 1
same_pixels value_left.png value_later.png || fail "the value went on counting after the pointer left the button"

close_slidora || fail "the close button did not end the program"
if ! grep -qx 'left=300' SLD.ini || ! grep -qx 'top=150' SLD.ini; then
  fail "the dragged place was not saved: $(grep -E '^(left|top)=' SLD.ini | tr '\n' ' ')"
fi
msb=$(sed -n 's/^UpperVoice0MSB=//p' SLD.ini)
if [ -z "$msb" ] || [ "$msb" -lt 3 ] || [ "$msb" -ge 127 ]; then
  fail "the held button should have repeated a few times and stopped below 127: UpperVoice0MSB=$msb"
fi
# The value shown when the pointer left is the one kept: the page as the
# saved settings paint it shows the same field.
"$cli" screenshot 3 saved.bmp || fail "slidora-cli screenshot failed"
convert saved.bmp -crop 78x16+320+677 +repage value_saved.png
same_pixels value_left.png value_saved.png || fail "the value kept ($msb) is not the one shown when the pointer left"
echo "drag and spin: ok"
