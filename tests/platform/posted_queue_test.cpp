#include "platform/posted_queue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/message_loop.h"

namespace {

TEST(PostedQueueTest, MessagesComeOutInPostOrderAFullQueueDropsAndQuitComesLast) {
  PostedQueue queue;
  for (size_t i = 0; i < PostedQueue::kCapacity; ++i)
    ASSERT_TRUE(queue.Post({WM_STROKE_STEP, static_cast<WPARAM>(i), 0}));
  EXPECT_FALSE(queue.Post({WM_GLIDE_STEP, 0, 0}));
  Message m{};
  for (size_t i = 0; i < PostedQueue::kCapacity; ++i) {
    ASSERT_TRUE(queue.PeekMessage(&m));
    ASSERT_EQ(m.wParam, static_cast<WPARAM>(i));
  }
  EXPECT_FALSE(queue.PeekMessage(&m));

  // Quit ends the loop only after what was posted before it.
  queue.Post({WM_SONG_STEP, 2, 0});
  queue.Quit();
  ASSERT_TRUE(queue.GetMessage(&m));
  EXPECT_EQ(m.msg, WM_SONG_STEP);
  EXPECT_FALSE(queue.GetMessage(&m));
}

TEST(PostedQueueTest, PostsFromOtherThreadsArriveWholeAndInTheirOrder) {
  constexpr int kPerThread = 2000;
  PostedQueue queue;
  std::vector<std::thread> posters;
  for (int t = 0; t < 2; ++t) {
    posters.emplace_back([&queue, t] {
      for (int i = 0; i < kPerThread; ++i)
        while (!queue.Post({WM_SONG_STEP, t, i})) std::this_thread::yield();
    });
  }
  int next[2] = {0, 0};
  Message m{};
  for (int n = 0; n < 2 * kPerThread; ++n) {
    ASSERT_TRUE(queue.GetMessage(&m));
    ASSERT_EQ(m.lParam, next[m.wParam]) << "thread " << m.wParam;
    ++next[m.wParam];
  }
  for (auto& p : posters) p.join();
  EXPECT_EQ(next[0], kPerThread);
  EXPECT_EQ(next[1], kPerThread);
}

TEST(PostedQueueTest, WindowTimerArrivesAsWmTimerWithItsIdentifier) {
  PostedQueue queue;
  queue.SetWindowTimer(1, 400);
  queue.SetWindowTimer(1, 10);  // setting it again restarts it
  queue.SetWindowTimer(2, 10);
  queue.KillWindowTimer(2);
  Message m{};
  ASSERT_TRUE(queue.GetMessage(&m));
  EXPECT_EQ(m.msg, WM_TIMER);
  EXPECT_EQ(m.wParam, 1);
  queue.KillWindowTimer(1);
  queue.Quit();
  EXPECT_FALSE(queue.GetMessage(&m));
}

TEST(MessageLoopTest, PrivateMessagesGoToTheirHandlersAndTheRestToTheView) {
  PostedQueue queue;
  MessageLoop loop;
  std::vector<std::string> seen;
  for (uint32_t msg : {WM_STROKE_STEP, WM_GLIDE_STEP, WM_MOUSE_RELEASE, WM_SONG_STEP})
    loop.SetHandler(msg, [&seen, msg](const Message& m) {
      seen.push_back(std::to_string(msg) + ":" + std::to_string(m.wParam));
    });
  loop.SetDefaultHandler([&](const Message& m) { seen.push_back("view:" + std::to_string(m.msg)); });
  int idle = 0;
  loop.SetIdleHook([&] { ++idle; });
  queue.Post({WM_SONG_STEP, 1, 0});
  queue.Post({WM_KEYDOWN, '1', 0});
  queue.Post({WM_GLIDE_STEP, 0, 0});
  EXPECT_EQ(loop.DrainPending(queue), 3);
  EXPECT_EQ(idle, 1);
  queue.Post({WM_MOUSE_RELEASE, 0, 0});
  queue.Post({WM_STROKE_STEP, 0, 0});
  queue.Quit();
  EXPECT_EQ(loop.Run(queue), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"32011:1", "view:256", "32009:0", "32010:0", "32008:0"}));
  EXPECT_EQ(idle, 2);
}

}  // namespace
