#include "platform/jack_support.h"

#include <jack/jack.h>

#include <chrono>
#include <thread>

namespace {
void IgnoreJackMessage(const char*) {}
constexpr const char* kProbeClientName = "slidora-probe";
}  // namespace

void SilenceJackLog() {
  jack_set_error_function(IgnoreJackMessage);
  jack_set_info_function(IgnoreJackMessage);
}

jack_client_t* OpenJackClient(const char* name) {
  SilenceJackLog();
  for (int attempt = 1;; ++attempt) {
    jack_status_t status{};
    if (jack_client_t* client = jack_client_open(name, JackNoStartServer, &status)) return client;
    if ((status & JackServerFailed) != 0 || attempt == kJackOpenAttempts) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(kJackOpenRetryPauseMs));
  }
}

bool JackServerRunning() {
  SilenceJackLog();
  jack_status_t status;
  jack_client_t* client = jack_client_open(kProbeClientName, JackNoStartServer, &status);
  if (!client) return false;
  jack_client_close(client);
  return true;
}
