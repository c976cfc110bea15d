// Song texts for tests: a valid header whose lines can be replaced one by one,
// followed by a score, and a fixture that loads such texts from a file.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/reset.h"
#include "song/song_load.h"
#include "song/song_reader.h"
#include "song/song_state.h"
#include "support/recording_boxes.h"
#include "support/temp_dir.h"

// The 22 header lines of a valid song in C6, each ending in "\n". Entries of
// replace (line number 1..22 -> text, without line end) take their place.
inline std::string SongHeaderText(const std::map<int, std::string>& replace = {}) {
  static const char* const kLines[22] = {
      "01=120", "02=0", "03=25", "04=0", "05=0", "06=127", "07=26", "08=0", "09=0", "10=100",
      "11=0", "12=0", "13=40", "14=20", "15=C6", "16=G,E,C,A,G,E,C,A", "17=0,0,0,#,0,0,0,#",
      "18=0,b,0,0,0,b,0,0", "19=100", "20=90", "21=80", "22=64",
  };
  std::string text;
  for (int i = 0; i < 22; ++i) {
    auto it = replace.find(i + 1);
    text += (it == replace.end() ? kLines[i] : it->second) + "\n";
  }
  return text;
}

class SongFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetAllState(); }
  void TearDown() override { ResetAllState(); }

  // Writes text as name in a fresh folder and loads it; returns the result.
  int Load(const std::string& text, const std::string& name = "song.txt") {
    dir_.Write(name, text);
    return LoadSongFile(dir_.File(name));
  }
  // Loads a valid header followed by score.
  int LoadScore(const std::string& score) { return Load(SongHeaderText() + score); }

  std::string Path(const std::string& name = "song.txt") const { return dir_.File(name); }

  TempDir dir_;
  RecordingBoxes boxes_;
};
