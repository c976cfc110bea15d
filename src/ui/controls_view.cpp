#include "ui/controls_view.h"

#include "ui/view.h"

namespace {
// Holds the voice selection while no view exists.
int g_ViewlessSelNeck = 0;
int g_ViewlessSelVoice = 0;
}  // namespace

CSLDView* ControlView() { return g_pView; }

void PresentFields() {
  if (g_pView) g_pView->Present();
}

void RepaintWholeView() {
  if (!g_pView) return;
  g_pView->InvalidateRect(nullptr);
  g_pView->UpdateWindow();
}

void InvalidateArea(const Rect& r) {
  if (g_pView) g_pView->InvalidateRect(&r);
}

int& SelectedNeck() { return g_pView ? g_pView->m_SelNeck : g_ViewlessSelNeck; }
int& SelectedVoice() { return g_pView ? g_pView->m_SelVoice : g_ViewlessSelVoice; }
