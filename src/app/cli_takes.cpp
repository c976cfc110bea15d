// slidora-cli takes: the takes kept in the Takes folder of the working
// directory, oldest first, each with the date it was saved, its length and
// its number of notes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/midi_file_read.h"
#include "app/takes.h"
#include "platform/local_time.h"

namespace {

namespace fs = std::filesystem;

std::string SavedDate(const fs::path& path) {
  std::error_code ec;
  const fs::file_time_type written = fs::last_write_time(path, ec);
  if (ec) return "?";
  const std::time_t when = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
  const std::tm local = LocalTime(when);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

int RunTakes(int argc, char** argv) {
  if (argc != 1) {
    std::fprintf(stderr, "usage: slidora-cli takes\n");
    return 2;
  }
  (void)argv;
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(kTakesFolder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec) && IsMidiFileName(it->path().filename().string())) files.push_back(it->path());
  }
  if (files.empty()) {
    std::printf("no takes in %s/\n", kTakesFolder);
    return 0;
  }
  // Named by date and time, so the names sort as the takes were made.
  std::sort(files.begin(), files.end());
  int status = 0;
  for (const fs::path& path : files) {
    const std::string name = path.filename().string();
    std::vector<TimedShortMsg> messages;
    std::string error;
    if (ReadMidiFile(path.string(), &messages, &error) != 0) {
      std::printf("%s  cannot be read: %s\n", name.c_str(), error.c_str());
      status = 1;
      continue;
    }
    int notes = 0;
    for (const TimedShortMsg& m : messages) {
      if ((m.packed & 0xF0) == 0x90 && ((m.packed >> 16) & 0x7F) != 0) ++notes;
    }
    const int64_t length = messages.empty() ? 0 : static_cast<int64_t>(messages.back().time_ms + 0.5);
    std::printf("%s  %s  %s  %d %s\n", name.c_str(), SavedDate(path).c_str(), FormatTakeLength(length).c_str(), notes,
                notes == 1 ? "note" : "notes");
  }
  std::fflush(stdout);
  return status;
}

const CliRegistration kTakes("takes", "list the takes kept in the Takes folder", RunTakes);

}  // namespace
