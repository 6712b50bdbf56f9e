#pragma once
// Data exchange between a dialog's members and its controls: members to
// controls with UpdateData(FALSE), controls to members with UpdateData(TRUE).

#include "platform/framework/CString.h"
#include "platform/win/WinTypes.h"

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
  HWND PrepareCtrl(int id) const;

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
};

// The window text of control `id` and `value`.
void DDX_Text(CDataExchange* dx, int id, CString& value);
// Binds `control` to control `id` the first time; later exchanges do nothing.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
