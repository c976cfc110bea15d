#include "platform/rtmidi_ports.h"

#include <alsa/asoundlib.h>
#include <rtmidi/RtMidi.h>

#include <chrono>
#include <future>

#include "platform/jack_midi_out.h"
#include "platform/midi_driver.h"

namespace {

constexpr const char* kClientName = "Slidora Quenlo";
constexpr const char* kOutPortName = "MIDI out";

// JACK ports are reached through the program's own client rather than
// RtMidi's, whose send spins for good once a stopped server leaves its buffer
// full.
enum class Backend { kAlsa, kJack };

struct PortRef {
  Backend backend;
  std::string name;  // full, as the backend names it
};

// A listing made ahead is used only while this fresh.
constexpr std::chrono::seconds kListAheadFresh{1};

struct Listing {
  std::vector<PortRef> ports;
  std::vector<std::string> names;
  std::chrono::steady_clock::time_point made;
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
bool AlsaReachable() {
  if (!Compiled(RtMidi::LINUX_ALSA)) return false;
  snd_lib_error_set_handler(IgnoreAlsaError);
  snd_seq_t* seq = nullptr;
  if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) return false;
  snd_seq_close(seq);
  return true;
}

std::unique_ptr<RtMidiOut> NewAlsaOut() {
  try {
    auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
    out->setErrorCallback(IgnoreRtMidiError, nullptr);
    return out;
  } catch (...) {
    return nullptr;
  }
}

// Safe on any thread: each call makes clients of its own.
Listing ListPorts() {
  Listing l;
  if (AlsaReachable()) {
    if (std::unique_ptr<RtMidiOut> probe = NewAlsaOut()) {
      try {
        const unsigned count = probe->getPortCount();
        for (unsigned i = 0; i < count; ++i) {
          const std::string name = probe->getPortName(i);
          if (name.empty()) continue;
          l.ports.push_back({Backend::kAlsa, name});
          l.names.push_back(ListedPortName(name));
        }
      } catch (...) {
        // A backend that fails half-way lists what it managed to list.
      }
    }
  }
  for (const std::string& name : JackMidiOut::ListInputs()) {
    l.ports.push_back({Backend::kJack, name});
    l.names.push_back(name);
  }
  l.made = std::chrono::steady_clock::now();
  return l;
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
  std::unique_ptr<RtMidiOut> alsa;
  JackMidiOut jack;
  std::future<Listing> ahead;
};

RtMidiPorts::RtMidiPorts() : m_Impl(std::make_unique<Impl>()) {}

RtMidiPorts::~RtMidiPorts() { Close(); }

void RtMidiPorts::ListAhead() {
  m_Impl->ahead = std::async(std::launch::async, ListPorts);
}

const std::vector<std::string>& RtMidiPorts::Refresh() {
  Listing listing;
  if (m_Impl->ahead.valid()) listing = m_Impl->ahead.get();
  if (std::chrono::steady_clock::now() - listing.made > kListAheadFresh) listing = ListPorts();
  m_Impl->ports = std::move(listing.ports);
  m_Impl->names = std::move(listing.names);
  return m_Impl->names;
}

const std::vector<std::string>& RtMidiPorts::names() const { return m_Impl->names; }

int RtMidiPorts::Open(int index) {
  Close();
  if (index < 0 || index >= static_cast<int>(m_Impl->ports.size())) return MMSYSERR_BADDEVICEID;
  const PortRef& want = m_Impl->ports[index];
  if (want.backend == Backend::kJack) return m_Impl->jack.Open(want.name);
  if (!AlsaReachable()) return MMSYSERR_ALLOCATED;
  std::unique_ptr<RtMidiOut> out = NewAlsaOut();
  if (!out) return MMSYSERR_ALLOCATED;
  try {
    const unsigned count = out->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
      if (out->getPortName(i) != want.name) continue;
      out->openPort(i, kOutPortName);
      if (!out->isPortOpen()) return MMSYSERR_ALLOCATED;
      m_Impl->alsa = std::move(out);
      return MMSYSERR_NOERROR;
    }
  } catch (...) {
  }
  return MMSYSERR_ALLOCATED;
}

void RtMidiPorts::Send(uint32_t packed) {
  const unsigned char bytes[3] = {static_cast<unsigned char>(packed & 0xFF),
                                  static_cast<unsigned char>((packed >> 8) & 0xFF),
                                  static_cast<unsigned char>((packed >> 16) & 0xFF)};
  const int length = ShortMsgLength(bytes[0]);
  if (m_Impl->jack.is_open()) {
    m_Impl->jack.Send(bytes, length);
    return;
  }
  if (!m_Impl->alsa) return;
  try {
    m_Impl->alsa->sendMessage(bytes, length);
  } catch (...) {
  }
}

void RtMidiPorts::Close() {
  m_Impl->jack.Close();
  if (!m_Impl->alsa) return;
  try {
    m_Impl->alsa->closePort();
  } catch (...) {
  }
  m_Impl->alsa.reset();
}

bool RtMidiPorts::is_open() const { return m_Impl->alsa != nullptr || m_Impl->jack.is_open(); }

PortState RtMidiPorts::State() const { return m_Impl->jack.State(); }

void RtMidiPorts::Resume() { m_Impl->jack.Resume(); }
