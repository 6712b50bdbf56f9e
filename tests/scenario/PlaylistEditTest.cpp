// Editing the playlist through the main dialog: choosing a file with the
// file dialog, Add, Delete and the selection, with the list file on disk
// following every change, also while a song plays.

#include <gtest/gtest.h>

#include "platform/win/CommonDialogs.h"
#include "tests/mci/MidiBytes.h"
#include "tests/scenario/ProgramHarness.h"
#include "ui/CPlayerDlg.h"

namespace {

using Strings = std::vector<std::string>;

// Opens the file dialog, types `name` into its name field and confirms.
void Choose(ProgramHarness& p, const std::string& name) {
  p.Then([&p] { p.Click(IDC_SELECT_FILE, p.Main()); });
  p.Then([&p, name] {
    HWND dialog = p.Active();
    ASSERT_EQ(p.Caption(dialog), "ファイルを開く");
    EXPECT_FALSE(IsWindowEnabled(p.Main()));
    EXPECT_EQ(p.Text(win::kFileDialogNameId, dialog), "*.mid");
    SetFocus(GetDlgItem(dialog, win::kFileDialogNameId));
    SendDlgItemMessageA(dialog, win::kFileDialogNameId, EM_SETSEL, 0, -1);
    p.host.Text(dialog, name);
    p.Key(VK_RETURN);
  });
}

TEST(PlaylistEdit, ATypedNameIsTakenInTheCurrentFolderWithTheDefaultExtension) {
  struct Case {
    const char* typed;
    const char* result;  // after the program's folder
  };
  const Case cases[] = {
      {"new", "new.mid"},          // does not exist: accepted all the same
      {"song.mid", "song.mid"},    // the extension stays
      {"sub/x", "sub/x.mid"},      // relative to the dialog's folder
      {"曲 1", "曲 1.mid"},        // non-ASCII and a blank, byte for byte
      {"a.b/song", "a.b/song.mid"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ProgramHarness p;
    Choose(p, c.typed);
    p.Then([&] {
      EXPECT_EQ(p.Text(IDC_SELECTED_FILE), p.dir + c.result);
      EXPECT_EQ(p.Dialog()->m_strSelectedFile.str(), p.dir + c.result);
      EXPECT_TRUE(p.Enabled(IDC_ADD));
      p.Click(IDOK, p.Main());
    });
    p.Run();
    EXPECT_EQ(p.host.StepsLeft(), 0u);
  }
}

TEST(PlaylistEdit, CancellingTheFileDialogChangesNothing) {
  ProgramHarness p;
  Choose(p, "first");
  p.Then([&] { p.Click(IDC_SELECT_FILE, p.Main()); });
  p.Then([&] {
    p.host.Text(p.Active(), "other");
    p.Key(VK_ESCAPE);
  });
  p.Then([&] {
    EXPECT_EQ(p.Text(IDC_SELECTED_FILE), p.dir + "first.mid");
    EXPECT_TRUE(p.Enabled(IDC_ADD));
    EXPECT_TRUE(p.Rows().empty());
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(PlaylistEdit, AddTwiceSelectAndDeleteKeepTheListFileInStep) {
  ProgramHarness p;
  ProgramHarness::WriteFile(p.listFile, "/m/old.mid\r\n");
  Choose(p, "a");
  p.Then([&] { p.Click(IDC_ADD, p.Main()); });
  p.Then([&] { p.Click(IDC_ADD, p.Main()); });
  p.Then([&] {
    std::string a = p.dir + "a.mid";
    EXPECT_EQ(p.Rows(), (Strings{"/m/old.mid", a, a}));
    EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), "/m/old.mid\r\n" + a + "\r\n" + a + "\r\n");
    // The chosen file stays, and so does Add.
    EXPECT_EQ(p.Text(IDC_SELECTED_FILE), a);
    EXPECT_TRUE(p.Enabled(IDC_ADD));
    EXPECT_FALSE(p.Enabled(IDC_DELETE));
    p.ClickRow(0);
  });
  p.Then([&] {
    EXPECT_TRUE(p.Enabled(IDC_DELETE));
    p.Click(IDC_DELETE, p.Main());
  });
  p.Then([&] {
    std::string a = p.dir + "a.mid";
    EXPECT_EQ(p.Rows(), (Strings{a, a}));
    EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), a + "\r\n" + a + "\r\n");
    EXPECT_FALSE(p.Enabled(IDC_DELETE));
    EXPECT_EQ(SendDlgItemMessageA(p.Main(), IDC_PLAYLIST, LB_GETCURSEL, 0, 0), LB_ERR);
    // Delete with no selection does nothing.
    SendMessageA(p.Main(), WM_COMMAND, IDC_DELETE, 0);
    EXPECT_EQ(p.Rows().size(), 2u);
    p.ClickRow(1);
  });
  p.Then([&] { p.Click(IDC_DELETE, p.Main()); });
  p.Then([&] { p.ClickRow(0); });
  p.Then([&] { p.Click(IDC_DELETE, p.Main()); });
  p.Then([&] {
    EXPECT_TRUE(p.Rows().empty());
    EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), "");
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(PlaylistEdit, AddNeverAppendsAnEmptyEntry) {
  ProgramHarness p;
  ProgramHarness::WriteFile(p.listFile, "/m/a.mid\r\n");
  p.Then([&] {
    // Nothing chosen yet: Add is disabled, and its command does nothing.
    EXPECT_FALSE(p.Enabled(IDC_ADD));
    SendMessageA(p.Main(), WM_COMMAND, IDC_ADD, 0);
    EXPECT_EQ(p.Rows(), (Strings{"/m/a.mid"}));
    EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), "/m/a.mid\r\n");
    p.Click(IDOK, p.Main());
  });
  p.Run();
}

TEST(PlaylistEdit, AFailedDeleteChangesNothingInMemoryOnScreenOrOnDisk) {
  ProgramHarness p;
  ProgramHarness::WriteFile(p.listFile, "/m/a.mid\r\n/m/b.mid\r\n");
  p.Then([&] { p.ClickRow(0); });
  p.Then([&] {
    p.FailOpen(p.dir + ".MidiList.txt.tmp", ENOSPC);
    p.Click(IDC_DELETE, p.Main());
  });
  p.Then([&] {
    EXPECT_EQ(p.MessageBoxText(), p.listFile + " へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。");
    p.Key(VK_RETURN);
  });
  p.Then([&] {
    EXPECT_EQ(p.Rows(), (Strings{"/m/a.mid", "/m/b.mid"}));
    EXPECT_EQ(p.Dialog()->m_playlist.GetSize(), 2);
    EXPECT_TRUE(p.Enabled(IDC_DELETE));
    EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), "/m/a.mid\r\n/m/b.mid\r\n");
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(PlaylistEdit, DeletingWhenTheListFileIsGoneWritesTheShortenedList) {
  ProgramHarness p;
  ProgramHarness::WriteFile(p.listFile, "/m/a.mid\r\n/m/b.mid\r\n");
  p.Then([&] {
    std::remove(p.listFile.c_str());
    p.ClickRow(1);
  });
  p.Then([&] { p.Click(IDC_DELETE, p.Main()); });
  p.Then([&] {
    EXPECT_EQ(p.Rows(), (Strings{"/m/a.mid"}));
    EXPECT_EQ(ProgramHarness::ReadFile(p.listFile), "/m/a.mid\r\n");
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(PlaylistEdit, EditsDuringPlaybackChangeWhatPlaysNext) {
  using namespace miditest;
  ProgramHarness p;
  Bytes song = Cat({Header(0, 1, 480), Track(Cat({Ev(0, {0x90, 60, 100}), Ev(480, {0x80, 60, 0}), EndOfTrack()}))});
  Strings paths;
  for (const char* name : {"a.mid", "b.mid", "c.mid", "d.mid"}) {
    paths.push_back(p.dir + name);
    ProgramHarness::WriteFile(paths.back(), std::string(song.begin(), song.end()));
  }
  ProgramHarness::WriteFile(p.listFile, paths[0] + "\n" + paths[1] + "\n" + paths[2] + "\n");
  p.Then([&] { p.Click(IDC_PLAY, p.Main()); });
  p.Then([&] {
    EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "1/3  " + paths[0]);
    // Deleting the entry that plays: the next song is entry 1 of the
    // shortened list, which is c.
    p.ClickRow(0);
  });
  p.Then([&] { p.Click(IDC_DELETE, p.Main()); });
  p.Then([&] { p.Advance(0.6); });
  p.Then([&] {
    EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "2/2  " + paths[2]);
    p.Advance(0.6);
  });
  // An entry added while a song plays is played when the loop reaches it.
  Choose(p, "d");
  p.Then([&] { p.Click(IDC_ADD, p.Main()); });
  p.Then([&] {
    EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "1/2  " + paths[1]);
    p.Advance(0.6);
  });
  p.Then([&] {
    EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "2/3  " + paths[2]);
    // The next entry would be 2; with the list cut to one entry, playback
    // goes on at the top.
    p.ClickRow(2);
  });
  p.Then([&] { p.Click(IDC_DELETE, p.Main()); });
  p.Then([&] { p.ClickRow(1); });
  p.Then([&] { p.Click(IDC_DELETE, p.Main()); });
  p.Then([&] { p.Advance(0.6); });
  p.Then([&] {
    EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "1/1  " + paths[1]);
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

}  // namespace

namespace {

TEST(PlaylistEdit, TheInputMethodIsToldWhereTheNameFieldsCaretIs) {
  ProgramHarness p;
  RECT first;
  p.Then([&] { p.Click(IDC_SELECT_FILE, p.Main()); });
  p.Then([&] { p.host.Text(p.Active(), "a"); });
  p.Then([&] {
    HWND dialog = p.Active();
    EXPECT_EQ(p.host.TextCursorWindow(), dialog);
    first = p.host.TextCursor();
    // The caret lies inside the name field.
    RECT field, top;
    GetWindowRect(GetDlgItem(dialog, win::kFileDialogNameId), &field);
    GetWindowRect(dialog, &top);
    EXPECT_GT(first.left, field.left - top.left);
    EXPECT_LT(first.right, field.right - top.left);
    EXPECT_GE(first.top, field.top - top.top);
    EXPECT_LE(first.bottom, field.bottom - top.top);
    p.host.Text(dialog, "bcd");
  });
  p.Then([&] {
    EXPECT_GT(p.host.TextCursor().left, first.left);
    p.Key(VK_ESCAPE);
  });
  p.Then([&] { p.Click(IDOK, p.Main()); });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

}  // namespace
