#include "platform/jack_support.h"

#include <jack/jack.h>

namespace {
void IgnoreJackMessage(const char*) {}
constexpr const char* kProbeClientName = "slidora-probe";
}  // namespace

void SilenceJackLog() {
  jack_set_error_function(IgnoreJackMessage);
  jack_set_info_function(IgnoreJackMessage);
}

bool JackServerRunning() {
  SilenceJackLog();
  jack_status_t status;
  jack_client_t* client = jack_client_open(kProbeClientName, JackNoStartServer, &status);
  if (!client) return false;
  jack_client_close(client);
  return true;
}
