#!/usr/bin/env bash
# Runs the panel session twice through slidora-cli sim in a fresh folder and
# checks what the first run saved and what the second run plays with it.
# Usage: controls_session.sh CLI SOURCE_DIR
set -euo pipefail
cli=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_ini() { grep -qxF "$1" SLD.ini || fail "SLD.ini lacks '$1'"; }

"$cli" sim "$src/tests/sim/edit_session.sim" > first.txt
[ -f SLD.ini ] || fail "no SLD.ini after the close button"
expect_ini "(0)Name=MyC6"
expect_ini "(0)Note(0)=G#"
expect_ini "(0)Pedal(1)(0)=1"
expect_ini "UpperVoice0No=40"
expect_ini "UpperVolume0=7"
# The preview of the new note name: G# over string 1 is note 68.
grep -qx "[0-9]* 90 44 7f" first.txt || fail "no preview note-on of G#"
# The voice preview: middle C on channel 0 until the button is released.
grep -qx "[0-9]* 90 3c 7f" first.txt || fail "no voice preview"
grep -qx "[0-9]* 80 3c 7f" first.txt || fail "the voice preview did not end"

"$cli" sim "$src/tests/sim/restart_session.sim" > second.txt
# The second start loads program 40 on voice 0 with volume 7 (88).
grep -qx "[0-9]* c0 28 00" second.txt || fail "second run: no program 40 on channel 0"
grep -qx "[0-9]* b0 07 58" second.txt || fail "second run: no volume 88 on channel 0"
echo "panel session: ok"
