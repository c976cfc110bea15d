// Telling a command-line user why a song did not start: the messages of its
// load or compilation, printed as slidora-cli check prints them.
#pragma once

#include "app/song_performance.h"

void PrintSongFailure(const SongPerformance& p);

// Parses "FILE -o OUT [extra...]" arguments shared by render and midi. Returns
// false on a usage error. extraName/extraValue take one optional "--name VALUE".
bool ParseFileAndOutput(int argc, char** argv, const char* extraName, const char** file,
                        const char** out, const char** extraValue);
