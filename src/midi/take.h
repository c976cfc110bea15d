// A take: what was played since a given message, from its first note on, with
// the channel set-up in force just before it sent again at its start, so that
// it sounds the same on any General MIDI synthesizer.
#pragma once

#include <cstdint>
#include <vector>

#include "midi/take_buffer.h"
#include "platform/synth_render.h"  // TimedShortMsg

struct Take {
  // The set-up at time 0, then every channel message from the millisecond of
  // the first note-on, with times from that millisecond; notes still sounding
  // at the end are released there. MIDI Start and Stop (signals for live
  // equipment) are not part of it.
  std::vector<TimedShortMsg> messages;
  int64_t length_ms = 0;  // from the first note-on to the last message
  int notes = 0;          // note-ons
  uint64_t end = 0;       // the number after the last message looked at
};

// True when a note was played among the messages numbered since..end() of the
// buffer within the last hour; take then holds them. False when nothing was
// played.
bool CollectTake(const TakeBuffer& buffer, uint64_t since, Take* take);

// True when a note-on (velocity above 0) is among the messages since..end().
bool TakeHasNotes(const TakeBuffer& buffer, uint64_t since);
