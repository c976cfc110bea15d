// slidora-cli render FILE -o OUT.wav [--soundfont PATH]: a song's performance,
// or a MIDI file (a take) as it is, through the built-in synthesizer, as a
// 44.1 kHz stereo 16-bit WAV file.

#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/midi_file_read.h"
#include "app/song_performance.h"
#include "app/song_render.h"
#include "app/song_report.h"
#include "app/wav_file.h"
#include "model/settings.h"
#include "platform/plain_file.h"
#include "platform/soundfont.h"

namespace {

constexpr int kBarWidth = 40;  // characters of the progress bar

// A bar on the terminal, redrawn in place; nothing when standard error is not
// a terminal (a pipe or a file gets no control characters).
void ShowProgress(double done) {
  static int shown = -1;
  const int filled = static_cast<int>(done * kBarWidth);
  if (filled == shown) return;
  shown = filled;
  std::fprintf(stderr, "\rrendering [%-*s] %3d%%", kBarWidth, std::string(filled, '#').c_str(),
               static_cast<int>(done * 100));
  if (done >= 1.0) std::fprintf(stderr, "\n");
  std::fflush(stderr);
}

int RunRender(int argc, char** argv) {
  const char* file;
  const char* out;
  const char* soundfontArg;
  if (!ParseFileAndOutput(argc, argv, "--soundfont", &file, &out, &soundfontArg)) {
    std::fprintf(stderr, "usage: slidora-cli render FILE -o OUT.wav [--soundfont PATH]\n");
    return 2;
  }
  const bool midi = IsMidiFileName(file);
  if (!midi && !SongLoadsOrReport(file)) return 1;
  std::vector<TimedShortMsg> messages;
  if (midi) {
    std::string error;
    if (ReadMidiFile(file, &messages, &error) != 0) {
      std::fprintf(stderr, "render: %s: %s\n", file, error.c_str());
      return 1;
    }
  }
  BuildSettingsPath();
  const std::string soundfont = soundfontArg ? soundfontArg : FindSoundFont(g_SettingsPath);
  if (soundfont.empty()) {
    std::fprintf(stderr, "render: no SoundFont found; name one with --soundfont\n");
    return 1;
  }
  // Only the messages are kept of the performance, as it plays.
  SongPerformance p;
  if (!midi && PerformSong(file, false, &p, [&](const std::vector<HeadlessEvent>& batch) {
        AppendPerformanceMessages(batch, p.dropMs, &messages);
      }) != 0) {
    return 1;
  }
  const bool terminal = StandardErrorIsTerminal();
  // The file is made when the first second of sound is ready (not at all when
  // the SoundFont cannot be loaded) and written as the song renders.
  WavFileWriter wav;
  bool opened = false;  // the sink tried to make the file
  bool made = false;    // and made it: a failure later removes it
  const uint32_t frames = static_cast<uint32_t>(RenderedFrames(messages, kSongRenderRate, kSongRenderTailMs));
  const RenderSink write = [&](const int16_t* samples, size_t count) {
    if (!opened) {
      opened = true;
      if (!wav.Open(out, frames, kSongRenderRate, kWavChannels)) return false;
      made = true;
    }
    return wav.Append(samples, count);
  };
  const int result = RenderOfflineTo(messages, soundfont, kSongRenderRate, kSongRenderTailMs, write,
                                     terminal ? RenderProgress(ShowProgress) : RenderProgress());
  if (result == 1) {
    std::fprintf(stderr, "render: cannot load the SoundFont %s\n", soundfont.c_str());
    return 1;
  }
  if (wav.Close() != 0 || result != 0) {
    std::fprintf(stderr, "render: cannot write %s\n", out);
    if (made) std::remove(out);
    return 1;
  }
  return 0;
}

const CliRegistration kRender("render", "render a song or a MIDI file through the built-in synthesizer to a WAV file",
                              RunRender);

}  // namespace
