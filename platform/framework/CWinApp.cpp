#include "platform/framework/CWinApp.h"

#include "platform/framework/Afx.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/FileSystem.h"
#include "platform/win/WinApi.h"

namespace {
CWinApp* g_app = nullptr;
}

const afx::MessageEntry CWinApp::kMessageEntries[] = {
    afx::Command(ID_HELP, &CWinApp::OnHelp),
};

const afx::MessageMap CWinApp::messageMap = {&CCmdTarget::messageMap, kMessageEntries};

const afx::MessageMap* CWinApp::GetMessageMap() const { return &messageMap; }

CWinApp::CWinApp(const char* appName) : m_explicitName(appName) {
  g_app = this;
  InitNames();
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

void CWinApp::InitNames() {
  // The executable's own path, through the file-system seam so that tests
  // can run the program as if it were installed elsewhere.
  std::string path;
  FileSystem::Current().Readlink("/proc/self/exe", path);
  CString exe(path);
  CString dir = exe.Left(exe.ReverseFind('/') + 1);
  CString name = exe.Mid(exe.ReverseFind('/') + 1);
  CString title = name;
  if (int dot = name.ReverseFind('.'); dot > 0) title = name.Left(dot);
  m_strAppName = m_explicitName.IsEmpty() ? title : m_explicitName;
  m_pszAppName = m_strAppName;
  m_strHelpPath = dir + title + ".HLP";
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

BOOL CWinApp::Enable3dControlsStatic() { return TRUE; }

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
  // From the message's window up to its top-level window, each framework
  // window may take the message (a dialog takes its keys).
  for (HWND h = msg->hwnd; h; h = (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr) {
    if (CWnd* wnd = CWnd::FromHandlePermanent(h); wnd && wnd->PreTranslateMessage(msg)) return TRUE;
  }
  return FALSE;
}

void CWinApp::OnHelp() {
  // Help would open m_strHelpPath at the active dialog's context; this
  // system has no help viewer to start, so the user is told it failed.
  AfxMessageBox("ﾍﾙﾌﾟの起動に失敗しました。", MB_ICONEXCLAMATION);
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

int AfxMessageBox(const char* text, UINT type) {
  HWND owner = nullptr;
  if (CWnd* main = AfxGetMainWnd(); main && IsWindow(main->m_hWnd)) owner = GetLastActivePopup(main->m_hWnd);
  const char* caption = g_app ? g_app->m_pszAppName : "";
  return MessageBoxA(owner, text, caption, type);
}

int AfxWinMain() {
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  if (!app->InitInstance()) return app->ExitInstance();
  // An application that keeps running after start-up gets a message loop.
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    if (!app->PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return app->ExitInstance();
}
