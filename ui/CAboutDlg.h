#pragma once
// The About box: the program's icon, name, version and a one-line
// description. No members and no handlers of its own.

#include "platform/framework/CDialog.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
