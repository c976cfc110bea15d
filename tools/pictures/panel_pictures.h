// The artwork of the panel: the two page backgrounds and the small pictures
// (slide bar, spin buttons, note-name and hint-line backdrops).
#pragma once

#include "platform/picture.h"

Picture MakePlayerPicture();
Picture MakeTuningPicture();
Picture MakeBarTip();
Picture MakeBarTipMask();
Picture MakeBarBody();
enum class SpinState { Off, Up, Down };
Picture MakeSpinButton(SpinState state);
Picture MakeNoteBackground();
Picture MakeHintBackground();
