#!/usr/bin/env bash
# The Debian package made from the build: its name, what it depends on (the
# libraries the programs link, and the SoundFont and fonts they load), and
# what it installs under /usr, with the right owners and modes, and nothing else.
# Usage: install_deb_test.sh BUILD_DIR SOURCE_DIR   (exit 77: skipped)
set -u
BUILD=$1
SOURCE=$2
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK" >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; fail "cpack failed"; }
debs=("$WORK"/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then fail "not one package: ${debs[*]}"; fi
deb=${debs[0]}
[[ ${deb##*/} =~ ^slidora-quenlo_[0-9]+\.[0-9]+\.[0-9]+_$(dpkg --print-architecture)\.deb$ ]] || fail "package named ${deb##*/}"
echo "package ${deb##*/}: $(stat -c %s "$deb") bytes"

dpkg-deb --info "$deb" >"$WORK/info.txt" || fail "dpkg-deb cannot read the package"
depends=$(sed -n 's/^ Depends: //p' "$WORK/info.txt")
for wanted in 'libsdl2-2\.0-0 ' 'libsdl2-ttf-2\.0-0 ' 'libfluidsynth[0-9]+ ' 'librtmidi[0-9]+ ' 'libfontconfig1 ' \
              'fluid-soundfont-gm \| timgm6mb-soundfont(,|$)' 'fonts-liberation(,|$)' 'fontconfig(,|$)'; do
  echo "$depends" | grep -Eq "(^|, )$wanted" || fail "Depends lacks /$wanted/: $depends"
done
synopsis=$(sed -n 's/^ Description: //p' "$WORK/info.txt")
long=$(sed -n '/^ Description: /{n;s/^  //p}' "$WORK/info.txt")
if [ -z "$long" ] || [ "$long" = "$synopsis" ]; then fail "no long description after the synopsis: '$long'"; fi
for field in 'Package: slidora-quenlo' 'Section: sound' 'Maintainer: .+ <.+@.+>' 'Description: .+'; do
  grep -Eq "^ $field\$" "$WORK/info.txt" || fail "control lacks '$field'"
done

# Every file with its mode and owner: "MODE OWNER PATH".
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $1, $2, $6}' | sort -k 3 >"$WORK/files.txt"
expected=$(
  for p in slidora slidora-cli slidora-quenlo; do echo "-rwxr-xr-x root/root ./usr/bin/$p"; done
  for i in 48 64 128 256; do echo "-rw-r--r-- root/root ./usr/share/icons/hicolor/${i}x$i/apps/slidora-quenlo.png"; done
  echo "-rw-r--r-- root/root ./usr/share/applications/slidora-quenlo.desktop"
  for p in HintBackGround NoteBackGround Player SlidebarL SlidebarU SlidebarU_Mask SpinButton_Down SpinButton_Off \
           SpinButton_Up Tuning; do
    echo "-rw-r--r-- root/root ./usr/share/slidora-quenlo/Bitmap/$p.bmp"
  done
  for s in "$SOURCE"/songs/*.txt; do echo "-rw-r--r-- root/root ./usr/share/slidora-quenlo/songs/${s##*/}"; done
)
diff <(echo "$expected" | sort -k 3) "$WORK/files.txt" >"$WORK/diff.txt" ||
  fail "package contents differ (< wanted, > packaged): $(cat "$WORK/diff.txt")"
echo "PASS"
