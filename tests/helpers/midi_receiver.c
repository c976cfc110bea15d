/* An external MIDI receiver for the tests: a JACK client with one MIDI input
 * port that prints every message it gets as hex bytes, one line each.
 * Usage: midi_receiver CLIENT-NAME. Prints "server" once connected to the JACK
 * server (JACK_DEFAULT_SERVER), "ready" once its port "in" exists, then the
 * messages; it ends when its standard input closes, or after a time limit. */
#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>
#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

enum { kRingBytes = 1 << 20, kMaxMessage = 3, kConnectTries = 200, kIdleMs = 5, kLifeSeconds = 60 };

static jack_port_t* port;
static jack_ringbuffer_t* ring;

static int Process(jack_nframes_t frames, void* arg) {
  (void)arg;
  void* buffer = jack_port_get_buffer(port, frames);
  jack_nframes_t count = jack_midi_get_event_count(buffer);
  for (jack_nframes_t i = 0; i < count; ++i) {
    jack_midi_event_t event;
    if (jack_midi_event_get(&event, buffer, i) != 0) continue;
    unsigned char record[1 + kMaxMessage] = {0};
    size_t size = event.size < kMaxMessage ? event.size : kMaxMessage;
    record[0] = (unsigned char)size;
    memcpy(record + 1, event.buffer, size);
    if (jack_ringbuffer_write_space(ring) >= sizeof record) {
      jack_ringbuffer_write(ring, (const char*)record, sizeof record);
    }
  }
  return 0;
}

static void Drain(void) {
  unsigned char record[1 + kMaxMessage];
  while (jack_ringbuffer_read_space(ring) >= sizeof record) {
    jack_ringbuffer_read(ring, (char*)record, sizeof record);
    for (int i = 0; i < record[0]; ++i) printf(i ? " %02X" : "%02X", record[1 + i]);
    printf("\n");
  }
  fflush(stdout);
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  alarm(kLifeSeconds);
  jack_client_t* client = NULL;
  for (int i = 0; i < kConnectTries && !client; ++i) {
    client = jack_client_open(argv[1], JackNoStartServer, NULL);
    if (!client) usleep(50 * 1000);
  }
  if (!client) return 1;
  printf("server\n");
  fflush(stdout);
  ring = jack_ringbuffer_create(kRingBytes);
  port = jack_port_register(client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
  if (!ring || !port || jack_set_process_callback(client, Process, NULL) != 0 ||
      jack_activate(client) != 0) {
    return 1;
  }
  printf("ready\n");
  fflush(stdout);
  struct pollfd in = {0, POLLIN, 0};
  for (;;) {
    int ready = poll(&in, 1, kIdleMs);
    Drain();
    if (ready > 0) {
      char scrap[64];
      if (read(0, scrap, sizeof scrap) <= 0) break;
    }
  }
  Drain();
  jack_client_close(client);
  return 0;
}
