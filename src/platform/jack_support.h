// Small helpers around the JACK client library: keep it from printing, open a
// client patiently, and ask whether a server runs without ever starting one.
#pragma once

#include <jack/types.h>

// Routes the library's error and information messages nowhere.
void SilenceJackLog();
// Opens a client without starting a server. A loaded server now and then
// fails a client's opening (a client that answered late): that is tried again,
// a few times and for a bounded time, while a missing server fails at once.
// nullptr when there is no server or it kept failing.
jack_client_t* OpenJackClient(const char* name);
// The number of tries OpenJackClient makes, and the pause between them.
constexpr int kJackOpenAttempts = 4;
constexpr int kJackOpenRetryPauseMs = 50;
// True when a JACK server (the one JACK_DEFAULT_SERVER names) accepts a client.
bool JackServerRunning();
