#include "platform/rtmidi_ports.h"

#include <alsa/asoundlib.h>
#include <chrono>
#include <thread>
#include <rtmidi/RtMidi.h>

#include "platform/jack_support.h"
#include "platform/midi_driver.h"

namespace {

constexpr const char* kClientName = "Slidora Quenlo";
constexpr const char* kOutPortName = "MIDI out";

struct PortRef {
  RtMidi::Api api;
  std::string name;  // full, as the backend names it
};

void IgnoreRtMidiError(RtMidiError::Type, const std::string&, void*) {}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

bool Compiled(RtMidi::Api api) {
  std::vector<RtMidi::Api> apis;
  RtMidi::getCompiledApi(apis);
  for (RtMidi::Api a : apis) {
    if (a == api) return true;
  }
  return false;
}

// Asked before RtMidi is, because RtMidi reports a missing backend on
// standard error before it throws.
bool BackendReachable(RtMidi::Api api) {
  if (!Compiled(api)) return false;
  if (api == RtMidi::UNIX_JACK) return JackServerRunning();
  snd_lib_error_set_handler(IgnoreAlsaError);
  snd_seq_t* seq = nullptr;
  if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) return false;
  snd_seq_close(seq);
  return true;
}

std::unique_ptr<RtMidiOut> NewOut(RtMidi::Api api) {
  try {
    auto out = std::make_unique<RtMidiOut>(api, kClientName);
    out->setErrorCallback(IgnoreRtMidiError, nullptr);
    return out;
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

std::string ListedPortName(const std::string& full_name) {
  const size_t space = full_name.rfind(' ');
  if (space == std::string::npos || space == 0) return full_name;
  const std::string numbers = full_name.substr(space + 1);
  const size_t colon = numbers.find(':');
  const auto digits = [](const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
  };
  if (colon == std::string::npos || !digits(numbers.substr(0, colon)) || !digits(numbers.substr(colon + 1)))
    return full_name;
  return full_name.substr(0, space);
}

int ShortMsgLength(int status) {
  switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
      return 2;
    case 0xF0:
      if (status == 0xF1 || status == 0xF3) return 2;
      if (status == 0xF2) return 3;
      return 1;
    default:
      return 3;
  }
}

struct RtMidiPorts::Impl {
  std::vector<PortRef> ports;
  std::vector<std::string> names;
  std::unique_ptr<RtMidiOut> out;
  RtMidi::Api out_api = RtMidi::UNSPECIFIED;
};

RtMidiPorts::RtMidiPorts() : m_Impl(std::make_unique<Impl>()) {}

RtMidiPorts::~RtMidiPorts() { Close(); }

const std::vector<std::string>& RtMidiPorts::Refresh() {
  SilenceJackLog();
  m_Impl->ports.clear();
  m_Impl->names.clear();
  for (RtMidi::Api api : {RtMidi::LINUX_ALSA, RtMidi::UNIX_JACK}) {
    if (!BackendReachable(api)) continue;
    std::unique_ptr<RtMidiOut> probe = NewOut(api);
    if (!probe) continue;
    try {
      const unsigned count = probe->getPortCount();
      for (unsigned i = 0; i < count; ++i) {
        const std::string name = probe->getPortName(i);
        if (name.empty()) continue;
        m_Impl->ports.push_back({api, name});
        m_Impl->names.push_back(api == RtMidi::LINUX_ALSA ? ListedPortName(name) : name);
      }
    } catch (...) {
      // A backend that fails half-way lists what it managed to list.
    }
  }
  return m_Impl->names;
}

const std::vector<std::string>& RtMidiPorts::names() const { return m_Impl->names; }

namespace {
// How long a new JACK connection is given before the first message goes out,
// and the last messages before the connection closes.
constexpr std::chrono::milliseconds kJackSettle{150};
// How long a closed JACK port is kept before it is destroyed (many cycles).
constexpr std::chrono::milliseconds kJackCycleEnd{100};
}  // namespace

int RtMidiPorts::Open(int index) {
  Close();
  if (index < 0 || index >= static_cast<int>(m_Impl->ports.size())) return MMSYSERR_BADDEVICEID;
  const PortRef& want = m_Impl->ports[index];
  if (!BackendReachable(want.api)) return MMSYSERR_ALLOCATED;
  std::unique_ptr<RtMidiOut> out = NewOut(want.api);
  if (!out) return MMSYSERR_ALLOCATED;
  try {
    const unsigned count = out->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
      if (out->getPortName(i) != want.name) continue;
      out->openPort(i, kOutPortName);
      if (!out->isPortOpen()) return MMSYSERR_ALLOCATED;
      // A JACK connection takes effect some process cycles after it is made,
      // and what is sent before is lost: the reset burst that follows every
      // open would never arrive. Give the server time to settle.
      if (want.api == RtMidi::UNIX_JACK) std::this_thread::sleep_for(kJackSettle);
      m_Impl->out = std::move(out);
      m_Impl->out_api = want.api;
      return MMSYSERR_NOERROR;
    }
  } catch (...) {
  }
  return MMSYSERR_ALLOCATED;
}

void RtMidiPorts::Send(uint32_t packed) {
  if (!m_Impl->out) return;
  const unsigned char bytes[3] = {static_cast<unsigned char>(packed & 0xFF),
                                  static_cast<unsigned char>((packed >> 8) & 0xFF),
                                  static_cast<unsigned char>((packed >> 16) & 0xFF)};
  try {
    m_Impl->out->sendMessage(bytes, ShortMsgLength(bytes[0]));
  } catch (...) {
  }
}

void RtMidiPorts::Close() {
  if (!m_Impl->out) return;
  // The last messages (the reset before closing) leave a JACK port in the
  // server's next cycles: closing at once would drop them on a busy machine.
  const bool jack = m_Impl->out_api == RtMidi::UNIX_JACK;
  if (jack) std::this_thread::sleep_for(kJackSettle);
  try {
    m_Impl->out->closePort();
  } catch (...) {
  }
  // The JACK backend frees its message buffer when destroyed, while a process
  // cycle that began before the port closed may still be reading it: let that
  // cycle end first.
  if (jack) std::this_thread::sleep_for(kJackCycleEnd);
  m_Impl->out.reset();
  m_Impl->out_api = RtMidi::UNSPECIFIED;
}

bool RtMidiPorts::is_open() const { return m_Impl->out != nullptr; }
