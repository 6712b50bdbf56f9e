// The message queue: posting from other threads, peeking with and without
// removal, repaints that wait for an empty queue, translation of keys into
// characters, and stale handles.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/host/headless/HeadlessHost.h"
#include "platform/win/WindowSystem.h"
#include "res/Resources.h"

namespace {

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::RegisterResources(&VuskResources());
    win::InitWindowSystem(&host);
    dialog = CreateDialogIndirectParamA(win::FindDialogTemplate(IDD_ABOUTBOX), nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    Drain();
  }
  void TearDown() override {
    if (IsWindow(dialog)) DestroyWindow(dialog);
    Drain();
    win::InitWindowSystem(nullptr);
  }
  // Handles what is queued, repaints included (a repaint is asked for
  // until a window procedure has painted).
  static void Drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  host::HeadlessHost host;
  HWND dialog = nullptr;
};

TEST_F(QueueTest, PostsFromManyThreadsArriveWholeAndInEachThreadsOrder) {
  constexpr int kThreads = 4;
  constexpr int kEach = 2000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t] {
      for (int i = 0; i < kEach; ++i) PostMessageA(dialog, WM_USER + 7, static_cast<WPARAM>(t), i);
    });
  }
  for (auto& thread : threads) thread.join();
  std::vector<int> next(kThreads, 0);
  MSG msg;
  int count = 0;
  while (PeekMessageA(&msg, nullptr, WM_USER + 7, WM_USER + 7, PM_REMOVE)) {
    ASSERT_EQ(msg.lParam, next[msg.wParam]) << "thread " << msg.wParam;
    ++next[msg.wParam];
    ++count;
  }
  EXPECT_EQ(count, kThreads * kEach);
}

TEST_F(QueueTest, APostFromAnotherThreadEndsABlockingGet) {
  host.Then([this] {
    // While the UI thread waits, another thread posts: the wait ends and
    // the message is there.
    std::thread poster([this] { PostMessageA(dialog, WM_USER + 1, 42, 0); });
    poster.join();
  });
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_USER + 1);
  EXPECT_EQ(msg.wParam, 42u);
  EXPECT_EQ(host.StepsLeft(), 0u);
}

TEST_F(QueueTest, PeekingWithoutRemovalLeavesTheMessageAndFiltersApply) {
  PostMessageA(dialog, WM_USER + 1, 1, 0);
  PostMessageA(dialog, WM_USER + 2, 2, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_USER + 1);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 2u);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 1);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, ARepaintComesOnlyWhenNothingElseIsQueuedAndOnlyOnce) {
  ShowWindow(dialog, SW_SHOW);
  Drain();
  InvalidateRect(dialog, nullptr, TRUE);
  PostMessageA(dialog, WM_USER + 3, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 3);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_PAINT);
  EXPECT_EQ(msg.hwnd, dialog);
  DispatchMessageA(&msg);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, KeysAreTranslatedIntoTheCharactersDialogsUse) {
  struct Case {
    UINT message;
    WPARAM vk;
    LPARAM lParam;
    UINT produced;  // 0: nothing
    WPARAM ch;
  };
  const Case cases[] = {
      {WM_KEYDOWN, VK_RETURN, 0, WM_CHAR, '\r'},
      {WM_KEYDOWN, VK_ESCAPE, 0, WM_CHAR, 0x1B},
      {WM_KEYDOWN, VK_TAB, 0, WM_CHAR, '\t'},
      {WM_KEYDOWN, VK_BACK, 0, WM_CHAR, 0x08},
      {WM_SYSKEYDOWN, 'A', KF_ALTDOWN_LPARAM, WM_SYSCHAR, 'a'},
      {WM_SYSKEYDOWN, VK_SPACE, KF_ALTDOWN_LPARAM, WM_SYSCHAR, ' '},
      {WM_KEYDOWN, 'A', 0, 0, 0},  // letters arrive as committed text instead
      {WM_KEYDOWN, VK_F1, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.vk);
    MSG key;
    key.hwnd = dialog;
    key.message = c.message;
    key.wParam = c.vk;
    key.lParam = c.lParam;
    TranslateMessage(&key);
    MSG msg;
    bool got = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    if (c.produced == 0) {
      EXPECT_FALSE(got);
    } else {
      ASSERT_TRUE(got);
      EXPECT_EQ(msg.message, c.produced);
      EXPECT_EQ(msg.wParam, c.ch);
    }
  }
}

TEST_F(QueueTest, AStaleHandleIsRefusedNeverFollowed) {
  HWND ok = GetDlgItem(dialog, IDOK);
  ASSERT_NE(ok, nullptr);
  DestroyWindow(dialog);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(IsWindow(ok));
  EXPECT_EQ(SendMessageA(ok, BM_CLICK, 0, 0), 0);
  EXPECT_FALSE(SetWindowTextA(ok, "x"));
  EXPECT_EQ(GetDlgItem(dialog, IDOK), nullptr);
  MSG msg;
  msg.hwnd = dialog;
  msg.message = WM_CLOSE;
  EXPECT_EQ(DispatchMessageA(&msg), 0);
  EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(0x1234)));
}

}  // namespace
