// Keeps the slide bar on the screen in step with the play position: what was
// drawn last is remembered, and an unchanged position draws nothing.
#pragma once

// Draws the bar at the play position through the screen. Unless forced (a full
// repaint, which has just painted the neck afresh) the old strip is restored
// first and the change is shown at once. Without a view only the drawn
// position is kept.
void DrawBar(bool force);
