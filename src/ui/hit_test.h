// The hit test of the whole view: which region, tuning-editor grid box or
// neck cell lies under a client point on the page shown.
#pragma once

// Grid codes of the tuning editor: 100 * set + 10 * string + box code.
inline constexpr int kGridNoteBox = 100;
inline constexpr int kGridPedal1Box = 101;
inline constexpr int kGridPedal2Box = 102;
inline bool IsGridCode(int r) { return r >= kGridNoteBox; }

// The region (or tuning-editor grid code) at client point (x, y), or -1.
// Brings the play position up to date; while a key is held on a neck the
// position stays frozen and only the bar x follows the pointer.
int HitTest(int x, int y);
