// Reading a Standard MIDI File (format 0 or 1, any division, tempo changes)
// into its channel messages at their times in milliseconds, for playing a
// take back and rendering any file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/synth_render.h"  // TimedShortMsg

// Largest file read (bytes): an hour's densest take is well below it.
inline constexpr size_t kMaxMidiFileBytes = 64u << 20;

// The channel messages of the file in time order (tracks merged; at equal
// times the earlier track first), note-on with velocity 0 kept as it is.
// System-exclusive and meta events are passed over. 0 on success; otherwise
// 1 and error says why ("not a Standard MIDI File", "the file ends inside a
// track", ...).
int ParseMidiFile(const std::vector<uint8_t>& bytes, std::vector<TimedShortMsg>* out, std::string* error);

// The same for the file at path; a file that cannot be read gives 1 with the
// system's reason.
int ReadMidiFile(const std::string& path, std::vector<TimedShortMsg>* out, std::string* error);

// True when the path names a MIDI file by its ending (.mid or .midi, any case).
bool IsMidiFileName(const std::string& path);
