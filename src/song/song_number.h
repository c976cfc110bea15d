// Reading a whole number out of a song value the way song authors expect:
// optional sign, then the leading digits; what follows them is ignored.
#pragma once

#include <cstdint>
#include <string>

// Reads the number at the start of text (after blanks and an optional sign),
// stopping at the first non-digit: "120abc" reads 120. Returns false when the
// text holds no number there or the number does not fit in 32 bits, so that a
// huge number is refused like any other value out of range.
bool ReadSongNumber(const std::string& text, int32_t* value);
