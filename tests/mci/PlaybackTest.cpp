#include "platform/mci/Mci.h"
#include "platform/mci/MciError.h"

#include "tests/mci/DamagedFiles.h"
#include "tests/mci/MciFixture.h"
#include "tests/mci/MidiBytes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace miditest;
using mci::Error;
using mci::ToNumber;

constexpr std::uintptr_t kWindow = 0x100;

double Rms(const std::vector<float>& samples, std::size_t from, std::size_t to) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += double{samples[i]} * samples[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

float Peak(const std::vector<float>& samples, std::size_t from = 0) {
  float peak = 0;
  for (std::size_t i = from; i < samples.size(); ++i) peak = std::max(peak, std::fabs(samples[i]));
  return peak;
}

std::int64_t FramesOf(std::int64_t ms) { return ms * mci::testing::SampleRate() / 1000; }

class PlaybackTest : public MciFixture {
 protected:
  void Open(const TempFile& file, const std::string& alias = "myseq") {
    ASSERT_EQ(Send("open \"" + file.Path() + "\" type sequencer alias " + alias), 0u);
  }

  void ExpectPosted(std::size_t index, WPARAM flag, std::uintptr_t window = kWindow) {
    ASSERT_GT(PostedLog().size(), index);
    const Posted& posted = PostedLog()[index];
    EXPECT_EQ(posted.message, MM_MCINOTIFY);
    EXPECT_EQ(posted.flag, flag);
    EXPECT_EQ(posted.window, FakeWindow(window));
    EXPECT_NE(posted.deviceId, 0);
  }
};

struct SongCase {
  const char* name;
  Bytes bytes;
  std::int64_t lengthMs;
};

class SongEndTest : public PlaybackTest, public ::testing::WithParamInterface<SongCase> {};

TEST_P(SongEndTest, NotifiesSuccessOnceWhenTheEndHasSounded) {
  TempFile file(GetParam().bytes);
  Open(file);
  ASSERT_EQ(Status("myseq", "length"), std::to_string(GetParam().lengthMs));
  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
  EXPECT_EQ(Status("myseq", "mode"), "playing");
  const std::int64_t end = FramesOf(GetParam().lengthMs);

  RenderUntilNotified(end + FramesOf(1000));
  ASSERT_EQ(PostedLog().size(), 1u);
  ExpectPosted(0, MCI_NOTIFY_SUCCESSFUL);
  // Posted from the render call in which the audio position reached the end.
  EXPECT_GT(PostedLog()[0].frame, end - kPeriod);
  EXPECT_LE(PostedLog()[0].frame, end + kPeriod);
  EXPECT_GE(PostedLog()[0].frame, end);
  EXPECT_EQ(Status("myseq", "mode"), "stopped");
  EXPECT_EQ(Status("myseq", "position"), std::to_string(GetParam().lengthMs));

  // Nothing more, whatever follows.
  Render(FramesOf(2000));
  ASSERT_EQ(Send("stop myseq"), 0u);
  ASSERT_EQ(Send("close myseq"), 0u);
  EXPECT_EQ(PostedLog().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Songs, SongEndTest,
    ::testing::Values(
        SongCase{"FormatZero", OneNoteSong(), 1000},
        // The tempo track doubles the speed, then halves it mid-song; the last
        // note ends after the end of every other track.
        SongCase{"FormatOneWithTempoMap",
                 Cat({Header(1, 2, 96), Track(Cat({Tempo(0, 250000), Tempo(96, 1000000),
                                                   EndOfTrack()})),
                      Track(Cat({Ev(0, {0xC0, 0}), Ev(0, {0x90, 60, 100}), Ev(96, {0x80, 60, 0}),
                                 Ev(0, {0x91, 64, 100}), Ev(96, {0x81, 64, 0}), EndOfTrack()}))}),
                 1250},
        SongCase{"NoEndOfTrackEndsAtLastEvent",
                 Cat({Header(0, 1, 480), Track(Cat({Ev(0, {0x90, 60, 100}), Ev(720, {0x80, 60, 0})}))}),
                 750}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlaybackTest, SoundsWhilePlayingAndStopAbortsAndSilencesAtOnce) {
  TempFile file(OneNoteSong());
  Open(file);
  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
  const std::vector<float> playing = Render(FramesOf(300));
  EXPECT_GT(Rms(playing, FramesOf(50), playing.size()), 0.005);

  ASSERT_EQ(Send("stop myseq"), 0u);
  // Aborted during the stop command itself, before any more audio.
  ASSERT_EQ(PostedLog().size(), 1u);
  ExpectPosted(0, MCI_NOTIFY_ABORTED);
  EXPECT_EQ(PostedLog()[0].frame, m_rendered);
  EXPECT_EQ(Status("myseq", "mode"), "stopped");
  EXPECT_EQ(Status("myseq", "position"), "0");

  // No note hangs and the reverb does not ring on: what is left is more than
  // 60 dB below the note (a held note here peaks near 1e-2).
  std::vector<float> right;
  const std::vector<float> left = Render(FramesOf(500), &right);
  EXPECT_LT(Peak(left, 64), 1e-3f);
  EXPECT_LT(Peak(right, 64), 1e-3f);
  // The song's end passes without a notification.
  Render(FramesOf(1000));
  EXPECT_EQ(PostedLog().size(), 1u);
}

TEST_F(PlaybackTest, EventsSoundAtTheirOwnTimeWithinAPeriod) {
  // The note starts 250 ms in, which is inside a render call, not at its edge.
  TempFile file(Cat({Header(0, 1, 480),
                     Track(Cat({Ev(240, {0x90, 72, 110}), Ev(480, {0x80, 72, 0}), EndOfTrack()}))}));
  Open(file);
  ASSERT_EQ(Send("play myseq"), 0u);
  const std::vector<float> samples = Render(FramesOf(400));
  const std::int64_t noteAt = FramesOf(250);
  ASSERT_NE(noteAt % kPeriod, 0);
  std::int64_t first = -1;
  for (std::size_t i = 0; i < samples.size() && first < 0; ++i) {
    if (std::fabs(samples[i]) > 1e-6f) first = static_cast<std::int64_t>(i);
  }
  EXPECT_GE(first, noteAt);
  // FluidSynth starts a voice at its next 64-frame block.
  EXPECT_LT(first, noteAt + 128);
}

TEST_F(PlaybackTest, CloseWhilePlayingAbortsOnce) {
  TempFile file(OneNoteSong());
  Open(file);
  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
  Render(FramesOf(200));
  ASSERT_EQ(Send("close myseq"), 0u);
  ASSERT_EQ(PostedLog().size(), 1u);
  ExpectPosted(0, MCI_NOTIFY_ABORTED);
  Render(FramesOf(1500));
  EXPECT_EQ(PostedLog().size(), 1u);
  EXPECT_EQ(Send("play myseq notify", FakeWindow(kWindow)), ToNumber(Error::UnknownAlias));
}

TEST_F(PlaybackTest, ASecondPlayWithNotifySupersedesTheFirst) {
  TempFile file(OneNoteSong());
  Open(file);
  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
  Render(FramesOf(300));
  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow + 1)), 0u);
  ASSERT_EQ(PostedLog().size(), 1u);
  ExpectPosted(0, MCI_NOTIFY_SUPERSEDED);
  // The song goes on rather than restarting: it ends 1 s after the first play.
  RenderUntilNotified(FramesOf(2000));
  ASSERT_EQ(PostedLog().size(), 2u);
  ExpectPosted(1, MCI_NOTIFY_SUCCESSFUL, kWindow + 1);
  EXPECT_LE(PostedLog()[1].frame, FramesOf(1000) + kPeriod);
}

TEST_F(PlaybackTest, PlayWithoutNotifyPostsNothingAndKeepsAPendingOne) {
  TempFile file(OneNoteSong());
  Open(file);
  ASSERT_EQ(Send("play myseq"), 0u);
  Render(FramesOf(1500));
  EXPECT_TRUE(PostedLog().empty());
  EXPECT_EQ(Status("myseq", "mode"), "stopped");

  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
  ASSERT_EQ(Send("play myseq"), 0u);
  RenderUntilNotified(FramesOf(2000));
  ASSERT_EQ(PostedLog().size(), 1u);
  ExpectPosted(0, MCI_NOTIFY_SUCCESSFUL);
}

TEST_F(PlaybackTest, PlayAfterTheEndStartsAgainFromTheBeginning) {
  TempFile file(OneNoteSong());
  Open(file);
  for (int round = 1; round <= 2; ++round) {
    const std::int64_t start = m_rendered;
    ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
    RenderUntilNotified(FramesOf(2000));
    ASSERT_EQ(PostedLog().size(), static_cast<std::size_t>(round));
    ExpectPosted(round - 1, MCI_NOTIFY_SUCCESSFUL);
    const std::int64_t took = PostedLog().back().frame - start;
    EXPECT_GE(took, FramesOf(1000));
    EXPECT_LT(took, FramesOf(1000) + kPeriod);
  }
}

TEST_F(PlaybackTest, PlayingAnotherAliasAbortsTheFirst) {
  TempFile first(OneNoteSong());
  TempFile second(OneNoteSong());
  Open(first, "first");
  Open(second, "second");
  ASSERT_EQ(Send("play first notify", FakeWindow(kWindow)), 0u);
  Render(FramesOf(100));
  ASSERT_EQ(Send("play second notify", FakeWindow(kWindow + 1)), 0u);
  ASSERT_EQ(PostedLog().size(), 1u);
  ExpectPosted(0, MCI_NOTIFY_ABORTED);
  EXPECT_EQ(Status("first", "mode"), "stopped");
  EXPECT_EQ(Status("second", "mode"), "playing");
  RenderUntilNotified(FramesOf(2000));
  ASSERT_EQ(PostedLog().size(), 2u);
  ExpectPosted(1, MCI_NOTIFY_SUCCESSFUL, kWindow + 1);
  EXPECT_NE(PostedLog()[0].deviceId, PostedLog()[1].deviceId);
}

TEST_F(PlaybackTest, ASongWithoutEventsEndsAtOnce) {
  TempFile file(Cat({Header(0, 1, 96), Track(Cat({EndOfTrack()}))}));
  Open(file);
  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
  // Posted by the play command, before any audio.
  ASSERT_EQ(PostedLog().size(), 1u);
  ExpectPosted(0, MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(PostedLog()[0].frame, 0);
  Render(FramesOf(500));
  ASSERT_EQ(Send("close myseq"), 0u);
  EXPECT_EQ(PostedLog().size(), 1u);
}

TEST_F(PlaybackTest, ShutdownAbortsAPendingNotification) {
  TempFile file(OneNoteSong());
  Open(file);
  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
  mci::Shutdown();
  ASSERT_EQ(PostedLog().size(), 1u);
  ExpectPosted(0, MCI_NOTIFY_ABORTED);
  EXPECT_EQ(Send("close myseq"), ToNumber(Error::UnknownAlias));
  // The interface works again after a shutdown.
  Open(file);
  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
  RenderUntilNotified(FramesOf(2000));
  ASSERT_EQ(PostedLog().size(), 2u);
  ExpectPosted(1, MCI_NOTIFY_SUCCESSFUL);
}

TEST_F(PlaybackTest, NoAudioOutputFailsThePlay) {
  mci::testing::UseOfflineRendering(false);
  mci::testing::UseAudioDrivers({"no-such-driver"});
  TempFile file(OneNoteSong());
  Open(file);
  EXPECT_EQ(Send("play myseq notify", FakeWindow(kWindow)), ToNumber(Error::NoAudioOutput));
  EXPECT_EQ(Status("myseq", "mode"), "stopped");
  EXPECT_EQ(mci::testing::OpenAudioDriver(), "");
  EXPECT_EQ(Send("close myseq"), 0u);
  EXPECT_TRUE(PostedLog().empty());
  mci::testing::UseAudioDrivers({});
}

TEST_F(PlaybackTest, MissingSoundFontFailsThePlay) {
  mci::Shutdown();
  mci::testing::UseSoundFont("/nonexistent/none.sf2");
  TempFile file(OneNoteSong());
  Open(file);
  EXPECT_EQ(Send("play myseq notify", FakeWindow(kWindow)), ToNumber(Error::NoSoundFont));
  EXPECT_EQ(Status("myseq", "mode"), "stopped");
  EXPECT_TRUE(PostedLog().empty());
}

class DamagedPlaybackTest : public PlaybackTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(DamagedPlaybackTest, FailsTheOpenOrPlaysToItsEnd) {
  TempFile file(GetParam().bytes);
  const MCIERROR error =
      Send("open \"" + file.Path() + "\" type sequencer alias myseq");
  ASSERT_EQ(error, ToNumber(GetParam().openError));
  if (error != 0) {
    EXPECT_EQ(Send("play myseq notify", FakeWindow(kWindow)), ToNumber(Error::UnknownAlias));
    return;
  }
  const std::int64_t length = std::stoll(Status("myseq", "length"));
  ASSERT_EQ(Send("play myseq notify", FakeWindow(kWindow)), 0u);
  RenderUntilNotified(FramesOf(length) + FramesOf(100));
  ASSERT_EQ(PostedLog().size(), 1u);
  ExpectPosted(0, MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Send("close myseq"), 0u);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedPlaybackTest, ::testing::ValuesIn(DamagedFiles()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
