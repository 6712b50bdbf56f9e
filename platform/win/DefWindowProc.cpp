// The default processing every window gets for the messages its own
// procedure leaves alone: text, painting, the window menu and its commands,
// the keyboard ways to them (Alt+F4, Alt+Space, Shift+F10, the Menu key) and
// the help key.

#include <cstring>

#include "platform/win/WindowSystem.h"

using win::FromHandle;
using win::Window;

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      w->text = text ? text : "";
      if (!w->IsChild() && host::GetHost()) host::GetHost()->SetCaption(hwnd, w->text);
      win::InvalidateTopLevel(w);
      return TRUE;
    }
    case WM_GETTEXT: {
      char* buffer = reinterpret_cast<char*>(lParam);
      size_t size = static_cast<size_t>(wParam);
      if (!buffer || size == 0) return 0;
      size_t n = std::min(size - 1, w->text.size());
      std::memcpy(buffer, w->text.data(), n);
      buffer[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
      return TRUE;
    case WM_SETICON: {
      HICON old = wParam == ICON_BIG ? w->bigIcon : w->smallIcon;
      if (wParam == ICON_BIG) w->bigIcon = reinterpret_cast<HICON>(lParam);
      else w->smallIcon = reinterpret_cast<HICON>(lParam);
      if (!w->IsChild() && host::GetHost()) {
        HICON big = w->bigIcon ? w->bigIcon : w->smallIcon;
        HICON small = w->smallIcon ? w->smallIcon : w->bigIcon;
        host::GetHost()->SetIcons(hwnd, IconImageOf(big, 32), IconImageOf(small, 16));
      }
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->bigIcon : w->smallIcon);
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND: {
      Window* top = win::TopLevelOf(w);
      switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessageA(top->handle, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(top->handle, SW_MINIMIZE); break;
        case SC_RESTORE: ShowWindow(top->handle, SW_RESTORE); break;
        case SC_KEYMENU: TrackSystemMenu(top->handle, 0, 0, TRUE); break;
        default: break;
      }
      return 0;
    }
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & KF_ALTDOWN_LPARAM)) {
        PostMessageA(win::TopLevelOf(w)->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
      }
      if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & KEY_DOWN_BIT)) {
        SendMessageA(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
        return 0;
      }
      return 0;
    case WM_SYSCHAR:
      if (wParam == ' ') SendMessageA(win::TopLevelOf(w)->handle, WM_SYSCOMMAND, SC_KEYMENU, ' ');
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_APPS) {
        SendMessageA(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
      } else if (wParam == VK_F1) {
        SendMessageA(hwnd, WM_HELP, 0, 0);
      }
      return 0;
    case WM_HELP:
      // Help goes up from the control to its dialog, which may answer it.
      if (w->IsChild() && w->parent) return SendMessageA(w->parent->handle, WM_HELP, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      SendMessageA(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
      return 0;
    case WM_CONTEXTMENU:
      if (w->IsChild()) {
        // From the keyboard the menu of the dialog opens wherever the focus
        // is; a right click on a control itself opens nothing.
        if (lParam == -1 && w->parent) SendMessageA(w->parent->handle, WM_CONTEXTMENU, wParam, lParam);
        return 0;
      }
      if (w->cls == win::WindowClass::Dialog) {
        int x = lParam == -1 ? 0 : GET_X_LPARAM(lParam);
        int y = lParam == -1 ? 0 : GET_Y_LPARAM(lParam);
        TrackSystemMenu(hwnd, x, y, lParam == -1 ? TRUE : FALSE);
      }
      return 0;
    case WM_GETDLGCODE:
      return 0;
    case WM_QUERYDRAGICON:
      return 0;
    default:
      return 0;
  }
}
