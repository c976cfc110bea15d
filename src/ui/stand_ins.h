// What the panel reads from the playing and auto-play code, in one include.
#pragma once

#include <cstdint>

#include "midi/channels.h"
#include "midi/midi_port.h"
#include "perform/bar_drawing.h"
#include "perform/slide_bar.h"
#include "song/autoplay.h"  // g_bSongReady: a song has been read and compiled
