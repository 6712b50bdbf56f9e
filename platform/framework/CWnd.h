#pragma once
// CWnd: the framework's object for a window. It routes the window's messages
// through the class's routing table, runs the guard that reports framework
// exceptions thrown by a handler and lets the window go on, and offers the
// window system's calls as members.

#include <memory>

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CString.h"
#include "platform/win/WinApi.h"

class CDataExchange;
class CMenu;

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  // The framework object of a window created through the framework, or a
  // wrapper that lives as long as the window for any other window.
  static CWnd* FromHandle(HWND hwnd);
  static CWnd* FromHandlePermanent(HWND hwnd);
  // Binds this object to an existing control (once).
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual void DoDataExchange(CDataExchange* dx);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  CWnd* GetDlgItem(int id) const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  void SetWindowText(const char* text);
  void GetWindowText(CString& text) const;
  BOOL ShowWindow(int command);
  BOOL IsIconic() const;
  void GetClientRect(RECT* rect) const;
  void GetWindowRect(RECT* rect) const;
  CWnd* SetFocus();
  HICON SetIcon(HICON icon, BOOL bigIcon);
  CMenu* GetSystemMenu(BOOL revert) const;
  void CenterWindow(CWnd* alternateOwner = nullptr);
  void Invalidate(BOOL erase = TRUE);
  BOOL DestroyWindow();

 protected:
  // Default processing of the message being handled.
  LRESULT Default();
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // Finds and runs a handler from the routing tables; FALSE if none.
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  // Framework defaults for handlers that programs override by name.
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  LRESULT OnHelpMessage(WPARAM, LPARAM);

  friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);

  static const afx::MessageEntry kMessageEntries[];
  static const afx::MessageMap messageMap;
  const afx::MessageMap* GetMessageMap() const override;

 private:
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  CurrentMessage m_current{};
  std::unique_ptr<CMenu> m_systemMenu;
};

// The window procedure of every window the framework creates. `hwnd`'s
// GWLP_USERDATA holds its CWnd.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Menus, as far as the window menu needs them.
class CMenu {
 public:
  HMENU m_hMenu = nullptr;
  BOOL AppendMenu(UINT flags, UINT id = 0, const char* text = nullptr) { return AppendMenuA(m_hMenu, flags, id, text); }
  int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
  UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
};
