#include "platform/jack_midi_out.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/jack_support.h"
#include "platform/message_ring.h"

namespace {

constexpr const char* kClientName = "Slidora Quenlo";
constexpr const char* kProbeClientName = "slidora-list";
constexpr const char* kOutPortName = "MIDI out";
// 16384 messages: many seconds of a dense song, so only a port that has
// stopped draining fills it.
constexpr size_t kRingRecords = 16384;
// A new connection takes effect some process cycles after it is made (when
// the server switches to the new graph), and what is written before is lost:
// messages wait until this thread sees the connection in the graph it runs,
// and this many cycles more; at the longest, a fixed number of cycles.
constexpr int kSettleCycles = 2;
constexpr int kSettleCyclesAtMost = 32;  // 170 ms at 256 frames and 48 kHz
// How often a gone port is looked for again.
constexpr std::chrono::milliseconds kWatchPeriod{100};
// Bounds of Close: the messages sent last (a reset) going out, and the watcher
// letting its client go.
constexpr std::chrono::milliseconds kDrainLimit{300};
constexpr std::chrono::milliseconds kCloseLimit{1000};

// Where the connection stands; written by the interface thread, JACK's process
// and notification threads and the watcher.
enum Phase : int {
  kSettling,   // just connected: messages are held in the ring
  kFlowing,    // messages go out
  kGone,       // the server or the receiver vanished: messages are lost
  kRejoining,  // connected anew: settling, messages lost
  kBack,       // settled anew: waiting for Resume
};

}  // namespace

struct JackMidiOut::Link {
  explicit Link(std::string t) : target(std::move(t)) {}

  void MarkGone() { phase.store(kGone, std::memory_order_release); }

  const std::string target;
  MessageRing ring{kRingRecords};
  std::atomic<int> phase{kSettling};
  std::atomic<bool> connected{false};  // the connection was made (jack_connect returned)
  std::atomic<int> settle{0};          // process cycles since it showed, counted by the process thread
  std::atomic<int> waited{0};          // process cycles since it was made
  std::atomic<unsigned> cycles{0};     // process cycles, ever
  std::atomic<bool> server_down{false};
  // The watcher's own: the client was opened on a server that had just
  // started (see Rejoin).
  bool early_client = false;
  // Only the thread that owns the link at the moment (Open, then the watcher)
  // opens or closes the client; the callbacks read them.
  std::atomic<jack_client_t*> client{nullptr};
  std::atomic<jack_port_t*> port{nullptr};

  std::mutex mutex;
  std::condition_variable wake;
  bool stop = false;  // under mutex
  bool done = false;  // under mutex: the watcher has let the client go
};

namespace {

using Link = JackMidiOut::Link;

int Process(jack_nframes_t frames, void* arg) {
  Link* l = static_cast<Link*>(arg);
  jack_port_t* port = l->port.load(std::memory_order_acquire);
  void* buffer = jack_port_get_buffer(port, frames);
  jack_midi_clear_buffer(buffer);
  l->cycles.fetch_add(1, std::memory_order_release);
  int phase = l->phase.load(std::memory_order_acquire);
  // What was sent to the connection before it went is not for the new one.
  if (phase == kRejoining) l->ring.Clear();
  if (phase == kSettling || phase == kRejoining) {
    // jack_port_connected reads the graph of the running cycle, without
    // waiting, when called from the process thread.
    if (!l->connected.load(std::memory_order_acquire)) return 0;
    const int waited = l->waited.fetch_add(1, std::memory_order_relaxed) + 1;
    if (jack_port_connected(port) <= 0 && waited < kSettleCyclesAtMost) return 0;
    if (l->settle.fetch_add(1, std::memory_order_relaxed) + 1 >= kSettleCycles) {
      l->phase.compare_exchange_strong(phase, phase == kSettling ? kFlowing : kBack);
    }
    return 0;
  }
  if (phase != kFlowing) return 0;
  int length = 0;
  while (const uint8_t* m = l->ring.Peek(&length)) {
    // A buffer full for this cycle: the rest goes in the next one.
    if (jack_midi_event_write(buffer, 0, m, static_cast<size_t>(length)) != 0) break;
    l->ring.Pop();
  }
  return 0;
}

void OnShutdown(jack_status_t, const char*, void* arg) {
  Link* l = static_cast<Link*>(arg);
  l->server_down.store(true, std::memory_order_release);
  l->MarkGone();
}

// Any connection of our port dropped means the receiver went (or someone took
// the cable out): the port is gone until it is connected again.
void OnConnect(jack_port_id_t a, jack_port_id_t b, int connect, void* arg) {
  if (connect) return;
  Link* l = static_cast<Link*>(arg);
  jack_client_t* client = l->client.load(std::memory_order_acquire);
  jack_port_t* mine = l->port.load(std::memory_order_acquire);
  if (!client || !mine) return;
  if (jack_port_by_id(client, a) == mine || jack_port_by_id(client, b) == mine) l->MarkGone();
}

void CloseClient(Link& l) {
  jack_client_t* client = l.client.exchange(nullptr);
  if (client) jack_client_close(client);
  l.port.store(nullptr, std::memory_order_release);
}

bool OpenClient(Link& l) {
  jack_client_t* client = OpenJackClient(kClientName);
  if (!client) return false;
  jack_port_t* port = jack_port_register(client, kOutPortName, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
  l.port.store(port, std::memory_order_release);
  l.client.store(client, std::memory_order_release);
  if (!port || jack_set_process_callback(client, Process, &l) != 0 ||
      jack_set_port_connect_callback(client, OnConnect, &l) != 0) {
    CloseClient(l);
    return false;
  }
  jack_on_info_shutdown(client, OnShutdown, &l);
  if (jack_activate(client) != 0) {
    CloseClient(l);
    return false;
  }
  return true;
}

// Connects the port to the target; false when the target is not there (yet)
// or its client is not active.
bool ConnectTarget(Link& l) {
  jack_client_t* client = l.client.load();
  if (!jack_port_by_name(client, l.target.c_str())) return false;
  const int result = jack_connect(client, jack_port_name(l.port.load()), l.target.c_str());
  if (result != 0 && result != EEXIST) return false;
  l.connected.store(true, std::memory_order_release);
  return true;
}

// One look for a gone port: the server first (a new client when the old one's
// server went down), then the receiver's port.
void Rejoin(Link& l) {
  if (l.server_down.exchange(false)) {
    CloseClient(l);
    l.early_client = true;
  }
  if (!l.client.load() && !OpenClient(l)) return;
  if (!jack_port_by_name(l.client.load(), l.target.c_str())) return;
  // A client opened while another one closes (as clients come and go while a
  // server starts) can miss that one's leaving, and the JACK library then
  // keeps its wake-up for the next client of the same number, which is never
  // woken by this one: a receiver started later would hear nothing. Once the
  // receiver is there, the client is opened afresh.
  if (l.early_client) {
    l.early_client = false;
    CloseClient(l);
    if (!OpenClient(l) || !jack_port_by_name(l.client.load(), l.target.c_str())) return;
  }
  l.connected.store(false, std::memory_order_release);
  l.settle.store(0, std::memory_order_relaxed);
  l.waited.store(0, std::memory_order_relaxed);
  int gone = kGone;
  if (!l.phase.compare_exchange_strong(gone, kRejoining)) return;
  if (!ConnectTarget(l)) {
    int rejoining = kRejoining;
    l.phase.compare_exchange_strong(rejoining, kGone);
  }
}

void Watch(std::shared_ptr<Link> l) {
  std::unique_lock<std::mutex> lock(l->mutex);
  while (!l->stop) {
    l->wake.wait_for(lock, kWatchPeriod, [&] { return l->stop; });
    if (l->stop) break;
    lock.unlock();
    if (l->phase.load(std::memory_order_acquire) == kGone) Rejoin(*l);
    lock.lock();
  }
  lock.unlock();
  CloseClient(*l);
  lock.lock();
  l->done = true;
  l->wake.notify_all();
}

}  // namespace

JackMidiOut::JackMidiOut() = default;

JackMidiOut::~JackMidiOut() { Close(); }

std::vector<std::string> JackMidiOut::ListInputs() {
  std::vector<std::string> names;
  jack_client_t* probe = OpenJackClient(kProbeClientName);
  if (!probe) return names;
  if (const char** ports = jack_get_ports(probe, nullptr, JACK_DEFAULT_MIDI_TYPE, JackPortIsInput)) {
    for (const char** p = ports; *p; ++p) names.push_back(*p);
    jack_free(ports);
  }
  jack_client_close(probe);
  return names;
}

int JackMidiOut::Open(const std::string& target) {
  Close();
  for (int attempt = 1; attempt <= kJackOpenAttempts; ++attempt) {
    auto link = std::make_shared<Link>(target);
    if (!OpenClient(*link)) return MMSYSERR_ALLOCATED;
    if (ConnectTarget(*link)) {
      m_Link = link;
      std::thread(Watch, link).detach();
      return MMSYSERR_NOERROR;
    }
    // A target that is not there fails at once; a connection the loaded
    // server refused while the target is there is tried again, with a new client.
    const bool there = jack_port_by_name(link->client.load(), target.c_str()) != nullptr;
    CloseClient(*link);
    if (!there) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(kJackOpenRetryPauseMs));
  }
  return MMSYSERR_ALLOCATED;
}

void JackMidiOut::Send(const unsigned char* bytes, int length) {
  if (!m_Link) return;
  const int phase = m_Link->phase.load(std::memory_order_acquire);
  if (phase != kSettling && phase != kFlowing) return;
  // A ring that has filled up is not being drained: the server has stopped.
  if (!m_Link->ring.Push(bytes, length)) m_Link->MarkGone();
}

void JackMidiOut::Close() {
  if (!m_Link) return;
  std::shared_ptr<Link> l = std::move(m_Link);
  // The last messages (the reset before a close) leave in the next cycles.
  const auto start = std::chrono::steady_clock::now();
  unsigned empty_at = 0;
  bool empty = false;
  while (std::chrono::steady_clock::now() - start < kDrainLimit) {
    const int phase = l->phase.load(std::memory_order_acquire);
    if (phase != kSettling && phase != kFlowing) break;
    const unsigned cycles = l->cycles.load(std::memory_order_acquire);
    if (!empty && phase == kFlowing && l->ring.empty()) {
      empty = true;
      empty_at = cycles;
    }
    // Two cycles on, the cycle that wrote the last message has been heard.
    if (empty && cycles - empty_at >= 2) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // The watcher lets the client go; a server that has stopped answering
  // leaves it waiting, and then the link stays with it.
  std::unique_lock<std::mutex> lock(l->mutex);
  l->stop = true;
  l->wake.notify_all();
  l->wake.wait_for(lock, kCloseLimit, [&] { return l->done; });
}

PortState JackMidiOut::State() const {
  if (!m_Link) return PortState::kOpen;
  switch (m_Link->phase.load(std::memory_order_acquire)) {
    case kSettling:
    case kFlowing:
      return PortState::kOpen;
    case kBack:
      return PortState::kBack;
    default:
      return PortState::kGone;
  }
}

void JackMidiOut::Resume() {
  if (!m_Link) return;
  int back = kBack;
  m_Link->phase.compare_exchange_strong(back, kFlowing);
}
