// Routing tables: a derived table is searched before its base, commands
// match on notification code and control id, message handlers get their
// arguments, commands no window takes reach the application, and a
// framework exception thrown by a handler is reported and the window goes on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/Afx.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CFileException.h"
#include "platform/framework/CWinApp.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win/WindowSystem.h"
#include "res/Resources.h"

namespace {

std::vector<std::string> g_calls;

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("routing") {}
  void OnAppCommand() { g_calls.push_back("app 500"); }

 protected:
  static const afx::MessageEntry kMessageEntries[];
  static const afx::MessageMap messageMap;
  const afx::MessageMap* GetMessageMap() const override { return &messageMap; }
};

const afx::MessageEntry TestApp::kMessageEntries[] = {
    afx::Command(500, &TestApp::OnAppCommand),
};
const afx::MessageMap TestApp::messageMap = {&CWinApp::messageMap, kMessageEntries};

class TestDialog : public CDialog {
 public:
  TestDialog() : CDialog(IDD_ABOUTBOX) {}
  void OnCancelOwn() { g_calls.push_back("own cancel"); }
  void OnSelChange() { g_calls.push_back("selchange 7"); }
  void OnSys(UINT id, LPARAM lParam) { g_calls.push_back("sys " + std::to_string(id) + " " + std::to_string(lParam)); }
  HCURSOR OnDrag() { return reinterpret_cast<HCURSOR>(0x55); }
  void OnThrow() { CFileException::Throw(CFileException::diskFull, 112, "/x/MidiList.txt"); }
  void OnCancel() override { g_calls.push_back("framework cancel"); }

 protected:
  static const afx::MessageEntry kMessageEntries[];
  static const afx::MessageMap messageMap;
  const afx::MessageMap* GetMessageMap() const override { return &messageMap; }
};

const afx::MessageEntry TestDialog::kMessageEntries[] = {
    afx::Command(IDCANCEL, &TestDialog::OnCancelOwn),
    afx::ControlNotify(LBN_SELCHANGE, 7, &TestDialog::OnSelChange),
    afx::Message(WM_SYSCOMMAND, &TestDialog::OnSys),
    afx::Message(WM_QUERYDRAGICON, &TestDialog::OnDrag),
    afx::Command(600, &TestDialog::OnThrow),
};
const afx::MessageMap TestDialog::messageMap = {&CDialog::messageMap, kMessageEntries};

TEST(Routing, TablesRouteEachMessageToItsHandler) {
  host::HeadlessHost host;
  win::RegisterResources(&VuskResources());
  win::InitWindowSystem(&host);
  TestApp app;
  TestDialog dialog;
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<std::string> calls;
    LRESULT result;
  };
  const Case cases[] = {
      // The dialog's own entry wins over the framework's Cancel.
      {WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED), 0, {"own cancel"}, 0},
      {WM_COMMAND, MAKELONG(7, LBN_SELCHANGE), 0, {"selchange 7"}, 0},
      // Another code or another control does not match.
      {WM_COMMAND, MAKELONG(7, LBN_DBLCLK), 0, {}, 0},
      {WM_COMMAND, MAKELONG(8, LBN_SELCHANGE), 0, {}, 0},
      // A command no window takes goes to the application.
      {WM_COMMAND, 500, 0, {"app 500"}, 0},
      {WM_SYSCOMMAND, 0x0010, 99, {"sys 16 99"}, 0},
      {WM_QUERYDRAGICON, 0, 0, {}, 0x55},
  };
  host.Then([&] {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.message);
      g_calls.clear();
      LRESULT result = SendMessageA(dialog.m_hWnd, c.message, c.wParam, c.lParam);
      EXPECT_EQ(g_calls, c.calls);
      EXPECT_EQ(result, c.result);
    }
    // A framework exception from a handler is shown, and the dialog goes on.
    PostMessageA(dialog.m_hWnd, WM_COMMAND, 600, 0);
  });
  host.Then([&] {
    HWND box = GetActiveWindow();
    HWND text = GetDlgItem(box, 0xFFFF);
    char buffer[256] = {};
    GetWindowTextA(text, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "/x/MidiList.txt へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。");
    host.Key(box, VK_RETURN);
  });
  host.Then([&] {
    EXPECT_TRUE(IsWindow(dialog.m_hWnd));
    EXPECT_EQ(GetActiveWindow(), dialog.m_hWnd);
    dialog.EndDialog(IDOK);
    PostMessageA(dialog.m_hWnd, WM_NULL, 0, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(host.StepsLeft(), 0u);
  win::InitWindowSystem(nullptr);
}

}  // namespace
