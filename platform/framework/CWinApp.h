#pragma once
// CWinApp: the application object. Exactly one exists while the program
// runs; the framework starts it (InitInstance), hands every message of its
// modal loops to its pre-filter, and routes the help command to it.

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CString.h"

class CWnd;

class CWinApp : public CCmdTarget {
 public:
  // With no name, the name shown in message-box captions is the
  // executable's file name without its extension.
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // The pre-filter of the framework's modal loops: the standard one lets
  // the windows from the message's window up to its dialog pre-translate it
  // (the dialog keys). TRUE means the message was handled.
  virtual BOOL PreTranslateMessage(MSG* msg);

  // The three-dimensional control look; dialogs here are always drawn that way.
  BOOL Enable3dControlsStatic();
  // The help command: there is no help viewer on this system.
  void OnHelp();

  CWnd* m_pMainWnd = nullptr;
  CString m_strAppName;
  const char* m_pszAppName = "";
  CString m_strHelpPath;

 protected:
  static const afx::MessageEntry kMessageEntries[];
  static const afx::MessageMap messageMap;
  const afx::MessageMap* GetMessageMap() const override;

 private:
  CString m_explicitName;
  void InitNames();
};

// Starts the application: names from the executable, InitInstance, and the
// application's own message loop if InitInstance returns TRUE.
int AfxWinMain();
