// Text written as a JSON string literal, for the machine-readable output of
// slidora-cli (song messages, message boxes of a sim run).
#pragma once

#include <string>

// A JSON string literal of text: quotes, backslashes and control characters
// escaped; bytes that are not UTF-8 text are read as Latin-1, so the result
// is always valid UTF-8.
std::string JsonString(const std::string& text);
