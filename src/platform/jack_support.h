// Small helpers around the JACK client library: keep it from printing, and ask
// whether a server runs without ever starting one.
#pragma once

// Routes the library's error and information messages nowhere.
void SilenceJackLog();
// True when a JACK server (the one JACK_DEFAULT_SERVER names) accepts a client.
bool JackServerRunning();
