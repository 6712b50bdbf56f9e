#pragma once
// The framework's global services: the running application, its main
// window, and message boxes owned by the main window's last active pop-up.

#include "platform/win/WinTypes.h"

class CWinApp;
class CWnd;

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Shows `text` with the application's name as the caption and an OK button.
int AfxMessageBox(const char* text, UINT type = MB_OK);
