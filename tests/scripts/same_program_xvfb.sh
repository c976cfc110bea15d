#!/usr/bin/env bash
# The headless system is the program: one settings file, one series of clicks,
# once through slidora-cli sim and once through the real program in a window
# on a virtual X display, with its MIDI going to a receiver on a JACK server of
# the test's own. Both must send the same start-up burst (the reset of every
# channel, 510 messages) and then the same messages for the clicks, paint the
# same first picture pixel for pixel, and leave the same SLD.ini.
# Usage: same_program_xvfb.sh SLIDORA SLIDORA_CLI MIDI_RECEIVER JACK_GUARD RUN_DIR   (exit 77: skipped)
set -uo pipefail
prog=$1
cli=$2
receiver=$3
guard=$4
run=$5
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=virtual_display.sh
source "$here/virtual_display.sh"
# shellcheck source=slidora_window.sh
source "$here/slidora_window.sh"
# shellcheck source=jack_server.sh
source "$here/jack_server.sh"
BURST=510
begin_window_test import convert compare identify jackd
work=$WORK

# Settings away from the defaults, the output port named by the receiver's
# port, and a place for the window on either screen.
settings='[WindowPosition]
left=120
top=60

[InitialSetting]
MidiOutDeviceName=slidora-receiver:in

[NeckInfo]
UpperTuning=2
UpperVoice0No=40
UpperVoice0MSB=5
UpperVolume0=7
LowerVoice1No=33
LowerMidiShift=-3

[MIDI]
ReverbTime=4
ChorusLevel=6

[Vibrato]
(40)Depth=64
(40)Rate=7
'
# The clicks: "l X Y" left, "r X Y" right, client pixels. Upper volume 0 up,
# lower MIDI shift down, upper tuning set 4, the MIDI page and chorus 3, the
# tuning editor and string 1's note of set 1 up, the playing page, close.
clicks='l 928 338
r 1150 647
l 320 347
l 480 37
l 780 300
l 320 37
l 45 210
l 160 37
l 748 39'

mkdir "$work/sim" "$work/real"
for d in sim real; do
  cp -r "$run/Bitmap" "$work/$d/"
  printf '%s' "$settings" >"$work/$d/SLD.ini"
done

# Through slidora-cli sim: the pointer moves to each place before its click,
# as the real pointer does.
{
  echo "screenshot first.bmp"
  while read -r button x y; do
    printf 'move %s %s\nwait 100\n%sdown %s %s\nwait 100\n%sup %s %s\nwait 200\n' \
      "$x" "$y" "$button" "$x" "$y" "$button" "$x" "$y"
  done <<<"$clicks"
} >"$work/clicks.sim"
(cd "$work/sim" && "$cli" sim --all "$work/clicks.sim" >sim.out) || fail "slidora-cli sim failed"
# Its MIDI lines as the receiver prints them: upper-case bytes, a program
# change with its one data byte.
awk 'NF == 4 && $2 != "box" {
       b = toupper($2) " " toupper($3)
       if (!(b ~ /^C/ || b ~ /^D/)) b = b " " toupper($4)
       print b
     }' "$work/sim/sim.out" >"$work/sim/midi.txt"
startup=$(awk '$1 == 0' "$work/sim/sim.out" | wc -l)
[ "$startup" -eq "$BURST" ] || fail "the headless start-up sent $startup messages, not $BURST"

# The real program, its MIDI going to the receiver on a JACK server of its own.
start_jack_server "$guard" "slidora-same-$$" "$work" || { echo "skipped: no JACK server came up within 20 s"; exit 77; }
mkfifo "$work/receiver.in"
"$receiver" slidora-receiver <"$work/receiver.in" >"$work/receiver.txt" 2>"$work/receiver.log" &
receiver_pid=$!
exec 8>"$work/receiver.in"  # the receiver runs while this stays open
deadline=$((SECONDS + 15))
while [ "$SECONDS" -lt "$deadline" ] && ! grep -qx ready "$work/receiver.txt"; do
  kill -0 "$receiver_pid" 2>/dev/null || break
  sleep 0.1
done
grep -qx ready "$work/receiver.txt" || fail "the receiver did not start on the JACK server"

cd "$work/real" || exit 1
xdotool mousemove 0 0  # where the headless pointer starts
start_slidora_or_fail "$prog" prog.log
[ "$WX,$WY" = "120,60" ] || fail "the window opened at $WX,$WY, not at the stored 120,60"
wait_until_shows ../sim/first.bmp 0 0 first.png ||
  fail "the first paint differs from the headless one in $(compare -metric AE first.png ../sim/first.bmp null: 2>&1) pixels"

while read -r button x y; do
  number=1
  [ "$button" = r ] && number=3
  xdotool mousemove $((WX + x)) $((WY + y))
  sleep 0.1
  xdotool mousedown "$number"
  sleep 0.1
  xdotool mouseup "$number"
  sleep 0.3
done <<<"$clicks"
deadline=$((SECONDS + 30))
while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$APP_PID" 2>/dev/null; do sleep 0.05; done
kill -0 "$APP_PID" 2>/dev/null && fail "the close button did not end the program"
wait "$APP_PID" || fail "the program ended with status $?"
APP_PID=""
sleep 0.5
exec 8>&-  # the receiver prints what it has and ends
wait "$receiver_pid"
receiver_pid=""

grep -vx 'server\|ready' "$work/receiver.txt" >midi.txt
sent=$(wc -l <../sim/midi.txt)
head -n "$sent" midi.txt >received.txt
if ! cmp -s received.txt ../sim/midi.txt; then
  diff ../sim/midi.txt received.txt | head -20 >&2
  fail "the program sent other MIDI than the headless system (above: < headless, > program)"
fi
cmp -s SLD.ini ../sim/SLD.ini || { diff ../sim/SLD.ini SLD.ini >&2; fail "the saved settings differ (above: < headless, > program)"; }
echo "same program: ok ($BURST start-up messages, $((sent - BURST)) for the clicks)"
