#include "platform/framework/DataExchange.h"

#include "platform/framework/CWnd.h"

HWND CDataExchange::PrepareCtrl(int id) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, id); }

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareCtrl(id);
  if (!control) return;
  if (dx->m_bSaveAndValidate) {
    CWnd::FromHandle(control)->GetWindowText(value);
  } else {
    SetWindowTextA(control, value);
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  control.SubclassWindow(dx->PrepareCtrl(id));
}
