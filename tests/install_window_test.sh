#!/usr/bin/env bash
# The installed program under a virtual X server, started as a desktop starts
# it: the launcher, from another folder, with a fresh home. The player's folder
# gets the pictures and the song, the program opens there with the panel drawn,
# saves SLD.ini there when closed, and a second start keeps the player's edit
# of the song.
# Usage: install_window_test.sh BUILD_DIR   (exit 77: skipped)
set -u
BUILD=$1
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/scripts/virtual_display.sh
source "$HERE/scripts/virtual_display.sh"
# How long a start may take before the window shows (s): the SoundFont loads
# first, and a busy machine runs other tests beside this one.
START_LIMIT=60
begin_window_test convert import

PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "cmake --install failed"; }
export HOME="$WORK/home"
unset XDG_DATA_HOME
PLAYER="$HOME/.local/share/slidora-quenlo"
mkdir -p "$HOME" "$WORK/elsewhere"
cd "$WORK/elsewhere" || exit 1
xdotool mousemove 1590 890  # keep the pointer off the panel

# Starts the launcher; returns when the window shows.
start_program() {
  "$PREFIX/bin/slidora-quenlo" >"$WORK/out.txt" 2>&1 &
  APP_PID=$!
  local deadline=$((SECONDS + START_LIMIT))
  while [ "$SECONDS" -lt "$deadline" ]; do
    if xdotool search --onlyvisible --name '^Slidora$' >/dev/null 2>&1; then sleep 0.5; return 0; fi
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended at start: $(cat "$WORK/out.txt")"
    sleep 0.05
  done
  report_stuck_program "$APP_PID" "$WORK/out.txt"
  fail "no window titled Slidora appeared within $START_LIMIT s"
}

close_and_wait() {  # the window stands at the top left: its close button
  xdotool mousemove 748 39 click 1
  local deadline=$((SECONDS + 30))
  while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$APP_PID" 2>/dev/null; do sleep 0.05; done
  kill -0 "$APP_PID" 2>/dev/null && fail "the program still runs after its close button was clicked"
  wait "$APP_PID"
  APP_PID=""
}

# The panel is drawn from the pictures when the current tuning set's name
# shows in orange; a window without its pictures stays white.
wait_for_panel() {
  local deadline=$((SECONDS + 20))
  while [ "$SECONDS" -lt "$deadline" ]; do
    if import -window root "$WORK/shot.png" &&
      convert "$WORK/shot.png" -crop 40x19+113+340 +repage txt:- | grep -q "#FF823C"; then
      return 0
    fi
    sleep 0.2
  done
  [ -n "${SHOT_COPY:-}" ] && cp "$WORK/shot.png" "$SHOT_COPY"
  fail "no orange tuning-set name at (113,340): the panel was not drawn from its pictures"
}

# The first start: a fresh folder for the player, the program in it.
start_program
[ "$(find "$PLAYER/Bitmap" -name '*.bmp' | wc -l)" -eq 10 ] || fail "the player's Bitmap folder holds $(ls "$PLAYER/Bitmap" 2>&1)"
[ -s "$PLAYER/EditingSong.txt" ] || fail "no EditingSong.txt in the player's folder"
[ "$(readlink -f "/proc/$APP_PID/cwd")" = "$PLAYER" ] || fail "the program runs in $(readlink -f "/proc/$APP_PID/cwd"), not the player's folder"
[ "$(readlink -f "/proc/$APP_PID/exe")" = "$PREFIX/bin/slidora" ] || fail "the running program is $(readlink -f "/proc/$APP_PID/exe")"
wait_for_panel
close_and_wait
[ -f "$PLAYER/SLD.ini" ] || fail "no SLD.ini in the player's folder after close"
grep -qx 'left=0' "$PLAYER/SLD.ini" || fail "SLD.ini lacks the window position"
[ -z "$(ls -A "$WORK/elsewhere")" ] || fail "files written where the launcher was started: $(ls -A "$WORK/elsewhere")"

# The player edits the song; the next start keeps the edit and the pictures.
echo "2 the player's line" >>"$PLAYER/EditingSong.txt"
cp "$PLAYER/EditingSong.txt" "$WORK/edited.txt"
start_program
wait_for_panel
close_and_wait
cmp -s "$WORK/edited.txt" "$PLAYER/EditingSong.txt" || fail "the player's edit of EditingSong.txt was not kept"
cmp -s "$PREFIX/share/slidora-quenlo/Bitmap/Player.bmp" "$PLAYER/Bitmap/Player.bmp" || fail "Player.bmp is no longer in place"
echo "PASS"
