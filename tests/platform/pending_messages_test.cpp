#include "platform/pending_messages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PendingMessagesTest, NotesEndedWhileWaitingAreLeftOutWithTheirEnds) {
  struct Case {
    const char* what;
    std::vector<uint32_t> sent;
    std::vector<uint32_t> played;
  };
  const Case cases[] = {
      {"a held note starts late, after the set-up sent before it",
       {0x001AC0, 0x2000E0, 0x644390},
       {0x001AC0, 0x2000E0, 0x644390}},
      {"a note started and ended is not played at all",
       {0x001AC0, 0x644390, 0x7F4380, 0x2000E0},
       {0x001AC0, 0x2000E0}},
      {"a note-on of velocity 0 ends a note too",
       {0x644390, 0x004390},
       {}},
      {"only the note of that channel and key ends",
       {0x644390, 0x644391, 0x644490, 0x7F4381},
       {0x644390, 0x644490}},
      {"a note struck again after its end is held",
       {0x644390, 0x7F4380, 0x504390},
       {0x504390}},
      {"an end with no note waiting goes out as sent",
       {0x7F4380},
       {0x7F4380}},
      {"all notes off ends every note of its channel, and is kept",
       {0x644390, 0x644590, 0x644391, 0x007BB0},
       {0x644391, 0x007BB0}},
      {"all sound off as well",
       {0x644390, 0x0078B0},
       {0x0078B0}},
      {"real-time messages pass",
       {0xFA, 0x644390, 0xFC},
       {0xFA, 0x644390, 0xFC}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PendingMessages pending;
    for (uint32_t m : c.sent) pending.Add(m);
    EXPECT_EQ(pending.Take(), c.played);
    EXPECT_TRUE(pending.empty());
  }
}

}  // namespace
