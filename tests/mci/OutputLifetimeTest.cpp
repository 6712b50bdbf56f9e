// When the audio output opens and closes. Offline rendering opens an output
// with no driver that follows the same rules as a real one, so these run
// without a sound card. The grace period after a close is set far longer than
// any test runs, and ended on purpose where a test wants it over; only the
// last test lets a short one pass by itself.

#include "platform/mci/Mci.h"

#include "tests/mci/MciFixture.h"
#include "tests/mci/MidiBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ostream>

namespace {

using namespace miditest;
using namespace std::chrono_literals;

constexpr const char* kOffline = "offline";
constexpr std::uintptr_t kWindow = 0x200;

std::int64_t FramesOf(std::int64_t ms) { return ms * mci::testing::SampleRate() / 1000; }

double Rms(const std::vector<float>& samples) {
  double sum = 0;
  for (float v : samples) sum += double{v} * v;
  return std::sqrt(sum / static_cast<double>(samples.size()));
}

// Three devices: "a" is playing, "b" is open and waiting, and "e" is a song
// that ends the moment it starts.
class OutputLifetimeTest : public MciFixture {
 protected:
  void SetUp() override {
    MciFixture::SetUp();
    mci::testing::UseOutputCloseGrace(1h);
    ASSERT_EQ(Send(OpenCommand(m_first, "a")), 0u);
    ASSERT_EQ(Send(OpenCommand(m_second, "b")), 0u);
    ASSERT_EQ(Send(OpenCommand(m_empty, "e")), 0u);
    ASSERT_EQ(mci::testing::OpenAudioDriver(), "");
    ASSERT_EQ(Send("play a notify", FakeWindow(kWindow)), 0u);
    ASSERT_EQ(mci::testing::OpenAudioDriver(), kOffline);
    Render(FramesOf(200));
  }

  void TearDown() override {
    MciFixture::TearDown();
    mci::testing::UseOutputCloseGrace(std::nullopt);
  }

  static std::string OpenCommand(const TempFile& file, const std::string& alias) {
    return "open \"" + file.Path() + "\" type sequencer alias " + alias;
  }

  // Sends each command; "shutdown" stands for a shutdown of the interface
  // and "end" for rendering until song "a" has ended.
  void Run(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
      if (step == "shutdown") {
        mci::Shutdown();
      } else if (step == "end") {
        RenderUntilNotified(FramesOf(2000));
        ASSERT_EQ(Status("a", "mode"), "stopped");
      } else {
        ASSERT_EQ(Send(step), 0u) << step;
      }
    }
  }

  TempFile m_first{OneNoteSong()};
  TempFile m_second{OneNoteSong()};
  TempFile m_empty{Cat({Header(0, 1, 96), Track(Cat({EndOfTrack()}))})};
};

struct Steps {
  const char* name;
  std::vector<std::string> steps;
};

void PrintTo(const Steps& steps, std::ostream* out) { *out << steps.name; }

// The ways in which the playing song gives way with nothing playing after
// it, as a program moves on to its next song.
class SongChangeTest : public OutputLifetimeTest, public ::testing::WithParamInterface<Steps> {};

TEST_P(SongChangeTest, TheNextPlayTakesTheOutputOver) {
  Run(GetParam().steps);
  EXPECT_EQ(mci::testing::OpenAudioDriver(), kOffline);

  ASSERT_EQ(Send("play b notify", FakeWindow(kWindow + 1)), 0u);
  EXPECT_EQ(mci::testing::OpenAudioDriver(), kOffline);
  // The play cancelled the close, so there is none to end, and the song
  // keeps its output.
  EXPECT_FALSE(mci::testing::ExpireOutputGrace());
  EXPECT_EQ(mci::testing::OpenAudioDriver(), kOffline);
  EXPECT_GT(Rms(Render(FramesOf(300))), 0.005);
  EXPECT_EQ(Status("b", "mode"), "playing");

  ASSERT_EQ(Send("stop b"), 0u);
  EXPECT_EQ(mci::testing::OpenAudioDriver(), "");
}

TEST_P(SongChangeTest, WithoutAPlayTheOutputClosesWhenTheGraceEnds) {
  Run(GetParam().steps);
  EXPECT_EQ(mci::testing::OpenAudioDriver(), kOffline);

  EXPECT_TRUE(mci::testing::ExpireOutputGrace());
  EXPECT_EQ(mci::testing::OpenAudioDriver(), "");
  EXPECT_FALSE(mci::testing::ExpireOutputGrace());

  // A later play opens a new output, and no close is left over to take it.
  ASSERT_EQ(Send("play b"), 0u);
  EXPECT_EQ(mci::testing::OpenAudioDriver(), kOffline);
  EXPECT_FALSE(mci::testing::ExpireOutputGrace());
  EXPECT_EQ(mci::testing::OpenAudioDriver(), kOffline);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, SongChangeTest,
    ::testing::Values(Steps{"CloseAfterTheEnd", {"end", "close a"}},
                      Steps{"CloseWhilePlaying", {"close a"}},
                      Steps{"AnotherCloseDuringTheGrace", {"close a", "close e"}},
                      Steps{"PlayOfASongThatEndsAtOnce", {"play e"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Stop and shutdown close the output at once, whether a song was playing or
// the output was being kept after one.
class ClosesAtOnceTest : public OutputLifetimeTest, public ::testing::WithParamInterface<Steps> {};

TEST_P(ClosesAtOnceTest, NothingIsLeftOpenOrPending) {
  Run(GetParam().steps);
  EXPECT_EQ(mci::testing::OpenAudioDriver(), "");
  EXPECT_FALSE(mci::testing::ExpireOutputGrace());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ClosesAtOnceTest,
    ::testing::Values(Steps{"StopWhilePlaying", {"stop a"}},
                      Steps{"StopAfterTheEnd", {"end", "stop a"}},
                      Steps{"StopOfAnotherDuringTheGrace", {"close a", "stop b"}},
                      Steps{"ShutdownWhilePlaying", {"shutdown"}},
                      Steps{"ShutdownDuringTheGrace", {"close a", "shutdown"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OutputLifetimeTest, ClosingADeviceThatIsNotPlayingLeavesTheSongItsOutput) {
  ASSERT_EQ(Send("close b"), 0u);
  EXPECT_EQ(mci::testing::OpenAudioDriver(), kOffline);
  EXPECT_FALSE(mci::testing::ExpireOutputGrace());
  EXPECT_EQ(mci::testing::OpenAudioDriver(), kOffline);
  RenderUntilNotified(FramesOf(2000));
  ASSERT_EQ(PostedLog().size(), 1u);
  EXPECT_EQ(PostedLog()[0].flag, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
}

TEST_F(OutputLifetimeTest, AShortGraceEndsByItself) {
  mci::testing::UseOutputCloseGrace(1ms);
  ASSERT_EQ(Send("close a"), 0u);
  // A limit only so that a fault fails the test instead of hanging it.
  EXPECT_TRUE(mci::testing::WaitForOutputClosed(60s));
  EXPECT_EQ(mci::testing::OpenAudioDriver(), "");
  EXPECT_FALSE(mci::testing::ExpireOutputGrace());
}

}  // namespace
