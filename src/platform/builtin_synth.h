// The built-in General MIDI synthesizer behind the "MIDI Mapper": FluidSynth
// playing a SoundFont, made to answer like a GS synthesizer (exact bend
// semitones, the vibrato parameters, bank select), live or into a buffer.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class BuiltinSynth {
 public:
  // Loads the SoundFont (none when empty); nullptr when it cannot be read.
  // With load_on_demand the samples of a sound are read when a channel first
  // selects it: quick to start, but a program change then reads the file.
  static std::unique_ptr<BuiltinSynth> Create(const std::string& soundfont, int sample_rate,
                                              bool load_on_demand = false);
  // Loads a SoundFont later, over any loaded before. 0 on success.
  int LoadSoundFont(const std::string& soundfont);
  // The same on a thread of its own, so that a large SoundFont does not hold
  // up the start. Until it is loaded the audio output plays silence and the
  // messages wait; then they are played in order, except each note that was
  // started and ended meanwhile (left out with its end): a note still held
  // sounds late, a finished one not at all, and none is left hanging.
  // before_load runs first on the loading thread (tests hold the load there).
  void LoadSoundFontInBackground(const std::string& soundfont, std::function<void()> before_load = nullptr);
  bool soundfont_loading() const;
  // Returns once no SoundFont is loading.
  void WaitForSoundFont();
  ~BuiltinSynth();
  BuiltinSynth(const BuiltinSynth&) = delete;
  BuiltinSynth& operator=(const BuiltinSynth&) = delete;

  // One packed short message (status | data1 << 8 | data2 << 16).
  void ShortMsg(uint32_t packed);
  // Releases every note on every channel, as a port reset does.
  void Reset();
  // Renders frames of interleaved stereo. Messages take effect at the start of
  // the synthesizer's next block of kBlockFrames.
  void Render(int16_t* stereo, int frames);
  // The same, as full-scale 1.0 floats, the channels apart, without dither.
  void RenderFloat(float* left, float* right, int frames);
  static constexpr int kBlockFrames = 64;

  // Plays through the first audio output that opens: JACK when a server runs
  // (its outputs connected to the playback ports unless connect_outputs is
  // false), else PulseAudio, ALSA, SDL. 0 on success; without any audio output
  // it fails quickly and quietly, and it never starts a sound server.
  int StartAudio(bool connect_outputs = true);
  void StopAudio();
  bool audio_running() const;
  // The name of the audio output that opened, empty when none.
  std::string audio_driver() const;
  // Gaps in the sound since the output opened (JACK xruns, PulseAudio
  // underflows); -1 when the output cannot tell or none is open.
  int64_t audio_underruns() const;
  // Where the audio output's sound goes ("left: system:playback_1" for JACK).
  std::vector<std::string> audio_connections() const;
  // How far the sound heard trails the buffers being filled, in milliseconds.
  double audio_latency_ms() const;
  // What the audio output calls for each buffer, on its own thread: the
  // synthesizer's sound, or zeros while it loads or rests in silence.
  void RenderLive(float* left, float* right, int frames, int stride = 1);

  // Name of the preset now selected on a channel, empty when none.
  std::string ChannelPresetName(int channel);
  int sample_rate() const { return m_SampleRate; }

 // The FluidSynth objects; defined for the synthesizer's own files only.
  struct Impl;

 private:
  explicit BuiltinSynth(std::unique_ptr<Impl> impl, int sample_rate);
  std::unique_ptr<Impl> m_Impl;
  int m_SampleRate;
};

// Keeps FluidSynth from writing to standard error; called by everything that
// creates a synthesizer.
void SilenceSynthLog();
