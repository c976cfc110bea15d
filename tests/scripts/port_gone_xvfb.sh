#!/usr/bin/env bash
# The JACK server dies under the program while a dense song plays on an
# external port: the program keeps answering (Escape stops the song, the close
# button ends it), it tells the player on the hint line, and SLD.ini is saved.
# The real program in a window on a virtual X display, its MIDI going to a
# receiver on a JACK server of the test's own.
# Usage: port_gone_xvfb.sh SLIDORA MIDI_RECEIVER JACK_GUARD RUN_DIR   (exit 77: skipped)
set -uo pipefail
prog=$1
receiver=$2
guard=$3
run=$4
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

cp -r "$run/Bitmap" "$work/"
printf '[WindowPosition]\nleft=100\ntop=50\n\n[InitialSetting]\nMidiOutDeviceName=slidora-receiver:in\n' \
  >"$work/SLD.ini"
# A dense song: every line strikes all eight strings and slides them up and back,
# about 800 messages a second (a JACK buffer of 16 KB is full within three
# seconds once nothing drains it), for over three minutes.
{
  cat <<'EOF'
/ A dense song for the port test
01=180
02=0
03=26
04=0
05=0
06=120
07=26
08=0
09=0
10=50
11=0
12=0
13=70
14=50
15=E9
16=F#,D#,G#,E,B,G#,F#,E
17=#,0,0,#,0,0,0,0
18=0,b,0,0,0,b,0,0
19=112
20=96
21=80
22=60
EOF
  for _ in $(seq 150); do echo "b=1,0,k=0,s=24,12,s=24,0,k=off,b=2,5,k=0,s=24,9,s=24,2,k=off"; done
} >"$work/EditingSong.txt"

start_jack_server "$guard" "slidora-gone-$$" "$work" ||
  { echo "SKIP: no JACK server came up within 20 s"; exit 77; }
mkfifo "$work/receiver.in"
"$receiver" slidora-receiver <"$work/receiver.in" >"$work/receiver.txt" 2>/dev/null &
exec 8>"$work/receiver.in"  # the receiver runs while this stays open
deadline=$((SECONDS + 15))
while [ "$SECONDS" -lt "$deadline" ] && ! grep -qx ready "$work/receiver.txt"; do sleep 0.05; done
grep -qx ready "$work/receiver.txt" || fail "the receiver did not start on the JACK server"

cd "$work" || exit 1
xdotool mousemove 0 0
start_slidora_or_fail "$prog" prog.log
received() { grep -cvx 'server\|ready' receiver.txt; }
deadline=$((SECONDS + 20))
while [ "$SECONDS" -lt "$deadline" ] && [ "$(received)" -lt "$BURST" ]; do sleep 0.1; done
[ "$(received)" -eq "$BURST" ] || fail "the receiver got $(received) messages at the start, not $BURST"

# The song starts with a right click on the play tab (repeated until the
# program's loop takes it: the first messages of the song tell).
for _ in 1 2 3 4 5; do
  right_click 160 37
  sleep 0.5
  [ "$(received)" -gt "$BURST" ] && break
done
[ "$(received)" -gt $((BURST + 50)) ] || fail "the song sent nothing to the receiver"
client_crop 0 676 970 24 hint_playing.png

kill_jack_server
# The song plays on for a few seconds against the dead server: far more
# messages than any buffer holds.
sleep 5
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended when its JACK server died"
client_crop 0 676 970 24 hint_gone.png
same_pixels hint_playing.png hint_gone.png && fail "the hint line does not tell that the port is gone"

# Escape stops the song: the hint line loses its stop hint, and the bar,
# sliding all the time before, stands still (a program that hangs would show a
# still bar too, but not the new hint line).
xdotool mousemove $((WX + 600)) $((WY + 400))
stopped=""
for _ in 1 2 3 4 5; do
  xdotool key Escape
  sleep 0.5
  client_crop 40 100 900 450 neck1.png
  client_crop 0 676 970 24 hint_stopped.png
  sleep 0.5
  client_crop 40 100 900 450 neck2.png
  if same_pixels neck1.png neck2.png && ! same_pixels hint_gone.png hint_stopped.png; then
    stopped=1
    break
  fi
done
if [ -z "$stopped" ]; then
  report_stuck_program "$APP_PID" prog.log >&2
  fail "Escape did not stop the song"
fi

click 748 39
deadline=$((SECONDS + 30))
while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$APP_PID" 2>/dev/null; do sleep 0.05; done
if kill -0 "$APP_PID" 2>/dev/null; then
  report_stuck_program "$APP_PID" prog.log >&2
  fail "the close button did not end the program"
fi
wait "$APP_PID"
status=$?
APP_PID=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
grep -qx 'ReverbTime=.*' SLD.ini || { cat SLD.ini >&2; fail "SLD.ini was not saved"; }
grep -qx 'MidiOutDeviceName=slidora-receiver:in' SLD.ini || fail "the chosen port was not kept"
echo "port gone: ok"
