#include "ui/stand_ins.h"

int32_t g_bSongReady = 0;
