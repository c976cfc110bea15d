// The ways a song starts: a file dropped on the main frame, a right click on
// the play button (reads the default song file) and a left click (replays the
// song compiled last).
#pragma once

#include <string>
#include <vector>

// Loads, compiles and starts the song at path ("" for the default file). On a
// failed load or compile (its message has been shown) drops are accepted again
// and no song is ready. Returns 0 when the song started.
int StartSongFromFile(const std::string& path);

// The main frame's handler of dropped files: only on the playing page and
// while no song plays, and only the first file counts.
void OnDropFiles(const std::vector<std::string>& paths);

// The play button's song part on the playing page.
void OnPlayButtonLeftClick();
void OnPlayButtonRightClick();
