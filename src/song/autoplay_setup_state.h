// Forgetting the saved live set-up (program start).
#pragma once

void ResetSongSetupState();
