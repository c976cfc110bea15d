// What the song commands of slidora-cli share: refusing a song that does not
// load or compile (its messages printed as slidora-cli check prints them), and
// the "FILE -o OUT" form of their arguments.
#pragma once

// Loads and compiles the song at path. When that fails, prints its messages
// to standard output as check does and returns false.
bool SongLoadsOrReport(const char* path);

// Parses "FILE -o OUT" and one optional "extraName VALUE". False on a usage error.
bool ParseFileAndOutput(int argc, char** argv, const char* extraName, const char** file,
                        const char** out, const char** extraValue);
