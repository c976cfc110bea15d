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
# shellcheck source=SCRIPTDIR/scripts/slidora_window.sh
source "$HERE/scripts/slidora_window.sh"
begin_window_test convert import

PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "cmake --install failed"; }
export HOME="$WORK/home"
unset XDG_DATA_HOME
PLAYER="$HOME/.local/share/slidora-quenlo"
mkdir -p "$HOME" "$WORK/elsewhere"
cd "$WORK/elsewhere" || exit 1
xdotool mousemove 1590 890  # keep the pointer off the panel


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
start_slidora_or_fail "$PREFIX/bin/slidora-quenlo" "$WORK/out.txt"
[ "$(find "$PLAYER/Bitmap" -name '*.bmp' | wc -l)" -eq 10 ] || fail "the player's Bitmap folder holds $(ls "$PLAYER/Bitmap" 2>&1)"
[ -s "$PLAYER/EditingSong.txt" ] || fail "no EditingSong.txt in the player's folder"
[ "$(readlink -f "/proc/$APP_PID/cwd")" = "$PLAYER" ] || fail "the program runs in $(readlink -f "/proc/$APP_PID/cwd"), not the player's folder"
[ "$(readlink -f "/proc/$APP_PID/exe")" = "$PREFIX/bin/slidora" ] || fail "the running program is $(readlink -f "/proc/$APP_PID/exe")"
wait_for_panel
close_slidora || fail "the program still runs after its close button was clicked"
[ -f "$PLAYER/SLD.ini" ] || fail "no SLD.ini in the player's folder after close"
grep -qx 'left=0' "$PLAYER/SLD.ini" || fail "SLD.ini lacks the window position"
[ -z "$(ls -A "$WORK/elsewhere")" ] || fail "files written where the launcher was started: $(ls -A "$WORK/elsewhere")"

# The player edits the song; the next start keeps the edit and the pictures.
echo "2 the player's line" >>"$PLAYER/EditingSong.txt"
cp "$PLAYER/EditingSong.txt" "$WORK/edited.txt"
start_slidora_or_fail "$PREFIX/bin/slidora-quenlo" "$WORK/out.txt"
wait_for_panel
close_slidora || fail "the program still runs after its close button was clicked"
cmp -s "$WORK/edited.txt" "$PLAYER/EditingSong.txt" || fail "the player's edit of EditingSong.txt was not kept"
cmp -s "$PREFIX/share/slidora-quenlo/Bitmap/Player.bmp" "$PLAYER/Bitmap/Player.bmp" || fail "Player.bmp is no longer in place"
echo "PASS"
