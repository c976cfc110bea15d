// What live playing and auto-play ask of the screen. The engine never draws:
// it tells the view through this sink, which the view installs. Until one is
// installed nothing is drawn, no region is found and drops go nowhere.
#pragma once

class ScreenSink {
 public:
  virtual ~ScreenSink() = default;

  // The panel region at client point (x, y), a tuning-editor grid code, or -1.
  // Over a neck it also brings the play position up to date (HitNeck).
  virtual int HitTest(int x, int y) = 0;
  // Paints the bar at the play position; unless forced (a full repaint has
  // just painted the neck afresh) the strip under the old bar is put back first.
  virtual void PaintBar(bool force) = 0;
  // Marks neck n with its note column and guide digits to be repainted when
  // the loop goes idle: what a pedal change alters.
  virtual void InvalidateNeck(int n) = 0;
  // Invalidates the whole view and paints it at once.
  virtual void RepaintAll() = 0;
  // Draws the hint line for a region (-1: blank) and shows it.
  virtual void ShowHint(int region) = 0;
  // Shows what was drawn since the last present.
  virtual void Present() = 0;
  // Whether the window takes files dropped on it.
  virtual void AcceptDrops(bool on) = 0;
  // The panel's own reactions to pointer motion: one window-drag step while
  // the drag holds the capture, and the pointer leaving a held spin button.
  virtual void DragWindowStep() = 0;
  virtual void ReleaseSpin(int region) = 0;
};

// The installed sink, or one that does nothing.
ScreenSink& Screen();
// Installs the sink the engine talks to; null takes it away.
void SetScreen(ScreenSink* sink);
