// The real services of the program on the desktop, as this system provides
// them: the window (with its pointer and posted-message queue), the message
// boxes, the MIDI output and the timers. Windows has its own window, boxes,
// multimedia MIDI output and multimedia timers; elsewhere they come through
// SDL, FluidSynth and RtMidi, and the timers are our own timer thread.
#pragma once

#ifdef _WIN32
#include "platform/win32_message_box.h"
#include "platform/win32_midi.h"
#include "platform/win32_timers.h"
#include "platform/win32_window.h"
using DesktopWindow = Win32Window;
using DesktopWindowQueue = Win32WindowQueue;
using DesktopMessageBoxSink = Win32MessageBoxSink;
using DesktopMidiOut = WinMmMidiOut;
using DesktopTimers = WinMmTimers;
#else
#include "platform/sdl_message_box.h"
#include "platform/sdl_window.h"
#include "platform/system_midi.h"
#include "platform/timer_thread.h"
using DesktopWindow = SdlWindow;
using DesktopWindowQueue = WindowQueue;
using DesktopMessageBoxSink = SdlMessageBoxSink;
using DesktopMidiOut = SystemMidiOut;
using DesktopTimers = TimerThread;
#endif
