#include "platform/framework/CDialog.h"

#include "platform/framework/Afx.h"
#include "platform/framework/CWinApp.h"

// The framework's dialog table: OK and Cancel, and the initialisation.
const afx::MessageEntry CDialog::kMessageEntries[] = {
    afx::Message(WM_INITDIALOG, &CDialog::HandleInitDialog),
    afx::Command(IDOK, &CDialog::OnOkCommand),
    afx::Command(IDCANCEL, &CDialog::OnCancelCommand),
};

const afx::MessageMap CDialog::messageMap = {&CWnd::messageMap, kMessageEntries};

const afx::MessageMap* CDialog::GetMessageMap() const { return &messageMap; }

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcA(m_hWnd, message, wParam, lParam);
}

int CDialog::DoModal() {
  const win::DialogTemplate* tmpl = win::FindDialogTemplate(m_templateId);
  if (!tmpl) return -1;
  // The owner is the given parent, or else the main window (unless that is
  // this dialog itself), always as the top-level window.
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner) {
    CWnd* main = AfxGetMainWnd();
    if (main && main != this && IsWindow(main->m_hWnd)) owner = main->m_hWnd;
  }
  if (owner) owner = GetTopLevel(owner);
  bool reenable = owner && ::IsWindowEnabled(owner);
  if (reenable) ::EnableWindow(owner, FALSE);
  struct Restore {
    HWND owner;
    bool reenable;
    void Run() {
      if (reenable && IsWindow(owner)) ::EnableWindow(owner, TRUE);
      reenable = false;
    }
    ~Restore() { Run(); }
  } restore{owner, reenable};

  m_endRequested = false;
  m_modalResult = -1;
  HWND hwnd = CreateDialogIndirectParamA(tmpl, owner, &AfxWndProc, reinterpret_cast<LPARAM>(this));
  struct Destroy {
    CDialog* self;
    ~Destroy() {
      if (self->m_hWnd) {
        ::DestroyWindow(self->m_hWnd);
        self->m_hWnd = nullptr;
      }
    }
  } destroy{this};
  if (hwnd && !m_endRequested) RunModalLoop();
  // The owner comes back before this dialog goes, so activation returns to it.
  restore.Run();
  return m_modalResult;
}

void CDialog::RunModalLoop() {
  CWinApp* app = AfxGetApp();
  while (!m_endRequested && IsWindow(m_hWnd)) {
    if (!IsWindowVisible(m_hWnd)) ShowWindow(SW_SHOWNORMAL);
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (app && app->PreTranslateMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void CDialog::EndDialog(int result) {
  m_modalResult = result;
  m_endRequested = true;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  BOOL result = OnInitDialog();
  // A template placed at 0, 0 without a centring style is centred once it
  // is initialised: over its owner, or in the work area.
  const win::DialogTemplate* tmpl = win::FindDialogTemplate(m_templateId);
  if (tmpl && tmpl->x == 0 && tmpl->y == 0 && !(tmpl->style & DS_CENTER)) CenterWindow();
  return result;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  // Keys go through the dialog manager; everything else is dispatched.
  if (msg->message >= WM_KEYDOWN && msg->message <= 0x0109) return IsDialogMessageA(m_hWnd, msg);
  return FALSE;
}
