#!/usr/bin/env bash
# The Windows program's real window under Wine on a virtual X server, with
# the Linux window test's checks (xvfb_window_test.sh): the window opens at
# 1360 by 706 titled "Slidora" and shows page 0 (the current tuning-set name
# orange), a second start shows "Slidora Quenlo is already starting." and
# quits, the close button writes SLD.ini with every key, and a stored place
# off the screen is brought back onto it.
# The Wine folder is one of the test's own (made once, then kept), so that
# its Wine server and desktop run on the test's display alone.
# Usage: wine_window_test.sh WINE_RUN SLIDORA_EXE BITMAP_FOLDER WINE_FOLDER
set -u
wine_run=$1
exe=$2
bitmaps=$3
export WINEPREFIX=$4
export WINEDEBUG=-all
here=$(cd "$(dirname "$0")/.." && pwd)
command -v wineserver >/dev/null || { echo "SKIP: wine is not installed"; exit 77; }

# Made before the display starts: a new Wine folder takes a while to set up.
"$wine_run" cmd /c exit >/dev/null 2>&1
# Every start of the program goes through a launcher that has Wine note the
# text of each message box it shows (the box's text is drawn, not an X window
# of its own).
launcher=$(mktemp)
boxes=$(mktemp)
trap 'rm -f "$launcher" "$boxes"; wineserver -k 2>/dev/null' EXIT
printf '#!/bin/sh\nWINEDEBUG=trace+msgbox exec "%s" "%s" 2>>"%s"\n' "$wine_run" "$exe" "$boxes" >"$launcher"
chmod +x "$launcher"
bash "$here/xvfb_window_test.sh" "$launcher" "$bitmaps" || exit
shown=$(grep -o 'MSGBOX_OnInit .*' "$boxes")
if [ "$shown" != 'MSGBOX_OnInit L"Slidora Quenlo is already starting."' ]; then
  echo "FAIL: the boxes shown were not the second start's one:"
  echo "$shown"
  exit 1
fi
