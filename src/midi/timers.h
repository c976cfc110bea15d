// The three periodic timers of the system (stroke steps, pedal glide steps and
// the 5 ms tick) and the values the timer thread shares with the view.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/messages.h"
#include "platform/timer_service.h"

// Timer slots, numbered 1..3; slot 0 is never used.
inline constexpr int kStrokeTimerSlot = 1;  // posts 32008
inline constexpr int kGlideTimerSlot = 2;   // posts 32009
inline constexpr int kTickTimerSlot = 3;    // the 5 ms tick
inline constexpr int kTimerSlotCount = 4;

inline constexpr uint32_t kStrokeTimerMs = 20;    // one string of a stroke per step
inline constexpr uint32_t kGlideTimerMs = 30;     // one 30-unit pedal bend step per step
inline constexpr uint32_t kTickMs = 5;            // song clock and mouse release
inline constexpr uint32_t kTimerResolutionMs = 1;  // asked for every timer
// Idle ticks between two mouse-move releases: the fourth tick releases, every 20 ms.
inline constexpr int32_t kMouseReleaseTicks = 4;
// Time given at window close for running callbacks to finish (ms).
inline constexpr uint32_t kCloseDrainMs = 50;

// Warning shown when the timer service cannot give 1 ms (UTF-8; it says the
// high-precision multimedia timer cannot be used).
inline constexpr const char* kTimerWarningText = "ﾏﾙﾁﾒﾃﾞｨ高精度ﾀｲﾏｰが使用できません！";
inline constexpr const char* kTimerWarningCaption = "CMIDI::mf_TimerInitialize()";

extern TimeCaps g_TimeCaps;
// Identifier of the running timer of each slot, 0 when the slot is stopped.
extern std::atomic<uint32_t> g_TimerId[kTimerSlotCount];

// Shared between the timer thread and the user-interface thread; each value is
// written whole by one side at a time, so no lock is needed.
extern std::atomic<int32_t> g_MouseTickCount;  // idle ticks since the last release, 0..3
extern std::atomic<int32_t> g_bMouseMovePending;    // a mouse move waits for release
extern std::atomic<int32_t> g_PendingMouseWParam;   // its key-state flags
extern std::atomic<int32_t> g_PendingMouseLParam;   // its packed client point

// Reads the timer capabilities, warns when 1 ms is not available and asks
// for the 1 ms period. Returns 0.
int mf_TimerInitialize();
// Releases the period asked for by mf_TimerInitialize.
void TimerRelease();
// Starts the periodic timer of slot 1, 2 or 3; its identifier goes to
// g_TimerId[slot] (0 when the start failed). Returns 0 on success.
int StartTimer(int slot);
// Stops slot 1, 2 or 3 if it runs; any other number does nothing.
void StopTimer(int slot);
// Window close: stops slots 1, 2 and 3 in that order, forgets the waiting
// mouse move and waits for running callbacks and posted messages to drain.
void CloseTimers();

// The 5 ms tick: releases the waiting mouse move every fourth tick while no
// song plays, otherwise steps the song.
void TimerTick();
// The song's part of the tick, run on the timer thread: steps the song and
// returns true while one plays, returns false when none does. Auto-play
// installs it; without one the tick only releases mouse moves.
using SongTickHook = bool (*)();
void SetSongTickHook(SongTickHook hook);

// Posts one of the private messages to the view; false when it was dropped.
bool PostToView(uint32_t msg, WPARAM wparam, LPARAM lparam);

void ResetTimerState();
