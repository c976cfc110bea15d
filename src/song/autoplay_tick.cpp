// The song step of the 5 ms tick, run on the timer thread while a song plays.
#include "midi/timers.h"

void AutoPlayTick() {}
