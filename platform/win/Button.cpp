// The push button: pressed by the mouse (it sinks while the pointer is held
// over it) or by the Space key, it sends BN_CLICKED to its dialog when let go.

#include "platform/win/WindowSystem.h"

namespace win {

namespace {

void SetPressed(Window* w, bool pressed) {
  if (w->pressed == pressed) return;
  w->pressed = pressed;
  InvalidateTopLevel(w);
}

bool Inside(const Window* w, LPARAM lParam) {
  int x = GET_X_LPARAM(lParam);
  int y = GET_Y_LPARAM(lParam);
  return x >= 0 && y >= 0 && x < w->rect.right - w->rect.left && y < w->rect.bottom - w->rect.top;
}

void Click(Window* w) {
  HWND self = w->handle;
  if (w->parent)
    SendMessageA(w->parent->handle, WM_COMMAND, MAKELONG(static_cast<WORD>(w->id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(self));
}

}  // namespace

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_BUTTON | ((w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!w->Enabled()) return 0;
      SetFocus(hwnd);
      SetCapture(hwnd);
      w->trackingMouse = true;
      SetPressed(w, true);
      return 0;
    case WM_MOUSEMOVE:
      if (w->trackingMouse) SetPressed(w, Inside(w, lParam));
      return 0;
    case WM_LBUTTONUP: {
      if (!w->trackingMouse) return 0;
      bool click = w->pressed && Inside(w, lParam);
      w->trackingMouse = false;
      SetPressed(w, false);
      ReleaseCapture();
      if (click) Click(w);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (w->trackingMouse && reinterpret_cast<HWND>(lParam) != hwnd) {
        w->trackingMouse = false;
        SetPressed(w, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && w->Enabled()) {
        w->spaceDown = true;
        SetPressed(w, true);
        return 0;
      }
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_KEYUP:
      if (wParam == VK_SPACE && w->spaceDown) {
        w->spaceDown = false;
        SetPressed(w, false);
        Click(w);
        return 0;
      }
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_KILLFOCUS:
      if (w->spaceDown) {
        w->spaceDown = false;
        SetPressed(w, false);
      }
      return 0;
    case WM_SETFOCUS:
      return 0;
    case BM_CLICK:
      if (!w->Enabled()) return 0;
      Click(w);
      return 0;
    case BM_GETSTATE:
      return (w->pressed ? BST_PUSHED : 0) | (GetFocus() == hwnd ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPressed(w, wParam != 0);
      return 0;
    case BM_SETSTYLE:
      w->style = (w->style & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
      InvalidateTopLevel(w);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case STM_SETICON: {
      HICON old = w->icon;
      w->icon = reinterpret_cast<HICON>(wParam);
      InvalidateTopLevel(w);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(w->icon);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      // A static control is transparent to the mouse: its dialog gets the click.
      if (w->parent) {
        POINT p{GET_X_LPARAM(lParam) + w->rect.left, GET_Y_LPARAM(lParam) + w->rect.top};
        return SendMessageA(w->parent->handle, message, wParam, MAKELPARAM(p.x, p.y));
      }
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace win
