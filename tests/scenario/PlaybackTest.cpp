// Continuous repeat playback through the whole program on the sequencer's
// virtual clock: the order of songs and the wrap to the top, the
// now-playing line, Stop and Play, Exit, notifications that arrive under
// other loops, and the failures with the buttons they leave.

#include <gtest/gtest.h>

#include "app/CPlayerApp.h"
#include "platform/framework/Afx.h"
#include "platform/framework/CWinApp.h"
#include "platform/mci/Mci.h"
#include "tests/mci/MidiBytes.h"
#include "tests/scenario/ProgramHarness.h"
#include "ui/CPlayerDlg.h"

namespace {

using namespace miditest;

// Half a second of one note at 120 beats a minute.
Bytes HalfSecondSong(std::uint8_t note = 60) {
  return Cat({Header(0, 1, 480),
              Track(Cat({Ev(0, {0xC0, 0x00}), Ev(0, {0x90, note, 100}), Ev(480, {0x80, note, 0}), EndOfTrack()}))});
}

std::string Song(ProgramHarness& p, const std::string& name, const Bytes& bytes = HalfSecondSong()) {
  std::string path = p.dir + name;
  ProgramHarness::WriteFile(path, std::string(bytes.begin(), bytes.end()));
  return path;
}

void UseList(ProgramHarness& p, const std::vector<std::string>& paths) {
  std::string bytes;
  for (const auto& path : paths) bytes += path + "\r\n";
  ProgramHarness::WriteFile(p.listFile, bytes);
}

std::string Mode() {
  char buffer[32] = {};
  if (mciSendStringA("status myseq mode", buffer, sizeof buffer, nullptr) != 0) return "closed";
  return buffer;
}

bool Sounding() { return static_cast<CPlayerApp*>(AfxGetApp())->m_bSounding != FALSE; }

TEST(Playback, OneEntryRepeatsWithItsPositionLine) {
  ProgramHarness p;
  std::string song = Song(p, "one.mid");
  UseList(p, {song});
  p.Then([&] { p.Click(IDC_PLAY, p.Main()); });
  for (int round = 0; round < 3; ++round) {
    p.Then([&] {
      EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "1/1  " + song);
      EXPECT_FALSE(p.Enabled(IDC_PLAY));
      EXPECT_TRUE(p.Enabled(IDC_STOP));
      EXPECT_TRUE(Sounding());
      EXPECT_EQ(Mode(), "playing");
      p.Advance(0.6);
    });
  }
  p.Then([&] { p.Click(IDOK, p.Main()); });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(Playback, EntriesPlayInOrderAndWrapToTheTop) {
  ProgramHarness p;
  std::vector<std::string> songs = {Song(p, "a.mid"), Song(p, "b b.mid"), Song(p, "曲.mid")};
  UseList(p, songs);
  p.Then([&] { p.Click(IDC_PLAY, p.Main()); });
  const char* expected[] = {"1/3  ", "2/3  ", "3/3  ", "1/3  ", "2/3  "};
  const int index[] = {0, 1, 2, 0, 1};
  for (int i = 0; i < 5; ++i) {
    p.Then([&, i] {
      EXPECT_EQ(p.Text(IDC_NOW_PLAYING), expected[i] + songs[static_cast<size_t>(index[i])]);
      p.Advance(0.6);
    });
  }
  p.Then([&] { p.Click(IDC_STOP, p.Main()); });
  p.Then([&] {
    EXPECT_TRUE(p.Enabled(IDC_PLAY));
    EXPECT_FALSE(p.Enabled(IDC_STOP));
    // The notification of the stopped song closed the alias.
    EXPECT_EQ(Mode(), "closed");
    // Play starts again at the top, whatever played before.
    p.Click(IDC_PLAY, p.Main());
  });
  p.Then([&] {
    EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "1/3  " + songs[0]);
    EXPECT_EQ(Mode(), "playing");
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(Playback, StopClearsTheChosenFileAndDisablesAdd) {
  ProgramHarness p;
  UseList(p, {Song(p, "a.mid")});
  p.Then([&] {
    p.Dialog()->m_strSelectedFile = p.dir + "a.mid";
    p.Dialog()->UpdateData(FALSE);
    EnableWindow(GetDlgItem(p.Main(), IDC_ADD), TRUE);
    p.Click(IDC_PLAY, p.Main());
  });
  p.Then([&] { p.Click(IDC_STOP, p.Main()); });
  p.Then([&] {
    EXPECT_EQ(p.Text(IDC_SELECTED_FILE), "");
    EXPECT_FALSE(p.Enabled(IDC_ADD));
    EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "1/1  " + p.dir + "a.mid");
    p.Click(IDOK, p.Main());
  });
  p.Run();
}

TEST(Playback, ExitDuringPlaybackEndsTheProgramWithoutASequencerCommand) {
  ProgramHarness p;
  UseList(p, {Song(p, "a.mid")});
  p.Then([&] { p.Click(IDC_PLAY, p.Main()); });
  p.Then([&] { p.Click(IDOK, p.Main()); });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
  // Neither stop nor close reached the sequencer: the song still plays.
  EXPECT_EQ(Mode(), "playing");
}

TEST(Playback, DuringPlaybackEscapeDoesNothingAndTheCloseBoxOpensAbout) {
  ProgramHarness p;
  UseList(p, {Song(p, "a.mid")});
  p.Then([&] { p.Click(IDC_PLAY, p.Main()); });
  p.Then([&] { p.Key(VK_ESCAPE); });
  p.Then([&] {
    EXPECT_EQ(p.Active(), p.Main());
    p.CloseBox(p.Main());
  });
  p.Then([&] {
    ASSERT_TRUE(p.IsAboutBox(p.Active()));
    EXPECT_EQ(Mode(), "playing");
    p.Key(VK_RETURN);
  });
  p.Then([&] { p.Click(IDOK, p.Main()); });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

// A song that ends while another loop runs on top of the playback wait: the
// next song follows as soon as that loop ends.
TEST(Playback, ASongEndingUnderAnotherLoopIsFollowedWhenItCloses) {
  struct Loop {
    const char* name;
    std::function<void(ProgramHarness&)> open;
    std::function<void(ProgramHarness&)> close;
  };
  const Loop loops[] = {
      {"About box", [](ProgramHarness& p) { p.Click(IDCANCEL, p.Main()); },
       [](ProgramHarness& p) { p.Key(VK_RETURN); }},
      {"message box", [](ProgramHarness& p) { p.Key(VK_F1); }, [](ProgramHarness& p) { p.Key(VK_RETURN); }},
      {"window menu", [](ProgramHarness& p) { p.host.RightClick(p.Main(), 3, 3); },
       [](ProgramHarness& p) { p.Key(VK_ESCAPE); }},
  };
  for (const auto& loop : loops) {
    SCOPED_TRACE(loop.name);
    ProgramHarness p;
    std::vector<std::string> songs = {Song(p, "a.mid"), Song(p, "b.mid")};
    UseList(p, songs);
    p.Then([&] { p.Click(IDC_PLAY, p.Main()); });
    p.Then([&] { loop.open(p); });
    p.Then([&] {
      EXPECT_TRUE(p.Active() != p.Main() || p.host.PointerGrab() != nullptr);
      p.Advance(0.6);
    });
    p.Then([&] {
      // The notification was seen under the loop: the alias is closed and
      // the wait is over, but nothing new starts until the loop ends.
      EXPECT_EQ(Mode(), "closed");
      EXPECT_FALSE(Sounding());
      EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "1/2  " + songs[0]);
      loop.close(p);
    });
    p.Then([&] {
      EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "2/2  " + songs[1]);
      EXPECT_EQ(Mode(), "playing");
      p.Click(IDOK, p.Main());
    });
    p.Run();
    EXPECT_EQ(p.host.StepsLeft(), 0u);
  }
}

// What a song that cannot be played does, as the first song of a run and
// as a later one, and what the buttons are left as.
TEST(Playback, SongsThatCannotBePlayedAreReportedAndLeaveTheButtonsOfTheirState) {
  struct Bad {
    const char* name;
    std::function<std::string(ProgramHarness&)> make;
  };
  const Bad bads[] = {
      {"missing file", [](ProgramHarness& p) { return p.dir + "gone.mid"; }},
      {"damaged file", [](ProgramHarness& p) { return Song(p, "bad.mid", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0}); }},
      {"empty file", [](ProgramHarness& p) { return Song(p, "empty.mid", Bytes{}); }},
      {"double quote in the path", [](ProgramHarness& p) { return Song(p, "say \"hi\".mid"); }},
  };
  for (const auto& bad : bads) {
    for (bool first : {true, false}) {
      SCOPED_TRACE(std::string(bad.name) + (first ? ", first song" : ", later song"));
      ProgramHarness p;
      std::string good = Song(p, "good.mid");
      std::string broken = bad.make(p);
      UseList(p, first ? std::vector<std::string>{broken, good} : std::vector<std::string>{good, broken});
      p.Then([&] { p.Click(IDC_PLAY, p.Main()); });
      if (!first) {
        p.Then([&] {
          EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "1/2  " + good);
          p.Advance(0.6);
        });
      }
      p.Then([&] {
        EXPECT_EQ(p.MessageBoxText(), "Midiファイルがオープンできません.");
        EXPECT_EQ(p.Caption(p.Active()), "vusk");
        p.Key(VK_RETURN);
      });
      p.Then([&] {
        EXPECT_EQ(p.Text(IDC_NOW_PLAYING), (first ? "1/2  " : "2/2  ") + broken);
        EXPECT_EQ(p.Enabled(IDC_PLAY), first);
        EXPECT_EQ(p.Enabled(IDC_STOP), !first);
        EXPECT_EQ(Mode(), "closed");
        if (first) {
          p.Click(IDOK, p.Main());
        } else {
          // Stop has nothing to stop: it says so and the buttons go idle.
          p.Click(IDC_STOP, p.Main());
        }
      });
      if (!first) {
        p.Then([&] {
          EXPECT_EQ(p.MessageBoxText(), "停止コマンドエラー");
          p.Key(VK_RETURN);
        });
        p.Then([&] {
          EXPECT_TRUE(p.Enabled(IDC_PLAY));
          EXPECT_FALSE(p.Enabled(IDC_STOP));
          p.Click(IDOK, p.Main());
        });
      }
      p.Run();
      EXPECT_EQ(p.host.StepsLeft(), 0u);
    }
  }
}

}  // namespace
