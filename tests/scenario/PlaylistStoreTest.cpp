// The playlist store as the program uses it at start-up: reading the list
// file beside the executable, showing it, writing it straight back, and the
// messages for a list file that cannot be written or read.

#include <sys/stat.h>

#include <cerrno>

#include <gtest/gtest.h>

#include "tests/scenario/ProgramHarness.h"
#include "ui/CPlayerDlg.h"

namespace {

std::vector<std::string> Rows(ProgramHarness& p) { return p.Rows(); }

TEST(PlaylistStore, FirstStartMakesAnEmptyListFile) {
  ProgramHarness p;
  p.Then([&] {
    EXPECT_TRUE(Rows(p).empty());
    EXPECT_EQ(p.Dialog()->m_playlist.GetSize(), 0);
    struct stat info;
    ASSERT_EQ(stat(p.listFile.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 0);
    EXPECT_EQ(p.Dialog()->m_strProgramDir.str(), p.dir);
    p.Key(VK_RETURN);
  });
  p.Run();
}

TEST(PlaylistStore, TheListFileFillsTheListBoxAndIsWrittenBackClean) {
  ProgramHarness p;
  // LF-only lines, a blank line in the middle and no final line end: every
  // entry is kept, and the file is written back in its own form.
  ProgramHarness::WriteFile(p.listFile, "/m/a.mid\n/m/b b.mid\r\n\r\n/m/曲.mid");
  p.Then([&] {
    EXPECT_EQ(Rows(p), (std::vector<std::string>{"/m/a.mid", "/m/b b.mid", "/m/曲.mid"}));
    EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), "/m/a.mid\r\n/m/b b.mid\r\n/m/曲.mid\r\n");
    p.Key(VK_RETURN);
  });
  p.Run();
}

TEST(PlaylistStore, AReadOnlyListFileLoadsButItsSaveIsRefused) {
  ProgramHarness p;
  ProgramHarness::WriteFile(p.listFile, "/m/a.mid\r\n");
  ASSERT_EQ(chmod(p.listFile.c_str(), 0444), 0);
  p.Then([&] {
    // The message comes while the dialog initialises.
    EXPECT_EQ(p.MessageBoxText(), p.listFile + " へのｱｸｾｽは拒否されました。");
    EXPECT_EQ(p.Caption(p.Active()), "vusk");
    HWND icon = GetWindow(p.Active(), GW_CHILD);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)), LoadIconA(IDI_HAND));
    p.Key(VK_RETURN);
  });
  p.Then([&] {
    EXPECT_EQ(Rows(p), (std::vector<std::string>{"/m/a.mid"}));
    // The rest of the initialisation was skipped: no control has the focus.
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), "/m/a.mid\r\n");
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(PlaylistStore, AListFileThatCannotBeReadIsReportedAndNeverOverwritten) {
  struct Case {
    const char* name;
    int error;
    const char* message;  // after the path
  };
  const Case cases[] = {
      {"permission", EACCES, " へのｱｸｾｽは拒否されました。"},
      {"too many files", EMFILE, " を開けませんでした。"},
      {"device error", EIO, " へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramHarness p;
    ProgramHarness::WriteFile(p.listFile, "/m/a.mid\r\n/m/b.mid\r\n");
    p.FailOpen(p.listFile, c.error);
    p.Then([&] {
      std::string text = p.MessageBoxText();
      if (c.error == EMFILE) {
        EXPECT_EQ(text, "開いているﾌｧｲﾙが多すぎるため " + p.listFile + c.message);
      } else {
        EXPECT_EQ(text, p.listFile + c.message);
      }
      p.Key(VK_RETURN);
    });
    p.Then([&] {
      EXPECT_TRUE(Rows(p).empty());
      p.Click(IDOK, p.Main());
    });
    p.Run();
    EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), "/m/a.mid\r\n/m/b.mid\r\n");
  }
}

TEST(PlaylistStore, AFolderThatCannotBeWrittenKeepsTheOldListFile) {
  ProgramHarness p;
  ProgramHarness::WriteFile(p.listFile, "/m/a.mid\n");
  // Creating anything in the folder fails, as in a read-only folder.
  p.FailOpen(p.dir + ".MidiList.txt.tmp", EACCES);
  p.Then([&] {
    EXPECT_EQ(p.MessageBoxText(), p.listFile + " へのｱｸｾｽは拒否されました。");
    p.Key(VK_RETURN);
  });
  p.Then([&] {
    EXPECT_EQ(Rows(p), (std::vector<std::string>{"/m/a.mid"}));
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), "/m/a.mid\n");
}

}  // namespace
