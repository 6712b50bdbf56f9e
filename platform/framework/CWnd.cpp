#include "platform/framework/CWnd.h"

#include <map>
#include <vector>

#include "platform/framework/Afx.h"
#include "platform/framework/CFileException.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/DataExchange.h"

namespace {

// Wrappers for windows the framework did not create (controls reached
// through GetDlgItem). They live as long as the process; handles are never
// reused, so a wrapper never points at the wrong window.
std::map<HWND, std::unique_ptr<CWnd>>& TemporaryWrappers() {
  static std::map<HWND, std::unique_ptr<CWnd>> wrappers;
  return wrappers;
}

}  // namespace

const afx::MessageEntry CWnd::kMessageEntries[] = {
    afx::Message(WM_HELP, &CWnd::OnHelpMessage),
};

const afx::MessageMap CWnd::messageMap = {&CCmdTarget::messageMap, kMessageEntries};

const afx::MessageMap* CWnd::GetMessageMap() const { return &messageMap; }

CWnd::~CWnd() {
  if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this) SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) != &AfxWndProc) return nullptr;
  return reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  if (CWnd* permanent = FromHandlePermanent(hwnd)) return permanent;
  auto& wrappers = TemporaryWrappers();
  auto it = wrappers.find(hwnd);
  if (it != wrappers.end()) return it->second.get();
  auto wrapper = std::make_unique<CWnd>();
  wrapper->m_hWnd = hwnd;
  CWnd* raw = wrapper.get();
  wrappers.emplace(hwnd, std::move(wrapper));
  return raw;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (m_hWnd || !IsWindow(hwnd)) return FALSE;
  m_hWnd = hwnd;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id))) : FALSE;
}

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!wnd) return DefDlgProcA(hwnd, message, wParam, lParam);
  if (!wnd->m_hWnd) wnd->m_hWnd = hwnd;
  // The guard: a framework exception thrown while this message is handled
  // is reported to the user and the window goes on with the next message.
  try {
    return wnd->WindowProc(message, wParam, lParam);
  } catch (const CException& e) {
    AfxMessageBox(e.GetErrorMessage(), MB_ICONSTOP);
    return 0;
  }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CurrentMessage saved = m_current;
  m_current = {message, wParam, lParam};
  struct Restore {
    CWnd* self;
    CurrentMessage saved;
    ~Restore() { self->m_current = saved; }
  } restore{this, saved};
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (message == WM_COMMAND) return OnCommand(wParam, lParam);
  const afx::MessageEntry* entry = afx::FindEntry(GetMessageMap(), message, 0, 0);
  if (!entry) return FALSE;
  std::visit(
      [&](auto fn) {
        using Fn = decltype(fn);
        if constexpr (std::is_same_v<Fn, afx::PfnVoid>) (this->*fn)();
        else if constexpr (std::is_same_v<Fn, afx::PfnSysCommand>) (this->*fn)(static_cast<UINT>(wParam), lParam);
        else if constexpr (std::is_same_v<Fn, afx::PfnCursor>) *result = reinterpret_cast<LRESULT>((this->*fn)());
        else *result = (this->*fn)(wParam, lParam);
      },
      entry->handler);
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  UINT id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  if (OnCmdMsg(id, code)) return TRUE;
  // Commands no window handles go to the application (the help command).
  if (CWinApp* app = AfxGetApp(); app && code == 0) return app->OnCmdMsg(id, code);
  return FALSE;
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return PostMessageA(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

void CWnd::SetWindowText(const char* text) { SetWindowTextA(m_hWnd, text); }

void CWnd::GetWindowText(CString& text) const {
  int length = GetWindowTextLengthA(m_hWnd);
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  int n = GetWindowTextA(m_hWnd, buffer.data(), length + 1);
  text = CString(buffer.data(), n);
}

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const {
  HMENU menu = ::GetSystemMenu(m_hWnd, revert);
  if (!menu) return nullptr;
  auto* self = const_cast<CWnd*>(this);
  if (!self->m_systemMenu) self->m_systemMenu = std::make_unique<CMenu>();
  self->m_systemMenu->m_hMenu = menu;
  return self->m_systemMenu.get();
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
  CenterWindowOver(m_hWnd, alternateOwner ? alternateOwner->m_hWnd : GetWindow(m_hWnd, GW_OWNER));
}

void CWnd::Invalidate(BOOL erase) { InvalidateRect(m_hWnd, nullptr, erase); }

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }

void CWnd::OnPaint() { Default(); }

HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

LRESULT CWnd::OnHelpMessage(WPARAM, LPARAM) {
  // The help key asks the application for help on the active dialog.
  if (CWinApp* app = AfxGetApp()) {
    CWnd* main = app->m_pMainWnd;
    if (main && IsWindow(main->m_hWnd)) main->SendMessage(WM_COMMAND, ID_HELP, 0);
    else app->OnCmdMsg(ID_HELP, 0);
  }
  return TRUE;
}
