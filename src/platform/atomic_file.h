// Replacing a file's whole content so that a crash or a kill at any moment
// leaves either the old file or the new one, never a part of either.
#pragma once

#include <string>
#include <string_view>

// Writes text to a temporary file beside the target, flushes it to disk and
// renames it over the target. A symbolic link is followed: its final target is
// replaced and the link stays a link (a dangling link gets its target made).
// An existing file keeps its permission bits (and owner, where allowed); a new
// one gets 0666 less the umask. Temporary files that earlier writes of the
// same target left behind (a process killed part-way) are removed first.
// On failure nothing but the temporary file was touched, and it is removed;
// *error says why, as "reason" text of the system (e.g. "Permission denied").
bool WriteFileAtomically(const std::string& path, std::string_view text, std::string* error);

// The path a write of path lands on: symbolic links followed to their end.
std::string ResolveLinks(const std::string& path);
