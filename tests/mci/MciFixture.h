#pragma once
// Test fixture for the command interface: the small TimGM6mb SoundFont,
// offline rendering on the test's own thread (no sound card needed), and a
// poster that records every notification with the virtual time, in frames,
// of the render call it came from.

#include "platform/mci/Mci.h"
#include "platform/mci/MciError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace miditest {

inline constexpr const char* kTestSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
inline constexpr int kPeriod = 512;

struct Posted {
  HWND window = nullptr;
  UINT message = 0;
  WPARAM flag = 0;
  LPARAM deviceId = 0;
  std::int64_t frame = 0;  // the virtual time at the end of the render call
};

inline std::vector<Posted>& PostedLog() {
  static std::vector<Posted> log;
  return log;
}

inline std::int64_t& StampFrame() {
  static std::int64_t frame = 0;
  return frame;
}

inline BOOL RecordPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PostedLog().push_back({window, message, wParam, lParam, StampFrame()});
  return TRUE;
}

inline HWND FakeWindow(std::uintptr_t n) { return reinterpret_cast<HWND>(n); }

class MciFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    mci::testing::UseSoundFont(kTestSoundFont);
    mci::testing::UseOfflineRendering(true);
    mci::SetNotificationPoster(&RecordPost);
    PostedLog().clear();
    StampFrame() = 0;
  }

  void TearDown() override {
    mci::Shutdown();
    mci::SetNotificationPoster(nullptr);
  }

  static MCIERROR Send(const std::string& command, HWND callback = nullptr) {
    return mciSendStringA(command.c_str(), nullptr, 0, callback);
  }

  static std::string Status(const std::string& alias, const std::string& item) {
    char buffer[64] = {};
    const MCIERROR error =
        mciSendStringA(("status " + alias + " " + item).c_str(), buffer, sizeof buffer, nullptr);
    EXPECT_EQ(error, 0u) << item;
    return buffer;
  }

  // Renders frames in calls of at most one period and returns the samples.
  std::vector<float> Render(std::int64_t frames, std::vector<float>* right = nullptr) {
    std::vector<float> left(static_cast<std::size_t>(frames));
    if (right != nullptr) right->assign(left.size(), 0.0f);
    for (std::int64_t done = 0; done < frames;) {
      const int step = static_cast<int>(std::min<std::int64_t>(kPeriod, frames - done));
      StampFrame() = m_rendered + step;
      mci::testing::RenderFrames(step, left.data() + done,
                                 right != nullptr ? right->data() + done : nullptr);
      m_rendered += step;
      StampFrame() = m_rendered;
      done += step;
    }
    return left;
  }

  // Renders until a notification arrives or the limit passes.
  void RenderUntilNotified(std::int64_t limitFrames) {
    const std::size_t before = PostedLog().size();
    for (std::int64_t done = 0; done < limitFrames && PostedLog().size() == before;
         done += kPeriod) {
      Render(kPeriod);
    }
  }

  std::int64_t m_rendered = 0;
};

}  // namespace miditest
