// A song played headless from start to end: the whole system starts, the file
// is dropped on the playing page, the virtual clock runs until the song is
// over. slidora-cli play, render and midi and the tests share it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/headless.h"
#include "app/midi_file.h"

struct SongPerformance {
  // Everything the system did, start-up included; times are virtual ms.
  std::vector<HeadlessEvent> events;
  int64_t dropMs = 0;     // when the file was dropped
  int64_t endMs = 0;      // when the song had finished
  int tempo = 0;          // the song's tempo (beats per minute)
  bool started = false;   // false: the load or compile failed (its box is in events)
};

// Longest a song can take: 200 bars at the slowest tempo, plus a MIDI Start
// delay, with room to spare (ms).
inline constexpr int64_t kLongestSongMs = 1700000;

// Receives the events of a performance as they happen, a batch at a time.
using PerformanceListener = std::function<void(const std::vector<HeadlessEvent>& batch)>;

// Plays the song at path. With closeAfter the system is closed at the end as
// the program would be (its messages are in events). Returns 0 when the song
// played to its end, 1 when it did not start. With a listener the events go to
// it as the clock reaches them (out->dropMs is set before the first batch) and
// out->events stays empty, so nothing grows with the song's length.
int PerformSong(const std::string& path, bool closeAfter, SongPerformance* out,
                const PerformanceListener& listener = {});

// The channel messages of a performance with their times from the drop;
// start-up messages count as sent at the drop.
std::vector<TimedShortMsg> PerformanceMessages(const SongPerformance& p);
// The same for one batch of events, appended to messages.
void AppendPerformanceMessages(const std::vector<HeadlessEvent>& batch, int64_t dropMs,
                               std::vector<TimedShortMsg>* messages);
