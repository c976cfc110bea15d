// Where the built-in synthesizer's sound goes: one small output per audio
// system (JACK, PulseAudio, and FluidSynth's own drivers for the rest), each
// pulling buffers from a source on its own thread and counting the buffers it
// could not fill in time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Called on the output's thread: fills frames of both channels, stride
  // floats apart (1 for separate buffers, 2 for interleaved stereo).
  virtual void RenderAudio(float* left, float* right, int frames, int stride) = 0;
  // Called once before the first buffer when the output runs at another rate.
  virtual void UseSampleRate(int rate) = 0;
};

struct AudioOptions {
  int sample_rate = 48000;       // asked for; JACK runs at its server's rate
  bool connect_outputs = true;   // JACK: connect to the physical playback ports
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // "jack", "pulseaudio", "alsa" or "sdl2".
  virtual std::string name() const = 0;
  // Times the sound had a gap since the output opened (JACK: the server's
  // xruns; PulseAudio: the stream's underflows); -1 when the output cannot
  // tell.
  virtual int64_t underruns() const = 0;
  // How far the sound at the output trails the buffers being filled, in
  // frames at the output's rate.
  virtual int latency_frames() const = 0;
  virtual int sample_rate() const = 0;
  // Where the sound goes, as the audio system names it: for JACK the ports
  // each output is connected to ("left: system:playback_1"); empty where the
  // system routes it itself.
  virtual std::vector<std::string> connections() const { return {}; }
};

// Each returns nullptr quickly when its audio system is not there; none
// starts a sound server.
std::unique_ptr<AudioOutput> OpenJackOutput(AudioSource* source, const AudioOptions& options);
std::unique_ptr<AudioOutput> OpenPulseOutput(AudioSource* source, const AudioOptions& options);
// FluidSynth's driver of that name ("alsa", "sdl2").
std::unique_ptr<AudioOutput> OpenFluidDriverOutput(const std::string& driver, AudioSource* source,
                                                   const AudioOptions& options);

// Asks for real-time scheduling of the calling audio thread; quietly keeps the
// ordinary one where that is not allowed.
void TryRealtimeAudioThread();
