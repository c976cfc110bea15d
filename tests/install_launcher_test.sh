#!/usr/bin/env bash
# The installed program without a display: `cmake --install` lays out the
# programs, pictures, songs, desktop entry and icons under any prefix; the
# launcher, started through a link from another folder, fills the player's own
# folder and starts the program there with no arguments; later starts keep
# what the player changed or made, bring back what went missing, and refresh
# only the copies the player never touched. The program is a stand-in that
# records where and how it was started.
# Usage: install_launcher_test.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
PICTURES="HintBackGround.bmp NoteBackGround.bmp Player.bmp SlidebarL.bmp SlidebarU.bmp SlidebarU_Mask.bmp SpinButton_Down.bmp SpinButton_Off.bmp SpinButton_Up.bmp Tuning.bmp"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
names() { (cd "$1" && printf '%s ' *); }  # the files in a folder, sorted, on one line

# Spaces in every path the launcher handles.
PREFIX="$WORK/a prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "cmake --install failed"; }
SHARE="$PREFIX/share/slidora-quenlo"

# --- What the install lays out.
for program in slidora slidora-cli slidora-quenlo; do
  [ -x "$PREFIX/bin/$program" ] || fail "bin/$program is not installed as a program"
done
[ "$(names "$SHARE/Bitmap")" = "$PICTURES " ] || fail "installed pictures: $(names "$SHARE/Bitmap")"
[ "$(names "$SHARE/songs")" = "$(cd "$SOURCE/songs" && printf '%s ' *.txt)" ] || fail "installed songs: $(names "$SHARE/songs")"
for song in "$SOURCE"/songs/*.txt; do
  cmp -s "$song" "$SHARE/songs/${song##*/}" || fail "installed ${song##*/} differs from the source"
done

desktop="$PREFIX/share/applications/slidora-quenlo.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
for line in "Type=Application" "Name=Slidora Quenlo" "Exec=slidora-quenlo" "Icon=slidora-quenlo" "Terminal=false"; do
  grep -qx "$line" "$desktop" || fail "desktop entry lacks $line"
done
grep -Eq '^Categories=(.*;)?Audio;(.*;)?Music;' "$desktop" || fail "desktop entry not in Audio and Music: $(grep Categories "$desktop")"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
else
  echo "note: desktop-file-validate is not installed; the entry was checked by its lines only"
fi

# Every icon reads as a PNG of its size: transparent corner, opaque middle.
for size in 48 64 128 256; do
  icon="$PREFIX/share/icons/hicolor/${size}x${size}/apps/slidora-quenlo.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  info=$(python3 "$HERE/scripts/png_info.py" "$icon") || fail "$info"
  [ "$info" = "$size $size 0 255" ] || fail "${size}x${size} icon reads as '$info' (width height corner-alpha centre-alpha)"
done

# --- The launcher, with a stand-in for the program.
cat >"$PREFIX/bin/slidora" <<EOF
#!/usr/bin/env bash
{ pwd; echo "\$#"; } >"$WORK/record"
EOF
mkdir -p "$WORK/links" "$WORK/elsewhere" "$WORK/the home"
ln -s "$PREFIX/bin/slidora-quenlo" "$WORK/links/slidora-quenlo"
PLAYER="$WORK/the home/.local/share/slidora-quenlo"

# Runs the launcher found on PATH (the link) from another folder, with the
# given environment changes, and checks where and how the program started.
launch() {  # $1: the folder the program should start in; then env arguments
  local expected=$1
  shift
  rm -f "$WORK/record"
  (cd "$WORK/elsewhere" && env -u XDG_DATA_HOME HOME="$WORK/the home" PATH="$WORK/links:$PATH" "$@" \
    slidora-quenlo --an-option a-file.txt) >"$WORK/launch.log" 2>&1 || { cat "$WORK/launch.log"; fail "the launcher failed"; }
  [ -f "$WORK/record" ] || fail "the launcher did not start the program"
  [ "$(sed -n 1p "$WORK/record")" = "$expected" ] || fail "the program started in $(sed -n 1p "$WORK/record"), not $expected"
  [ "$(sed -n 2p "$WORK/record")" = 0 ] || fail "the program was given $(sed -n 2p "$WORK/record") arguments"
  [ -z "$(ls -A "$WORK/elsewhere")" ] || fail "files left in the folder the launcher started from: $(ls -A "$WORK/elsewhere")"
}
same() { cmp -s "$1" "$2"; }

# The first start makes the folder and copies everything.
launch "$PLAYER"
[ "$(names "$PLAYER/Bitmap")" = "$PICTURES " ] || fail "player's pictures: $(names "$PLAYER/Bitmap")"
for picture in $PICTURES; do
  same "$SHARE/Bitmap/$picture" "$PLAYER/Bitmap/$picture" || fail "the player's $picture is not the installed one"
done
same "$SOURCE/songs/EditingSong.txt" "$PLAYER/EditingSong.txt" || fail "no copy of EditingSong.txt in the player's folder"
for song in "$SOURCE"/songs/*.txt; do
  same "$song" "$PLAYER/songs/${song##*/}" || fail "no copy of songs/${song##*/} in the player's folder"
done

# The player edits, makes and removes files; then a newer install changes
# what it ships. An edited or made file stays as the player left it.
echo "the player's line" >>"$PLAYER/EditingSong.txt"
cp "$PLAYER/EditingSong.txt" "$WORK/edited.txt"
echo "the player's own song" >"$PLAYER/songs/Mine.txt"
rm "$PLAYER/Bitmap/SpinButton_Up.bmp"
echo "the player's settings" >"$PLAYER/SLD.ini"
printf 'newer' >>"$SHARE/Bitmap/Player.bmp"
printf 'newer' >>"$SHARE/songs/EditingSong.txt"
printf 'newer' >>"$SHARE/songs/WaltzE7.txt"
launch "$PLAYER"
same "$WORK/edited.txt" "$PLAYER/EditingSong.txt" || fail "the player's edit of EditingSong.txt was not kept"
[ "$(cat "$PLAYER/songs/Mine.txt")" = "the player's own song" ] || fail "the player's own song was changed"
[ "$(cat "$PLAYER/SLD.ini")" = "the player's settings" ] || fail "SLD.ini was changed"
same "$SHARE/Bitmap/SpinButton_Up.bmp" "$PLAYER/Bitmap/SpinButton_Up.bmp" || fail "a removed picture did not come back"
same "$SHARE/Bitmap/Player.bmp" "$PLAYER/Bitmap/Player.bmp" || fail "an untouched picture was not refreshed from the newer install"
same "$SHARE/songs/WaltzE7.txt" "$PLAYER/songs/WaltzE7.txt" || fail "an untouched song was not refreshed from the newer install"
same "$SHARE/Bitmap/Tuning.bmp" "$PLAYER/Bitmap/Tuning.bmp" || fail "an unchanged picture is gone"

# A refreshed copy is refreshed again by the next install; once the player
# changes it, it is theirs.
printf 'newest' >>"$SHARE/Bitmap/Player.bmp"
launch "$PLAYER"
same "$SHARE/Bitmap/Player.bmp" "$PLAYER/Bitmap/Player.bmp" || fail "a refreshed picture was not refreshed again"
printf 'mine' >>"$PLAYER/Bitmap/Player.bmp"
cp "$PLAYER/Bitmap/Player.bmp" "$WORK/mine.bmp"
printf 'later' >>"$SHARE/Bitmap/Player.bmp"
launch "$PLAYER"
same "$WORK/mine.bmp" "$PLAYER/Bitmap/Player.bmp" || fail "the player's changed picture was replaced"

# XDG_DATA_HOME, when set, holds the player's folder instead; a song the
# player put there before the first start is theirs.
mkdir -p "$WORK/xdg data/slidora-quenlo"
echo "a song of the player's" >"$WORK/xdg data/slidora-quenlo/EditingSong.txt"
launch "$WORK/xdg data/slidora-quenlo" XDG_DATA_HOME="$WORK/xdg data"
same "$SHARE/Bitmap/Tuning.bmp" "$WORK/xdg data/slidora-quenlo/Bitmap/Tuning.bmp" || fail "no pictures under XDG_DATA_HOME"
[ "$(cat "$WORK/xdg data/slidora-quenlo/EditingSong.txt")" = "a song of the player's" ] ||
  fail "the song the player had put in the folder was replaced"
echo "PASS"
