// What the timer thread asks of the operating system: waits that end on time,
// and a sleep of the calling thread measured on the monotonic clock.
#pragma once

#include <cstdint>

// Called once on the timer thread before its first wait.
void PrepareTimerThread();
// Blocks the calling thread for ms milliseconds of the monotonic clock.
void SleepMilliseconds(uint32_t ms);
// Asks for (and gives back) a timer resolution of ms milliseconds for the
// whole process; 0 on success. Linux timers already have it.
int BeginTimerResolution(uint32_t ms);
int EndTimerResolution(uint32_t ms);
