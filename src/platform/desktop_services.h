// The real services of the program on the desktop, as this system provides
// them: the window (with its pointer and posted-message queue), the message
// boxes and the MIDI output. Windows has its own window, boxes and multimedia
// MIDI output; elsewhere they come through SDL, FluidSynth and RtMidi.
#pragma once

#ifdef _WIN32
#include "platform/win32_message_box.h"
#include "platform/win32_midi.h"
#include "platform/win32_window.h"
using DesktopWindow = Win32Window;
using DesktopWindowQueue = Win32WindowQueue;
using DesktopMessageBoxSink = Win32MessageBoxSink;
using DesktopMidiOut = WinMmMidiOut;
#else
#include "platform/sdl_message_box.h"
#include "platform/sdl_window.h"
#include "platform/system_midi.h"
using DesktopWindow = SdlWindow;
using DesktopWindowQueue = WindowQueue;
using DesktopMessageBoxSink = SdlMessageBoxSink;
using DesktopMidiOut = SystemMidiOut;
#endif
