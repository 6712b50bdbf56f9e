#pragma once
// The host that shows the window system's top-level windows on a desktop
// through GTK 3. It creates one GtkTopLevel per window, runs the GLib main
// context for the window system's message loop (Wait, Poll, Wake) and
// answers questions about the desktop: work area, resolution, clipboard,
// modifier keys. Windows are placed at absolute screen positions, so on a
// Wayland desktop it prefers the X11 backend (XWayland).

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/host/Host.h"
#include "platform/host/gtk/ClickCounter.h"

typedef struct _GdkWindow GdkWindow;

namespace host {

class GtkTopLevel;

class GtkHost final : public Host {
 public:
  // Initialises GTK; nullptr (with a message on stderr) when no display can
  // be opened.
  static std::unique_ptr<GtkHost> Create(int* argc, char*** argv);
  ~GtkHost() override;
  GtkHost(const GtkHost&) = delete;
  GtkHost& operator=(const GtkHost&) = delete;

  void SetSink(HostSink* sink) override { m_sink = sink; }
  void CreateTopLevel(const TopLevelInfo& info) override;
  void DestroyTopLevel(HWND top) override;
  void ShowTopLevel(HWND top, bool show) override;
  void MoveTopLevel(HWND top, const RECT& client) override;
  void SetCaption(HWND top, std::string_view caption) override;
  void SetIcons(HWND top, const win::IconImage* big, const win::IconImage* small) override;
  void SetEnabled(HWND top, bool enabled) override;
  void SetMinimized(HWND top, bool minimized) override;
  void Activate(HWND top) override;
  void Invalidate(HWND top) override;
  void GrabPointer(HWND top) override;
  void SetTextCursor(HWND top, const RECT& caret) override;

  RECT WorkArea() override;
  double Dpi() override;
  unsigned KeyState() override { return m_modifiers; }

  void Wait() override;
  void Poll() override;
  void Wake() override;

  std::string GetClipboardText() override;
  void SetClipboardText(std::string_view utf8) override;

  // For the windows' signal handlers.
  HostSink* Sink() const { return m_sink; }
  ClickCounter& Clicks() { return m_clicks; }
  // Records the modifier state of an event; a modifier key's own press or
  // release changes it, which the event's state does not show yet.
  void UpdateModifiers(unsigned gdkState, unsigned keyval = 0, bool press = false);
  // Key-down messages sent and not yet matched by a key-up.
  std::set<unsigned>& KeysDown() { return m_keysDown; }
  // True while an open popup menu holds the pointer and keyboard.
  bool PopupGrabHeld() const;
  // A window was mapped: a grab that waited for it can be taken now.
  void WindowMapped(HWND top);
  // Counts signal handlers that are calling out to the sink, so windows
  // destroyed meanwhile are freed only when none is.
  void EnterCallback() { ++m_callbackDepth; }
  void LeaveCallback() { --m_callbackDepth; }

 private:
  GtkHost();
  GtkTopLevel* Find(HWND top) const;
  void TakeGrab();
  void ReleaseGrab();
  void FreeRetired();

  HostSink* m_sink = nullptr;
  std::map<HWND, std::unique_ptr<GtkTopLevel>> m_windows;
  std::vector<std::unique_ptr<GtkTopLevel>> m_retired;
  int m_callbackDepth = 0;
  unsigned m_modifiers = 0;
  std::set<unsigned> m_keysDown;
  ClickCounter m_clicks;
  HWND m_grabTop = nullptr;  // the window that wants the pointer
  bool m_grabbed = false;    // the seat grab is in effect
};

}  // namespace host
