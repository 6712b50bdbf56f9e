#pragma once
// The seam between the window system and whatever shows its windows: the GTK
// host on a desktop, the headless host in tests. A host only translates: it
// turns native events into calls on the HostSink (which the window system
// implements) and the window system's requests into native windows. It never
// calls program code and owns no rule of dialogs, focus or keys.

#include <string>
#include <string_view>

#include "platform/win/Resources.h"
#include "platform/win/WinTypes.h"

typedef struct _cairo cairo_t;

namespace host {

// Implemented by the window system. Coordinates are client pixels of `top`.
class HostSink {
 public:
  virtual ~HostSink() = default;
  // WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
  // WM_MOUSEMOVE, or WM_MOUSEWHEEL with `wheel` in multiples of WHEEL_DELTA.
  virtual void HostMouse(HWND top, UINT message, int x, int y, WPARAM keys, int wheel) = 0;
  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP; `lParam` carries
  // KF_ALTDOWN_LPARAM when Alt is held. Shift and Control state is read back
  // through KeyState().
  virtual void HostKey(HWND top, UINT message, UINT vk, LPARAM lParam) = 0;
  // Text committed by the keyboard or the input method, UTF-8.
  virtual void HostText(HWND top, std::string_view utf8) = 0;
  // Pre-edit text of the input method, empty when composition ends.
  virtual void HostPreedit(HWND top, std::string_view utf8) = 0;
  // The window manager's close box or Alt+F4.
  virtual void HostCloseRequest(HWND top) = 0;
  virtual void HostMinimized(HWND top, bool minimized) = 0;
  virtual void HostActivated(HWND top, bool active) = 0;
  // The window manager moved the window; client origin in screen pixels.
  virtual void HostMoved(HWND top, int x, int y) = 0;
  // Paint the whole client area of `top` into `cr` (logical pixels).
  virtual void HostPaint(HWND top, cairo_t* cr) = 0;
};

enum class TopLevelKind { Dialog, PopupMenu };

// What a host needs to make the native window for one of our top-levels.
struct TopLevelInfo {
  HWND hwnd = nullptr;
  TopLevelKind kind = TopLevelKind::Dialog;
  std::string caption;
  RECT client;  // client rectangle in screen pixels
  HWND owner = nullptr;
  bool minimizeBox = false;
  bool appWindow = false;  // its own taskbar entry
};

// Modifier state for KeyState().
constexpr unsigned kModShift = 1;
constexpr unsigned kModControl = 2;
constexpr unsigned kModAlt = 4;

class Host {
 public:
  virtual ~Host() = default;
  virtual void SetSink(HostSink* sink) = 0;

  virtual void CreateTopLevel(const TopLevelInfo& info) = 0;
  virtual void DestroyTopLevel(HWND top) = 0;
  virtual void ShowTopLevel(HWND top, bool show) = 0;
  virtual void MoveTopLevel(HWND top, const RECT& client) = 0;
  virtual void SetCaption(HWND top, std::string_view caption) = 0;
  virtual void SetIcons(HWND top, const win::IconImage* big, const win::IconImage* small) = 0;
  // A disabled top-level takes no input (a modal loop runs above it).
  virtual void SetEnabled(HWND top, bool enabled) = 0;
  virtual void SetMinimized(HWND top, bool minimized) = 0;
  virtual void Activate(HWND top) = 0;
  virtual void Invalidate(HWND top) = 0;
  // Pointer grab for popup menus and dragging; nullptr releases it.
  virtual void GrabPointer(HWND top) = 0;
  // Where the text caret of the focused edit is, in client pixels of `top`,
  // so that an input method can show its candidates beside it.
  virtual void SetTextCursor(HWND top, const RECT& caret) = 0;

  virtual RECT WorkArea() = 0;
  virtual double Dpi() = 0;
  virtual unsigned KeyState() = 0;  // kMod* bits held now

  // Blocks until at least one native event has been handled or Wake() was
  // called. Wake() may be called from any thread.
  virtual void Wait() = 0;
  // Handles native events that are already pending, without blocking.
  virtual void Poll() = 0;
  virtual void Wake() = 0;

  virtual std::string GetClipboardText() = 0;
  virtual void SetClipboardText(std::string_view utf8) = 0;
};

// The host the window system uses; set once at start-up.
void SetHost(Host* host);
Host* GetHost();

}  // namespace host
