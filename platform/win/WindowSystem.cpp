// The window system's side of the host seam: native events arrive here and
// become messages in the queue, addressed the way the window system decides
// (the focus for keys, the window under the pointer or the capture for the
// mouse); paint requests are answered with the scene of the window tree.

#include <string>

#include "platform/render/Renderer.h"
#include "platform/win/WindowSystem.h"

namespace win {

namespace {

// Decodes one UTF-8 sequence at `s[*i]`; invalid bytes come back as U+FFFD.
unsigned NextCodePoint(std::string_view s, size_t* i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned c = byte(*i);
  size_t need = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
  if (need == 9 || *i + need >= s.size() + (need ? 0 : 1)) {
    ++*i;
    return need == 0 ? c : 0xFFFD;
  }
  unsigned cp = need == 0 ? c : c & (0x3F >> need);
  for (size_t k = 1; k <= need; ++k) {
    if ((byte(*i + k) & 0xC0) != 0x80) {
      ++*i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (byte(*i + k) & 0x3F);
  }
  *i += need + 1;
  return cp;
}

Window* ChildAt(Window* parent, int x, int y) {
  // Last in z-order is on top.
  for (auto it = parent->children.rbegin(); it != parent->children.rend(); ++it) {
    Window* c = *it;
    if (!c->Visible()) continue;
    const RECT& r = c->rect;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
      if (Window* deeper = ChildAt(c, x - r.left, y - r.top)) return deeper;
      return c;
    }
  }
  return nullptr;
}

unsigned Modifiers() { return host::GetHost() ? host::GetHost()->KeyState() : 0; }

class Sink : public host::HostSink {
 public:
  void HostMouse(HWND topHandle, UINT message, int x, int y, WPARAM keys, int wheel) override {
    Window* top = FromHandle(topHandle);
    if (!top) return;
    Window* target = nullptr;
    if (Window* capture = FromHandle(GetCapture())) {
      target = capture;
    } else {
      if (!top->Enabled() || top->minimized) {
        // A modal window is above this one: a click brings it forward.
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
          if (Window* popup = FromHandle(GetLastActivePopup(top->handle)); popup && popup != top)
            SetActiveWindow(popup->handle);
        }
        return;
      }
      target = ChildAt(top, x, y);
      if (!target || !target->Enabled()) target = top;
      if ((message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) && GetActiveWindow() != top->handle)
        SetActiveWindow(top->handle);
    }
    // Coordinates in the target's client area.
    RECT inTop = RectInTopLevel(target);
    Window* targetTop = TopLevelOf(target);
    int tx = x + (top->rect.left - targetTop->rect.left) - (target == targetTop ? 0 : inTop.left);
    int ty = y + (top->rect.top - targetTop->rect.top) - (target == targetTop ? 0 : inTop.top);
    WPARAM wParam = keys;
    if (message == WM_MOUSEWHEEL) wParam = MAKELONG(static_cast<WORD>(keys), static_cast<WORD>(static_cast<short>(wheel)));
    PostInput(target->handle, message, wParam, MAKELPARAM(tx, ty), Modifiers());
  }

  void HostKey(HWND topHandle, UINT message, UINT vk, LPARAM lParam) override {
    Window* top = FromHandle(topHandle);
    if (!top) return;
    if (!top->Enabled()) {
      if (Window* popup = FromHandle(GetLastActivePopup(top->handle)); popup && popup != top) {
        top = popup;
      } else {
        return;
      }
    }
    HWND focus = GetFocus();
    HWND target = focus && GetTopLevel(focus) == top->handle ? focus : top->handle;
    PostInput(target, message, vk, lParam, Modifiers());
  }

  void HostText(HWND topHandle, std::string_view utf8) override {
    Window* top = FromHandle(topHandle);
    if (!top || !top->Enabled()) return;
    HWND focus = GetFocus();
    HWND target = focus && GetTopLevel(focus) == top->handle ? focus : top->handle;
    for (size_t i = 0; i < utf8.size();) {
      unsigned cp = NextCodePoint(utf8, &i);
      if (cp < 0x20 || cp == 0x7F) continue;  // control keys arrive as keys
      PostInput(target, WM_CHAR, cp, 1, Modifiers());
    }
  }

  void HostPreedit(HWND topHandle, std::string_view utf8) override {
    Window* top = FromHandle(topHandle);
    if (!top) return;
    HWND focus = GetFocus();
    if (!focus || GetTopLevel(focus) != top->handle) return;
    std::string text(utf8);
    SendMessageA(focus, WM_IME_COMPOSITION, 0, reinterpret_cast<LPARAM>(&text));
  }

  void HostCloseRequest(HWND topHandle) override {
    Window* top = FromHandle(topHandle);
    if (!top) return;
    if (!top->Enabled()) {
      if (Window* popup = FromHandle(GetLastActivePopup(top->handle)); popup && popup != top)
        SetActiveWindow(popup->handle);
      return;
    }
    // The close box is the window menu's Close.
    PostMessageA(topHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
  }

  void HostMinimized(HWND topHandle, bool minimized) override {
    Window* top = FromHandle(topHandle);
    if (!top || top->minimized == minimized) return;
    top->minimized = minimized;
    top->needsPaint = true;
    SendMessageA(topHandle, WM_SIZE, minimized ? SIZE_MINIMIZED : SIZE_RESTORED, 0);
    InvalidateTopLevel(top);
  }

  void HostActivated(HWND topHandle, bool active) override {
    Window* top = FromHandle(topHandle);
    if (!top || !active) return;
    if (!top->Enabled()) {
      Window* popup = FromHandle(GetLastActivePopup(top->handle));
      if (popup && popup != top && host::GetHost()) host::GetHost()->Activate(popup->handle);
      return;
    }
    if (top->cls == WindowClass::PopupMenu) return;
    ActivateFromHost(top);
  }

  void HostMoved(HWND topHandle, int x, int y) override {
    Window* top = FromHandle(topHandle);
    if (!top) return;
    int w = top->rect.right - top->rect.left;
    int h = top->rect.bottom - top->rect.top;
    top->rect = RECT{x, y, x + w, y + h};
  }

  void HostPaint(HWND topHandle, cairo_t* cr) override {
    Window* top = FromHandle(topHandle);
    if (!top) return;
    render::DrawScene(cr, BuildScene(top), FontOf(top));
  }
};

}  // namespace

void InitWindowSystem(host::Host* h) {
  static Sink sink;
  host::SetHost(h);
  if (h) h->SetSink(&sink);
}

}  // namespace win
