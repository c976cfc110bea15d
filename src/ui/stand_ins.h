// Values the panel reads that belong to auto-play. Each is defined here only
// until its owner provides it.
#pragma once

#include <cstdint>

#include "midi/channels.h"
#include "midi/midi_port.h"
#include "perform/bar_drawing.h"
#include "perform/slide_bar.h"
#include "platform/messages.h"

extern int32_t g_bSongReady;      // 1 when a song has been read and compiled

// The window buttons of the panel: a left press on the close button asks the
// frame to close, one on the minimise button minimises it.
void PanelStandIn(const Message& m);
