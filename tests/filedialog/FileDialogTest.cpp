// The file-open dialog, driven through the headless host on a small folder
// tree: what it lists, how names typed or picked become the result, folder
// navigation, cancelling, the flags it honours and the current folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "TempTree.h"
#include "platform/win/CommonDialogs.h"
#include "platform/win/WindowSystem.h"

namespace {

using Lines = std::vector<std::string>;

constexpr int kFolder = win::kFileDialogFolderId;
constexpr int kUp = win::kFileDialogUpId;
constexpr int kList = win::kFileDialogListId;
constexpr int kType = win::kFileDialogTypeId;
constexpr int kName = win::kFileDialogNameId;

// The program's filter as the framework hands it over: the blanks around
// the bar stay with the description and the pattern.
const char kMidiFilter[] = "midiﾌｧｲﾙ(*.mid) \0 *.mid\0";

const Lines kRootLines = {"sub/", "Zeta/", "a.mid", "SONG.MID", "曲.mid"};

class FileDialogTest : public ::testing::Test {
 protected:
  FileDialogTest() : m_driver(m_host) {
    win::InitWindowSystem(&m_host);
    for (const char* file : {"a.mid", "SONG.MID", "b.txt", ".c.mid", "c.midi", "曲.mid", "sub/x.mid", "sub/y.txt",
                             ".hidden/h.mid"})
      m_tree.AddFile(file);
    m_tree.AddFolder("Zeta");
    // The process starts elsewhere, so that a change of folder shows.
    EXPECT_EQ(chdir("/"), 0);
    std::strcpy(m_file, "*.mid");
  }

  OPENFILENAMEA Options() {
    OPENFILENAMEA ofn;
    ofn.lpstrFilter = kMidiFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = m_file;
    ofn.nMaxFile = sizeof m_file;
    ofn.lpstrInitialDir = m_tree.Path().c_str();
    ofn.lpstrDefExt = "mid";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    return ofn;
  }

  void Then(host::HeadlessHost::Step step) { m_host.Then(std::move(step)); }

  // Typing replaces the name field's text: the field has it all selected
  // when the dialog opens, and Home, Shift+End selects it again.
  void QueueTypedName(const std::string& name) {
    Then([this, name] {
      m_driver.Key(VK_HOME);
      m_driver.Key(VK_END, host::kModShift);
      m_driver.Type(name);
    });
  }

  TempTree m_tree;
  CurrentFolderGuard m_folder;
  host::HeadlessHost m_host;
  DialogDriver m_driver;
  char m_file[260];
};

TEST_F(FileDialogTest, ListsFoldersFirstThenMatchingFilesWithoutHiddenNames) {
  Lines lines;
  std::string folder, name, caption;
  Lines types;
  bool nameFocused = false, upEnabled = false;
  Then([&] {
    lines = m_driver.Lines(kList);
    types = m_driver.Lines(kType);
    folder = m_driver.Text(kFolder);
    name = m_driver.Text(kName);
    caption = m_host.Find(m_driver.Top())->caption;
    nameFocused = GetFocus() == m_driver.Item(kName);
    upEnabled = IsWindowEnabled(m_driver.Item(kUp));
    m_driver.Key(VK_ESCAPE);
  });
  OPENFILENAMEA ofn = Options();
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(lines, kRootLines);
  EXPECT_EQ(types, Lines{"midiﾌｧｲﾙ(*.mid) "});
  EXPECT_EQ(folder, m_tree.Path());
  EXPECT_EQ(name, "*.mid");
  EXPECT_EQ(caption, "ファイルを開く");
  EXPECT_TRUE(nameFocused);
  EXPECT_TRUE(upEnabled);
}

TEST_F(FileDialogTest, StartsInTheCurrentFolderWithoutAnInitialOneAndShowsTheTitleGiven) {
  ASSERT_EQ(chdir(m_tree.Path("sub").c_str()), 0);
  std::string folder, caption;
  Lines lines;
  Then([&] {
    folder = m_driver.Text(kFolder);
    lines = m_driver.Lines(kList);
    caption = m_host.Find(m_driver.Top())->caption;
    m_driver.Key(VK_ESCAPE);
  });
  OPENFILENAMEA ofn = Options();
  ofn.lpstrInitialDir = nullptr;
  ofn.lpstrTitle = "曲を選ぶ";
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(folder, m_tree.Path("sub"));
  EXPECT_EQ(lines, Lines{"x.mid"});
  EXPECT_EQ(caption, "曲を選ぶ");
}

TEST_F(FileDialogTest, CancelLeavesTheBufferAndTheCurrentFolderAlone) {
  struct Case {
    const char* how;
    std::function<void()> cancel;
  };
  const Case cases[] = {
      {"Escape", [this] { m_driver.Key(VK_ESCAPE); }},
      {"キャンセル", [this] { m_driver.Click(IDCANCEL); }},
      {"close box", [this] { m_host.CloseRequest(m_driver.Top()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    // A name typed and a file picked are forgotten by the cancel.
    Then([this] { m_driver.ClickLine(kList, 2); });
    Then([&c] { c.cancel(); });
    OPENFILENAMEA ofn = Options();
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(m_file, "*.mid");
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(CurrentFolder(), "/");
    EXPECT_TRUE(m_host.ShownWindows().empty());
  }
}

TEST_F(FileDialogTest, DoubleClickOnAFileReturnsItsPathByteForByte) {
  for (const std::string file : {"a.mid", "SONG.MID", "曲.mid"}) {
    SCOPED_TRACE(file);
    ASSERT_EQ(chdir("/"), 0);
    std::strcpy(m_file, "*.mid");
    Then([this, file] { m_driver.DoubleClickLine(kList, m_driver.IndexOf(kList, file)); });
    OPENFILENAMEA ofn = Options();
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    std::string path = m_tree.Path(file);
    EXPECT_EQ(std::string(m_file), path);
    EXPECT_EQ(ofn.nFileOffset, m_tree.Path().size() + 1);
    EXPECT_EQ(ofn.nFileExtension, path.size() - 3);
    EXPECT_EQ(CurrentFolder(), m_tree.Path());
  }
}

TEST_F(FileDialogTest, ASingleClickOnAFilePutsItsNameInTheField) {
  std::string name;
  Then([this] { m_driver.ClickLine(kList, m_driver.IndexOf(kList, "曲.mid")); });
  Then([&] {
    name = m_driver.Text(kName);
    m_driver.ClickLine(kList, m_driver.IndexOf(kList, "sub/"));
  });
  Then([&] {
    // A folder leaves the field as it was.
    EXPECT_EQ(m_driver.Text(kName), "曲.mid");
    m_driver.Click(IDOK);
  });
  OPENFILENAMEA ofn = Options();
  // The click on 開く moves the focus off the list, so the name field, not
  // the selected folder, decides.
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(name, "曲.mid");
  EXPECT_EQ(std::string(m_file), m_tree.Path("曲.mid"));
}

enum class Confirm { Enter, OkButton, AltO };

TEST_F(FileDialogTest, ATypedNameIsTakenInTheCurrentFolderWithTheDefaultExtension) {
  struct Case {
    std::string typed;
    std::string expected;
    Confirm confirm;
  };
  const Case cases[] = {
      {"new.mid", m_tree.Path("new.mid"), Confirm::Enter},
      {"song", m_tree.Path("song.mid"), Confirm::OkButton},
      {"sub/x", m_tree.Path("sub/x.mid"), Confirm::AltO},
      {"a.b/song", m_tree.Path("a.b/song.mid"), Confirm::Enter},
      {"sub/../notes.txt", m_tree.Path("notes.txt"), Confirm::Enter},
      {m_tree.Path("zz/t"), m_tree.Path("zz/t.mid"), Confirm::Enter},
      {"曲2", m_tree.Path("曲2.mid"), Confirm::Enter},
      {"SONG.MID", m_tree.Path("SONG.MID"), Confirm::Enter},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    std::strcpy(m_file, "*.mid");
    QueueTypedName(c.typed);
    Then([this, &c] {
      switch (c.confirm) {
        case Confirm::Enter: m_driver.Key(VK_RETURN); break;
        case Confirm::OkButton: m_driver.Click(IDOK); break;
        case Confirm::AltO: m_driver.Alt('O'); break;
      }
    });
    OPENFILENAMEA ofn = Options();
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(std::string(m_file), c.expected);
    EXPECT_EQ(std::string(m_file + ofn.nFileOffset), c.expected.substr(c.expected.rfind('/') + 1));
  }
}

TEST_F(FileDialogTest, FoldersOpenByDoubleClickAndTheUpButton) {
  std::string inSub, backUp;
  Lines subLines, rootLines, zetaLines;
  int selectedAfterUp = -2;
  Then([this] { m_driver.DoubleClickLine(kList, m_driver.IndexOf(kList, "sub/")); });
  Then([&] {
    inSub = m_driver.Text(kFolder);
    subLines = m_driver.Lines(kList);
    m_driver.Click(kUp);
  });
  Then([&] {
    backUp = m_driver.Text(kFolder);
    rootLines = m_driver.Lines(kList);
    selectedAfterUp = static_cast<int>(SendMessageA(m_driver.Item(kList), LB_GETCURSEL, 0, 0));
    m_driver.DoubleClickLine(kList, m_driver.IndexOf(kList, "Zeta/"));
  });
  Then([&] {
    zetaLines = m_driver.Lines(kList);
    m_driver.Key(VK_ESCAPE);
  });
  OPENFILENAMEA ofn = Options();
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(inSub, m_tree.Path("sub"));
  EXPECT_EQ(subLines, Lines{"x.mid"});
  EXPECT_EQ(backUp, m_tree.Path());
  EXPECT_EQ(rootLines, kRootLines);
  EXPECT_EQ(selectedAfterUp, 0) << "the folder just left is selected";
  EXPECT_TRUE(zetaLines.empty());
  EXPECT_STREQ(m_file, "*.mid");
}

TEST_F(FileDialogTest, TheKeyboardWorksTheList) {
  std::vector<std::string> states;
  auto record = [&] { states.push_back(m_driver.Text(kFolder) + " | " + m_driver.Text(kName)); };
  Then([this] { m_driver.Key(VK_TAB); });  // name field -> list
  Then([this] { m_driver.Key(VK_HOME); });
  Then([&] {
    record();
    m_driver.Key(VK_RETURN);  // opens sub/
  });
  Then([&] {
    record();
    m_driver.Key(VK_BACK);  // up again
  });
  Then([&] {
    record();
    m_driver.Key(VK_END);  // the last file
  });
  Then([&] {
    record();
    m_driver.Key(VK_RETURN);
  });
  OPENFILENAMEA ofn = Options();
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  const std::string root = m_tree.Path();
  EXPECT_EQ(states, (std::vector<std::string>{root + " | *.mid", root + "/sub | *.mid", root + " | *.mid",
                                              root + " | 曲.mid"}));
  EXPECT_EQ(std::string(m_file), m_tree.Path("曲.mid"));
}

TEST_F(FileDialogTest, ATypedFolderNameOpensThatFolder) {
  struct Case {
    std::string typed;
    std::string folder;
  };
  const Case cases[] = {
      {"sub", m_tree.Path("sub")},
      {"../Zeta", m_tree.Path("Zeta")},
      {m_tree.Path(), m_tree.Path()},
      {"/", "/"},
  };
  std::vector<std::string> folders, names;
  std::vector<bool> upEnabled;
  for (const Case& c : cases) {
    QueueTypedName(c.typed);
    Then([this] { m_driver.Key(VK_RETURN); });
    Then([&] {
      folders.push_back(m_driver.Text(kFolder));
      names.push_back(m_driver.Text(kName));
      upEnabled.push_back(IsWindowEnabled(m_driver.Item(kUp)));
    });
  }
  Then([this] { m_driver.Key(VK_ESCAPE); });
  OPENFILENAMEA ofn = Options();
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  ASSERT_EQ(folders.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].typed);
    EXPECT_EQ(folders[i], cases[i].folder);
    EXPECT_EQ(names[i], "*.mid") << "the field shows the pattern in force again";
    EXPECT_EQ(upEnabled[i], cases[i].folder != "/");
  }
}

TEST_F(FileDialogTest, ATypedWildcardFiltersTheListAndTheDialogStays) {
  struct Case {
    std::string typed;
    Lines lines;
    std::string folder;  // relative to the tree
  };
  const Case cases[] = {
      {"*.txt", {"sub/", "Zeta/", "b.txt"}, ""},
      {"?.mid", {"sub/", "Zeta/", "a.mid", "曲.mid"}, ""},
      {"s*", {"sub/", "Zeta/", "SONG.MID"}, ""},
      {"*.MIDI; *.TXT", {"sub/", "Zeta/", "b.txt", "c.midi"}, ""},
      {"*.*", {"sub/", "Zeta/", "a.mid", "b.txt", "c.midi", "SONG.MID", "曲.mid"}, ""},
      {"sub/*.txt", {"y.txt"}, "/sub"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Lines lines;
    std::string folder, name;
    QueueTypedName(c.typed);
    Then([this] { m_driver.Key(VK_RETURN); });
    Then([&] {
      lines = m_driver.Lines(kList);
      folder = m_driver.Text(kFolder);
      name = m_driver.Text(kName);
      m_driver.Key(VK_ESCAPE);
    });
    OPENFILENAMEA ofn = Options();
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(folder, m_tree.Path() + c.folder);
    EXPECT_EQ(name, c.typed.substr(c.typed.rfind('/') + 1));
  }
}

// Fails to read one folder, the way a folder without read permission fails
// for anyone but root.
class DeniedFolder : public win::DirectoryReader {
 public:
  explicit DeniedFolder(std::string path) : m_path(std::move(path)) {}
  bool List(const std::string& path, std::vector<win::DirectoryEntry>& entries, int& error) override {
    if (path == m_path) {
      error = EACCES;
      return false;
    }
    return DirectoryReader::List(path, entries, error);
  }

 private:
  std::string m_path;
};

TEST_F(FileDialogTest, AFolderThatCannotBeOpenedIsReportedAndTheDialogStays) {
  DeniedFolder reader(m_tree.Path("sub"));
  win::ScopedDirectoryReader scope(reader);
  struct Case {
    const char* how;
    std::function<void()> open;
    std::string folder;  // named in the message
    std::string reason;
  };
  const Case cases[] = {
      {"double click on a folder that cannot be read",
       [this] { m_driver.DoubleClickLine(kList, m_driver.IndexOf(kList, "sub/")); }, m_tree.Path("sub"),
       "アクセスが拒否されました。"},
      {"a typed folder that does not exist",
       [this] {
         m_driver.Type("gone/");
         m_driver.Key(VK_RETURN);
       },
       m_tree.Path("gone"), "フォルダーが見つかりません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    std::string caption, text, folder;
    Lines lines;
    bool stopIcon = false;
    HWND fileDialog = nullptr;
    Then([&] {
      fileDialog = m_driver.Top();
      c.open();
    });
    Then([&] {
      HWND box = m_driver.Top();
      caption = m_host.Find(box)->caption;
      text = m_driver.Text(GetDlgItem(box, 0xFFFF));
      stopIcon = SendMessageA(GetDlgItem(box, IDC_STATIC), STM_GETICON, 0, 0) ==
                 reinterpret_cast<LRESULT>(LoadIconA(IDI_HAND));
      EXPECT_FALSE(IsWindowEnabled(fileDialog)) << "the box is modal over the dialog";
      m_driver.Key(VK_RETURN);
    });
    Then([&] {
      EXPECT_EQ(m_driver.Top(), fileDialog);
      folder = m_driver.Text(kFolder);
      lines = m_driver.Lines(kList);
      m_driver.Key(VK_ESCAPE);
    });
    OPENFILENAMEA ofn = Options();
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(caption, "ファイルを開く");
    EXPECT_EQ(text, c.folder + "\nフォルダーを開けません。\n" + c.reason);
    EXPECT_TRUE(stopIcon);
    EXPECT_EQ(folder, m_tree.Path());
    EXPECT_EQ(lines, kRootLines);
  }
}

TEST_F(FileDialogTest, TheChosenFilesFolderBecomesCurrentUnlessNoChangeDir) {
  struct Case {
    DWORD extraFlags;
    std::string folderAfter;
  };
  const Case cases[] = {{0, m_tree.Path("sub")}, {OFN_NOCHANGEDIR, "/"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extraFlags);
    ASSERT_EQ(chdir("/"), 0);
    QueueTypedName("sub/x.mid");
    Then([this] { m_driver.Key(VK_RETURN); });
    OPENFILENAMEA ofn = Options();
    ofn.Flags |= c.extraFlags;
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CurrentFolder(), c.folderAfter);
  }
}

TEST_F(FileDialogTest, APathLongerThanTheBufferFailsAndChangesNothing) {
  Then([this] { m_driver.DoubleClickLine(kList, m_driver.IndexOf(kList, "a.mid")); });
  OPENFILENAMEA ofn = Options();
  ofn.nMaxFile = static_cast<DWORD>(m_tree.Path("a.mid").size());  // one short: no room for the NUL
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  EXPECT_STREQ(m_file, "*.mid");
  EXPECT_EQ(CurrentFolder(), "/");
}

TEST_F(FileDialogTest, MustExistFlagsWarnAndKeepTheDialogOpen) {
  struct Case {
    DWORD flag;
    std::string typed;
    std::string named;  // what the warning names
  };
  const Case cases[] = {
      {OFN_FILEMUSTEXIST, "nothere", "nothere.mid"},
      {OFN_PATHMUSTEXIST, "nofolder/x.mid", m_tree.Path("nofolder")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    std::string warning;
    QueueTypedName(c.typed);
    Then([this] { m_driver.Key(VK_RETURN); });
    Then([&] {
      warning = m_driver.Text(GetDlgItem(m_driver.Top(), 0xFFFF));
      m_driver.Key(VK_RETURN);
    });
    QueueTypedName("a.mid");
    Then([this] { m_driver.Key(VK_RETURN); });
    OPENFILENAMEA ofn = Options();
    ofn.Flags |= c.flag;
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(warning.rfind(c.named + "\n", 0), 0u) << warning;
    EXPECT_EQ(std::string(m_file), m_tree.Path("a.mid"));
  }
}

TEST_F(FileDialogTest, TheOwnerIsDisabledWhileTheDialogIsCentredOverIt) {
  static const win::DialogItemTemplate kOwnerItems[] = {
      {"BUTTON", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 10, 10, 50, 14, "OK"}};
  static const win::DialogTemplate kOwner = {
      1, false, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 20, 20, 300, 220, "owner", "ＭＳ Ｐゴシック", 9, 400,
      false, kOwnerItems};
  HWND owner = CreateDialogIndirectParamA(&kOwner, nullptr, nullptr, 0);
  ASSERT_TRUE(owner);
  ShowWindow(owner, SW_SHOW);
  SetActiveWindow(owner);
  bool ownerEnabled = true;
  HWND dialogOwner = nullptr;
  RECT ownerRect, dialogRect;
  Then([&] {
    ownerEnabled = IsWindowEnabled(owner);
    dialogOwner = GetWindow(m_driver.Top(), GW_OWNER);
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(m_driver.Top(), &dialogRect);
    m_driver.Key(VK_ESCAPE);
  });
  OPENFILENAMEA ofn = Options();  // no owner given: the active window is taken
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(dialogOwner, owner);
  EXPECT_NEAR((ownerRect.left + ownerRect.right) / 2, (dialogRect.left + dialogRect.right) / 2, 1);
  EXPECT_NEAR((ownerRect.top + ownerRect.bottom) / 2, (dialogRect.top + dialogRect.bottom) / 2, 1);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  DestroyWindow(owner);
}

TEST_F(FileDialogTest, TabGoesFromTheNameToTheListToTheButtonsAndAltNComesBack) {
  std::vector<int> order;
  auto record = [&] { order.push_back(GetDlgCtrlID(GetFocus())); };
  for (int i = 0; i < 6; ++i) {
    Then([&] {
      record();
      m_driver.Key(VK_TAB);
    });
  }
  Then([&] {
    record();
    m_driver.Key(VK_TAB);  // away from the name field again
  });
  Then([&] { m_driver.Alt('N'); });
  Then([&] {
    record();
    m_driver.Key(VK_ESCAPE);
  });
  OPENFILENAMEA ofn = Options();
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(order, (std::vector<int>{kName, kList, kType, IDOK, IDCANCEL, kUp, kName, kName}));
}

TEST_F(FileDialogTest, TheFileTypeChoosesThePatternsAndIsReported) {
  static const char kFilters[] = "MIDI\0*.mid; *.MIDI\0テキスト\0*.txt\0";
  Lines textLines, midiLines, types;
  Then([&] {
    textLines = m_driver.Lines(kList);
    types = m_driver.Lines(kType);
    SetFocus(m_driver.Item(kType));
    m_driver.Key(VK_UP);
  });
  Then([&] {
    midiLines = m_driver.Lines(kList);
    m_driver.DoubleClickLine(kList, m_driver.IndexOf(kList, "c.midi"));
  });
  OPENFILENAMEA ofn = Options();
  ofn.lpstrFilter = kFilters;
  ofn.nFilterIndex = 2;
  std::strcpy(m_file, "");
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(types, (Lines{"MIDI", "テキスト"}));
  EXPECT_EQ(textLines, (Lines{"sub/", "Zeta/", "b.txt"}));
  EXPECT_EQ(midiLines, (Lines{"sub/", "Zeta/", "a.mid", "c.midi", "SONG.MID", "曲.mid"}));
  EXPECT_EQ(ofn.nFilterIndex, 1u);
  EXPECT_EQ(std::string(m_file), m_tree.Path("c.midi"));
}

TEST_F(FileDialogTest, BadArgumentsFailWithoutADialog) {
  OPENFILENAMEA ofn = Options();
  ofn.lStructSize = 12;
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
  ofn = Options();
  ofn.lpstrFile = nullptr;
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
  EXPECT_EQ(m_host.WaitCount(), 0);
}

}  // namespace
