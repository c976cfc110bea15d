// A started headless system with a song to drop on it: the song text is a
// header (tempo, MIDI Start delay and the E9 tuning of the tests) and a score.
#pragma once

#include <fstream>
#include <string>

#include "midi/timers.h"
#include "model/instrument.h"
#include "perform/play_fixture.h"
#include "song/autoplay.h"
#include "song/autoplay_start.h"

struct SongHeaderText {
  int tempo = 120;  // 24 units are 500 ms, one unit 20 ms
  int delay = 0;
  int voice0 = 26;
  int voice1 = 74;
  int reverb = 100;
  int chorus = 20;
  int shift = 0;
};

// E9: strings 1 and 4 raised by pedal 1, strings 2 and 6 lowered by pedal 2,
// so the strings sit on channel pairs 0, 2, 4, 0, 4, 2, 4, 4.
inline std::string SongText(const std::string& score, const SongHeaderText& h = {}) {
  return "01=" + std::to_string(h.tempo) + "\n02=" + std::to_string(h.delay) +
         "\n03=" + std::to_string(h.voice0) + "\n04=0\n05=0\n06=127\n07=" + std::to_string(h.voice1) +
         "\n08=0\n09=0\n10=127\n11=0\n12=" + std::to_string(h.shift) +
         "\n13=" + std::to_string(h.reverb) + "\n14=" + std::to_string(h.chorus) +
         "\n15=E9\n16=G#,E,B,G#,F#,E,B,E\n17=#,0,0,#,0,0,0,0\n18=0,b,0,0,0,b,0,0\n"
         "19=110\n20=90\n21=70\n22=50\n" +
         score + "\n";
}

class AutoPlayTest : public PlayTest {
 protected:
  // Writes a song file in the test's folder and returns its full path.
  std::string WriteSong(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
    return (std::filesystem::current_path() / name).string();
  }
  std::string Drop(const std::string& score, const SongHeaderText& h = {}) {
    const std::string path = WriteSong("song.txt", SongText(score, h));
    Mark();
    sys().Drop(path);
    return path;
  }
  // Runs the clock until the song has finished (or limit ms have passed).
  void PlayToEnd(int64_t limit = 600000) {
    const int64_t end = sys().NowMs() + limit;
    while (g_bAutoPlay != 0 && sys().NowMs() < end) sys().Wait(5);
  }
};
