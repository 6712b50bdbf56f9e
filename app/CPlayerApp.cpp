#include "app/CPlayerApp.h"

#include "ui/CPlayerDlg.h"

CPlayerApp::CPlayerApp() : CWinApp(nullptr) {}

BOOL CPlayerApp::InitInstance() {
  Enable3dControlsStatic();
  CPlayerDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  // The modal run was the whole program: no message loop follows.
  return FALSE;
}
