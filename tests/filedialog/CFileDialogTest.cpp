// CFileDialog: the framework's filter form turned into the window system's,
// its options and buffer, the owner it picks, and the names it hands back
// after a run of the real dialog through the headless host.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "TempTree.h"
#include "platform/framework/CFileDialog.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/win/WindowSystem.h"

namespace {

// The window system's filter list up to and including its closing empty string.
std::string FilterBytes(const char* list) {
  const char* end = list;
  while (*end) end += std::strlen(end) + 1;
  return std::string(list, static_cast<size_t>(end - list) + 1);
}

// All bytes of a string literal, its closing NUL included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N);
}

TEST(CFileDialogOptions, TheFrameworkFilterBecomesNulSeparatedStrings) {
  struct Case {
    const char* filter;
    std::string expected;
  };
  const Case cases[] = {
      {"midiﾌｧｲﾙ(*.mid) | *.mid|", Bytes("midiﾌｧｲﾙ(*.mid) \0 *.mid\0")},
      {"MIDI|*.mid;*.midi|All|*.*||", Bytes("MIDI\0*.mid;*.midi\0All\0*.*\0")},
      {"Text|*.txt", Bytes("Text\0*.txt\0")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    CFileDialog dialog(TRUE, "mid", "*.mid", OFN_HIDEREADONLY, c.filter);
    EXPECT_EQ(FilterBytes(dialog.m_ofn.lpstrFilter), c.expected);
  }
}

TEST(CFileDialogOptions, OptionsAndBuffer) {
  CFileDialog dialog(TRUE, "mid", "*.mid", OFN_HIDEREADONLY, "midiﾌｧｲﾙ(*.mid) | *.mid|");
  const OPENFILENAMEA& ofn = dialog.m_ofn;
  EXPECT_EQ(ofn.lStructSize, sizeof(OPENFILENAMEA));
  EXPECT_EQ(ofn.Flags, OFN_HIDEREADONLY | OFN_EXPLORER);
  EXPECT_EQ(ofn.nMaxFile, 4096u);
  EXPECT_STREQ(ofn.lpstrFile, "*.mid");
  EXPECT_STREQ(ofn.lpstrDefExt, "mid");
  EXPECT_EQ(ofn.nFilterIndex, 1u);
  EXPECT_EQ(ofn.lpstrInitialDir, nullptr);
  EXPECT_EQ(ofn.lpstrTitle, nullptr);
  EXPECT_EQ(ofn.hwndOwner, nullptr);

  CFileDialog plain(TRUE);
  EXPECT_EQ(plain.m_ofn.Flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER);
  EXPECT_EQ(plain.m_ofn.lpstrFilter, nullptr);
  EXPECT_STREQ(plain.m_ofn.lpstrFile, "");
}

class CFileDialogRun : public ::testing::Test {
 protected:
  CFileDialogRun() : m_driver(m_host) {
    win::InitWindowSystem(&m_host);
    m_tree.AddFile("a.mid");
    m_tree.AddFile("b.txt");
    EXPECT_EQ(chdir(m_tree.Path().c_str()), 0);
  }

  TempTree m_tree;
  CurrentFolderGuard m_folder;
  host::HeadlessHost m_host;
  DialogDriver m_driver;
};

TEST_F(CFileDialogRun, ATypedNameComesBackAsPathNameFileNameAndExtension) {
  CFileDialog dialog(TRUE, "mid", "*.mid", OFN_HIDEREADONLY, "midiﾌｧｲﾙ(*.mid) | *.mid|");
  std::vector<std::string> lines, types;
  m_host.Then([&] {
    lines = m_driver.Lines(win::kFileDialogListId);
    types = m_driver.Lines(win::kFileDialogTypeId);
    m_driver.Type("song");
  });
  m_host.Then([&] { m_driver.Key(VK_RETURN); });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(lines, std::vector<std::string>{"a.mid"});
  EXPECT_EQ(types, std::vector<std::string>{"midiﾌｧｲﾙ(*.mid) "});
  EXPECT_EQ(dialog.GetPathName(), CString(m_tree.Path("song.mid")));
  EXPECT_EQ(dialog.GetFileName(), "song.mid");
  EXPECT_EQ(dialog.GetFileExt(), "mid");
}

TEST_F(CFileDialogRun, CancelGivesIdCancelAndKeepsTheInitialName) {
  CFileDialog dialog(TRUE, "mid", "*.mid", OFN_HIDEREADONLY, "midiﾌｧｲﾙ(*.mid) | *.mid|");
  m_host.Then([&] { m_driver.Click(IDCANCEL); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.GetPathName(), "*.mid");
}

// The classic 260-byte buffer could not hold this path.
TEST_F(CFileDialogRun, AFileInADeepFolderCanBeChosen) {
  const std::string deep = std::string(200, 'd') + "/" + std::string(200, 'e');
  m_tree.AddFile(deep + "/deep.mid");
  CFileDialog dialog(TRUE, "mid", "*.mid", OFN_HIDEREADONLY, "midiﾌｧｲﾙ(*.mid) | *.mid|");
  m_host.Then([&] { m_driver.Type(deep + "/deep"); });
  m_host.Then([&] { m_driver.Key(VK_RETURN); });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), CString(m_tree.Path(deep + "/deep.mid")));
  EXPECT_GT(dialog.GetPathName().GetLength(), 400);
  EXPECT_EQ(CurrentFolder(), m_tree.Path(deep));
}

TEST_F(CFileDialogRun, TheOwnerIsTheParentOrElseTheMainWindow) {
  static const win::DialogItemTemplate kItems[] = {
      {"BUTTON", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 10, 10, 50, 14, "OK"}};
  static const win::DialogTemplate kWindow = {
      1, false, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 20, 20, 300, 220, "window", "ＭＳ Ｐゴシック", 9, 400,
      false, kItems};
  HWND main = CreateDialogIndirectParamA(&kWindow, nullptr, nullptr, 0);
  HWND other = CreateDialogIndirectParamA(&kWindow, nullptr, nullptr, 0);
  SetActiveWindow(other);  // the active window is not what the framework picks
  CWinApp app("test");
  CWnd mainWnd, otherWnd;
  mainWnd.m_hWnd = main;
  otherWnd.m_hWnd = other;
  app.m_pMainWnd = &mainWnd;

  struct Case {
    CWnd* parent;
    HWND expected;
  };
  for (const Case& c : {Case{nullptr, main}, Case{&otherWnd, other}}) {
    HWND owner = nullptr;
    bool ownerEnabled = true;
    m_host.Then([&] {
      owner = GetWindow(m_driver.Top(), GW_OWNER);
      ownerEnabled = IsWindowEnabled(owner);
      m_driver.Key(VK_ESCAPE);
    });
    CFileDialog dialog(TRUE, "mid", "*.mid", OFN_HIDEREADONLY, "midiﾌｧｲﾙ(*.mid) | *.mid|", c.parent);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(owner, c.expected);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(c.expected));
  }
  mainWnd.m_hWnd = otherWnd.m_hWnd = nullptr;
  DestroyWindow(other);
  DestroyWindow(main);
}

TEST_F(CFileDialogRun, TheSaveFormIsNotProvidedAndShowsNothing) {
  CFileDialog dialog(FALSE, "mid", "song.mid");
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(m_host.WaitCount(), 0);
  EXPECT_EQ(dialog.GetPathName(), "song.mid");
}

}  // namespace
