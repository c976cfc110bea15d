// The platform services the system is handed at start-up. The program installs
// the real ones (SDL window, FluidSynth and RtMidi output, timer thread); tests
// and slidora-cli install headless ones (recording port, virtual clock,
// recorded message boxes).
#pragma once

class MidiOutDriver;
class TimerService;
class MessageQueue;
class MessageBoxSink;
class Window;
class PointerService;

struct Platform {
  MidiOutDriver* midi = nullptr;
  TimerService* timers = nullptr;
  MessageQueue* queue = nullptr;
  MessageBoxSink* boxes = nullptr;
  Window* window = nullptr;  // the main window; none in headless runs
  PointerService* pointer = nullptr;  // cursor, capture, clip, window place
};

extern Platform g_Platform;
