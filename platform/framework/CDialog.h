#pragma once
// CDialog: a dialog from a template, run modally. DoModal disables the
// owner, creates the dialog, runs the framework's modal loop (the
// application's pre-filter, then the dialog keys, then translation and
// dispatch) until EndDialog, and returns the result kept on this object.

#include "platform/framework/CWnd.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  virtual int DoModal();
  void EndDialog(int result);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL PreTranslateMessage(MSG* msg) override;

  UINT GetTemplateId() const { return m_templateId; }

 protected:
  static const afx::MessageEntry kMessageEntries[];
  static const afx::MessageMap messageMap;
  const afx::MessageMap* GetMessageMap() const override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  LRESULT HandleInitDialog(WPARAM, LPARAM);
  void OnOkCommand() { OnOK(); }
  void OnCancelCommand() { OnCancel(); }

  UINT m_templateId;
  CWnd* m_pParentWnd;

 private:
  void RunModalLoop();
  bool m_endRequested = false;
  int m_modalResult = -1;
};
