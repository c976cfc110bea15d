#include <pthread.h>
#include <sched.h>

#include "platform/audio_output.h"

namespace {
// Low among real-time priorities: above every ordinary program, below the
// sound servers' own threads.
constexpr int kRealtimePriority = 10;
}  // namespace

void TryRealtimeAudioThread() {
  sched_param param{};
  param.sched_priority = kRealtimePriority;
  pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}
