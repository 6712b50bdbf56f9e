// Window creation and destruction, window text and styles, geometry,
// enabling and showing, focus, activation and capture.

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win/WindowSystem.h"

namespace win {

namespace {

struct State {
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  std::vector<ControlClass> classes;
};

State& S() {
  static State state;
  return state;
}

bool IEquals(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x | 0x20) == (y | 0x20);
         });
}

host::Host* Host() { return host::GetHost(); }

void SendActivate(Window* w, bool active, HWND other) {
  if (w && !w->destroyed) SendMessageA(w->handle, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, reinterpret_cast<LPARAM>(other));
}

HWND Activate(HWND hwnd, bool tellHost) {
  HWND old = S().active;
  Window* w = FromHandle(hwnd);
  if (w) w = TopLevelOf(w);
  HWND target = w ? w->handle : nullptr;
  if (target == old) return old;
  S().active = target;
  SendActivate(FromHandle(old), false, target);
  if (w) {
    SendActivate(w, true, old);
    if (tellHost && Host()) Host()->Activate(w->handle);
    InvalidateTopLevel(w);
  }
  if (Window* o = FromHandle(old)) InvalidateTopLevel(o);
  return old;
}

void DestroyTree(Window* w) {
  // The record stays in the handle table, marked destroyed, so that a
  // procedure further up the stack that still holds it reads harmless data.
  SendMessageA(w->handle, WM_DESTROY, 0, 0);
  for (Window* child : std::vector<Window*>(w->children)) DestroyTree(child);
  if (S().focus == w->handle) S().focus = nullptr;
  if (S().capture == w->handle) S().capture = nullptr;
  w->destroyed = true;
  w->children.clear();
  w->items.clear();
  w->items.shrink_to_fit();
  w->font.reset();
}

}  // namespace

const ControlClass* FindControlClass(std::string_view name) {
  if (S().classes.empty()) {
    S().classes.push_back({"BUTTON", WindowClass::Button, ButtonWindowProc});
    S().classes.push_back({"STATIC", WindowClass::Static, StaticWindowProc});
    S().classes.push_back({"LISTBOX", WindowClass::ListBox, ListBoxWindowProc});
    S().classes.push_back({"EDIT", WindowClass::Edit, EditWindowProc});
  }
  for (const auto& c : S().classes)
    if (IEquals(c.name, name)) return &c;
  return nullptr;
}

void RegisterControlClass(const ControlClass& controlClass) {
  FindControlClass("");  // makes sure the built-in classes come first
  S().classes.push_back(controlClass);
}

Window* CreateTopLevelWindow(WindowClass cls, DWORD style, DWORD exStyle, const char* caption, RECT client,
                             HWND owner, WNDPROC proc, LPARAM userData, host::TopLevelKind kind) {
  Window* w = NewWindow();
  w->cls = cls;
  w->style = (style & ~(WS_CHILD | WS_VISIBLE));
  w->exStyle = exStyle;
  w->text = caption ? caption : "";
  w->rect = client;
  w->owner = owner ? GetTopLevel(owner) : nullptr;
  w->proc = proc;
  w->userData = userData;
  RegisterTopLevel(w);
  if (Host()) {
    host::TopLevelInfo info;
    info.hwnd = w->handle;
    info.kind = kind;
    info.caption = w->text;
    info.client = client;
    info.owner = w->owner;
    info.minimizeBox = (style & WS_MINIMIZEBOX) != 0 && kind == host::TopLevelKind::Dialog;
    info.appWindow = (exStyle & WS_EX_APPWINDOW) != 0;
    Host()->CreateTopLevel(info);
  }
  return w;
}

void ActivateFromHost(Window* top) { Activate(top->handle, false); }

}  // namespace win

using win::FromHandle;
using win::S;
using win::Window;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int width, int height,
                     HWND parent, HMENU idOrMenu, LPARAM param) {
  const win::ControlClass* cls = win::FindControlClass(className ? className : "");
  Window* p = FromHandle(parent);
  if (!cls || !(style & WS_CHILD) || !p) return nullptr;
  Window* w = win::NewWindow();
  w->cls = cls->cls;
  w->style = style;
  w->exStyle = exStyle;
  w->id = static_cast<int>(reinterpret_cast<std::intptr_t>(idOrMenu));
  w->text = text ? text : "";
  w->rect = RECT{x, y, x + width, y + height};
  w->parent = p;
  w->proc = cls->proc;
  w->userData = 0;
  p->children.push_back(w);
  SendMessageA(w->handle, WM_CREATE, 0, param);
  win::InvalidateTopLevel(w);
  return w->handle;
}

BOOL DestroyWindow(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  bool wasActive = S().active == hwnd;
  bool topLevel = !w->IsChild();
  HWND owner = w->owner;
  if (w->parent && w->IsChild()) std::erase(w->parent->children, w);
  // The focus leaves with the window it was in.
  if (Window* f = FromHandle(S().focus); f && (f == w || IsChild(hwnd, f->handle))) S().focus = nullptr;
  win::DestroyTree(w);
  if (topLevel) {
    if (wasActive) {
      // Activation goes back to the owner, or else to the newest window
      // that can take it.
      S().active = nullptr;
      Window* next = FromHandle(owner);
      if (!next || !next->Enabled() || !next->Visible()) {
        next = nullptr;
        auto tops = win::TopLevelWindows();
        for (auto it = tops.rbegin(); it != tops.rend() && !next; ++it) {
          Window* t = *it;
          if (t != w && t->Enabled() && t->Visible() && t->cls != win::WindowClass::PopupMenu) next = t;
        }
      }
      if (next) win::Activate(next->handle, true);
    }
    if (win::Host()) win::Host()->DestroyTopLevel(hwnd);
  } else if (Window* top = win::TopLevelOf(w->parent)) {
    win::InvalidateTopLevel(top);
  }
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return FromHandle(hwnd) ? TRUE : FALSE; }

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LPARAM GetWindowLongPtrA(HWND hwnd, int index) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LPARAM>(w->proc);
    case GWL_STYLE: return static_cast<LPARAM>(w->style);
    case GWL_EXSTYLE: return static_cast<LPARAM>(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    case GWLP_ID: return w->id;
    case DWLP_MSGRESULT: return w->dlgResult;
    default: return 0;
  }
}

LPARAM SetWindowLongPtrA(HWND hwnd, int index, LPARAM value) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  LPARAM old = GetWindowLongPtrA(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
    case GWL_STYLE: w->style = static_cast<DWORD>(value); win::InvalidateTopLevel(w); break;
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); break;
    case GWLP_USERDATA: w->userData = value; break;
    case GWLP_ID: w->id = static_cast<int>(value); break;
    case DWLP_MSGRESULT: w->dlgResult = value; break;
    default: return 0;
  }
  return old;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!FromHandle(hwnd)) return FALSE;
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
  if (!FromHandle(hwnd) || !buffer || size <= 0) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) {
  if (!FromHandle(hwnd)) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = w->Enabled() ? FALSE : TRUE;
  if ((enable != FALSE) == w->Enabled()) return wasDisabled;
  if (enable) w->style &= ~WS_DISABLED;
  else w->style |= WS_DISABLED;
  if (!enable && w->IsChild()) {
    // A disabled control cannot keep the keyboard focus, nor the mouse.
    if (Window* f = FromHandle(S().focus); f && (f == w || IsChild(hwnd, f->handle))) SetFocus(nullptr);
    if (S().capture == hwnd) ReleaseCapture();
  }
  SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  if (!w->IsChild() && win::Host()) win::Host()->SetEnabled(hwnd, enable != FALSE);
  win::InvalidateTopLevel(w);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w && w->Enabled() ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hwnd, int command) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  BOOL wasVisible = w->Visible() ? TRUE : FALSE;
  bool topLevel = !w->IsChild();
  switch (command) {
    case SW_HIDE:
      w->style &= ~WS_VISIBLE;
      if (topLevel && win::Host()) win::Host()->ShowTopLevel(hwnd, false);
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      if (topLevel && !w->minimized) {
        w->style |= WS_VISIBLE;
        w->minimized = true;
        w->needsPaint = true;
        if (win::Host()) win::Host()->SetMinimized(hwnd, true);
        SendMessageA(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
      }
      break;
    case SW_RESTORE:
      if (topLevel && w->minimized) {
        w->minimized = false;
        w->needsPaint = true;
        if (win::Host()) win::Host()->SetMinimized(hwnd, false);
        SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, 0);
      }
      w->style |= WS_VISIBLE;
      break;
    default:
      if (!w->Visible()) {
        w->style |= WS_VISIBLE;
        if (topLevel) {
          w->needsPaint = true;
          if (win::Host()) win::Host()->ShowTopLevel(hwnd, true);
        }
      }
      break;
  }
  win::InvalidateTopLevel(w);
  return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
  for (Window* w = FromHandle(hwnd); w; w = w->IsChild() ? w->parent : nullptr)
    if (!w->Visible()) return FALSE;
  return FromHandle(hwnd) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w && w->minimized ? TRUE : FALSE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  Window* w = FromHandle(hwnd);
  if (!w || !rect) return FALSE;
  *rect = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  Window* w = FromHandle(hwnd);
  if (!w || !rect) return FALSE;
  Window* top = win::TopLevelOf(w);
  RECT r = win::RectInTopLevel(w);
  r.left += top->rect.left;
  r.right += top->rect.left;
  r.top += top->rect.top;
  r.bottom += top->rect.top;
  *rect = r;
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  w->rect = RECT{x, y, x + width, y + height};
  if (!w->IsChild() && win::Host()) win::Host()->MoveTopLevel(hwnd, w->rect);
  win::InvalidateTopLevel(w);
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  RECT r;
  if (!point || !GetWindowRect(hwnd, &r)) return FALSE;
  point->x += r.left;
  point->y += r.top;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  RECT r;
  if (!point || !GetWindowRect(hwnd, &r)) return FALSE;
  point->x -= r.left;
  point->y -= r.top;
  return TRUE;
}

HWND GetParent(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (!w) return nullptr;
  if (w->IsChild()) return w->parent ? w->parent->handle : nullptr;
  return w->owner;
}

HWND GetWindow(HWND hwnd, UINT command) {
  Window* w = FromHandle(hwnd);
  if (!w) return nullptr;
  switch (command) {
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front()->handle;
    case GW_OWNER: return w->IsChild() ? nullptr : w->owner;
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
      if (!w->IsChild() || !w->parent) return nullptr;
      auto& siblings = w->parent->children;
      auto it = std::find(siblings.begin(), siblings.end(), w);
      if (it == siblings.end()) return nullptr;
      if (command == GW_HWNDNEXT) return (it + 1) == siblings.end() ? nullptr : (*(it + 1))->handle;
      return it == siblings.begin() ? nullptr : (*(it - 1))->handle;
    }
    case GW_ENABLEDPOPUP: {
      for (Window* t : win::TopLevelWindows())
        if (t->owner == hwnd && t->Visible() && t->Enabled()) return t->handle;
      return nullptr;
    }
    default: return nullptr;
  }
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* w = FromHandle(dialog);
  if (!w) return nullptr;
  for (Window* c : w->children)
    if (c->id == id) return c->handle;
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w ? w->id : 0;
}

HWND GetTopLevel(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w ? win::TopLevelOf(w)->handle : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (!w || !FromHandle(parent)) return FALSE;
  for (Window* p = w->IsChild() ? w->parent : nullptr; p; p = p->IsChild() ? p->parent : nullptr)
    if (p->handle == parent) return TRUE;
  return FALSE;
}

HWND SetFocus(HWND hwnd) {
  HWND old = S().focus;
  Window* w = FromHandle(hwnd);
  if (hwnd && !w) return nullptr;
  if (w) {
    Window* top = win::TopLevelOf(w);
    if (S().active != top->handle) win::Activate(top->handle, true);
  }
  old = S().focus;
  if (old == hwnd) return old;
  S().focus = hwnd;
  if (Window* o = FromHandle(old)) {
    SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    win::InvalidateTopLevel(o);
  }
  if (w && S().focus == hwnd) {
    SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    win::InvalidateTopLevel(w);
  }
  return old;
}

HWND GetFocus() { return FromHandle(S().focus) ? S().focus : nullptr; }

HWND SetActiveWindow(HWND hwnd) { return win::Activate(hwnd, true); }

HWND GetActiveWindow() { return FromHandle(S().active) ? S().active : nullptr; }

HWND GetLastActivePopup(HWND hwnd) {
  // The enabled, visible window furthest down the chain of windows owned by
  // `hwnd`: where a message box or a modal dialog of `hwnd` belongs.
  HWND current = hwnd;
  for (int depth = 0; depth < 64; ++depth) {
    HWND next = nullptr;
    for (Window* t : win::TopLevelWindows())
      if (t->owner == current && t->Visible() && t->handle != current) next = t->handle;
    if (!next) break;
    current = next;
  }
  return current;
}

HWND SetCapture(HWND hwnd) {
  HWND old = S().capture;
  S().capture = FromHandle(hwnd) ? hwnd : nullptr;
  if (old && old != hwnd && FromHandle(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  HWND old = S().capture;
  S().capture = nullptr;
  if (old && FromHandle(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return FromHandle(S().capture) ? S().capture : nullptr; }

BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  win::TopLevelOf(w)->needsPaint = true;
  win::InvalidateTopLevel(w);
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  Window* top = win::TopLevelOf(w);
  if (top->needsPaint) {
    SendMessageA(top->handle, WM_PAINT, 0, 0);
    if (Window* again = FromHandle(top->handle)) again->needsPaint = false;
  }
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  Window* w = FromHandle(hwnd);
  if (!w || !paint) return nullptr;
  Window* top = win::TopLevelOf(w);
  top->iconDraws.clear();
  top->needsPaint = false;
  // The paint context is the window's own; the record outlives any caller.
  top->paintContext.hwnd = top->handle;
  paint->hdc = &top->paintContext;
  paint->fErase = TRUE;
  GetClientRect(hwnd, &paint->rcPaint);
  return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT*) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  win::InvalidateTopLevel(win::TopLevelOf(w));
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  if (!dc) return FALSE;
  Window* w = FromHandle(dc->hwnd);
  if (!w || !icon) return FALSE;
  render::IconDraw draw;
  draw.x = x;
  draw.y = y;
  draw.icon = win::IconRefOf(icon, GetSystemMetrics(SM_CXICON));
  w->iconDraws.push_back(draw);
  return TRUE;
}

int GetSystemMetrics(int index) {
  RECT work{0, 0, 1024, 768};
  if (win::Host()) work = win::Host()->WorkArea();
  switch (index) {
    case SM_CXSCREEN: return work.right;
    case SM_CYSCREEN: return work.bottom;
    case SM_CXVSCROLL: return 16;
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 18;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CYVTHUMB: return 16;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    default: return 0;
  }
}

BOOL SystemParametersInfoA(UINT action, UINT, void* value, UINT) {
  if (action != SPI_GETWORKAREA || !value) return FALSE;
  RECT work{0, 0, 1024, 768};
  if (win::Host()) work = win::Host()->WorkArea();
  *static_cast<RECT*>(value) = work;
  return TRUE;
}

short GetKeyState(int vk) {
  unsigned mods = win::CurrentModifiers();
  bool down = false;
  if (vk == static_cast<int>(VK_SHIFT)) down = mods & host::kModShift;
  else if (vk == static_cast<int>(VK_CONTROL)) down = mods & host::kModControl;
  else if (vk == static_cast<int>(VK_MENU)) down = mods & host::kModAlt;
  return down ? static_cast<short>(KEY_DOWN_BIT) : 0;
}
