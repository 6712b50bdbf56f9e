#pragma once
// The host for tests: no display and no sound card. It keeps what a native
// host would show (captions, positions, icons, which windows are up) for
// tests to inspect, draws a window to a PNG on request with the same
// renderer as the screen, and plays a script of input: whenever the program
// waits with nothing queued, the next step runs. A wait with no step left
// means the program waits for something the test never does, and ends the
// run with ScriptExhausted.

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "platform/host/Host.h"

namespace host {

struct ScriptExhausted : std::runtime_error {
  explicit ScriptExhausted(const std::string& what) : std::runtime_error(what) {}
};

class HeadlessHost : public Host {
 public:
  struct TopLevel {
    TopLevelInfo info;
    std::string caption;
    RECT client;
    bool shown = false;
    bool enabled = true;
    bool minimized = false;
    const win::IconImage* bigIcon = nullptr;
    const win::IconImage* smallIcon = nullptr;
  };

  explicit HeadlessHost(RECT workArea = RECT{0, 0, 1024, 738}, double dpi = 96.0);

  // The script.
  using Step = std::function<void()>;
  void Then(Step step);
  size_t StepsLeft() const { return m_script.size(); }
  int WaitCount() const { return m_waits; }

  // Input, delivered as a native host would deliver it.
  void Mouse(HWND top, UINT message, int x, int y, WPARAM keys = 0, int wheel = 0);
  void Click(HWND top, int x, int y);
  void RightClick(HWND top, int x, int y);
  void Key(HWND top, UINT vk, unsigned modifiers = 0);
  void KeyDown(HWND top, UINT vk, unsigned modifiers = 0);
  void KeyUp(HWND top, UINT vk, unsigned modifiers = 0);
  void Text(HWND top, const std::string& utf8);
  void CloseRequest(HWND top);
  void SetIconified(HWND top, bool minimized);

  // What a native host would show.
  const TopLevel* Find(HWND top) const;
  std::vector<HWND> ShownWindows() const;
  HWND ActiveWindow() const { return m_active; }
  HWND PointerGrab() const { return m_grab; }
  // The last text caret reported for an input method, and its window.
  HWND TextCursorWindow() const { return m_textCursorWindow; }
  RECT TextCursor() const { return m_textCursor; }
  // Renders `top` into a PNG file; false if it is not a window of ours.
  bool WritePng(HWND top, const std::string& path, double scale = 1.0);
  HostSink* Sink() const { return m_sink; }

  // Host.
  void SetSink(HostSink* sink) override { m_sink = sink; }
  void CreateTopLevel(const TopLevelInfo& info) override;
  void DestroyTopLevel(HWND top) override;
  void ShowTopLevel(HWND top, bool show) override;
  void MoveTopLevel(HWND top, const RECT& client) override;
  void SetCaption(HWND top, std::string_view caption) override;
  void SetIcons(HWND top, const win::IconImage* big, const win::IconImage* small) override;
  void SetEnabled(HWND top, bool enabled) override;
  void SetMinimized(HWND top, bool minimized) override;
  void Activate(HWND top) override { m_active = top; }
  void Invalidate(HWND) override {}
  void GrabPointer(HWND top) override { m_grab = top; }
  void SetTextCursor(HWND top, const RECT& caret) override {
    m_textCursorWindow = top;
    m_textCursor = caret;
  }
  RECT WorkArea() override { return m_workArea; }
  double Dpi() override { return m_dpi; }
  unsigned KeyState() override { return m_modifiers; }
  void Wait() override;
  void Poll() override {}
  void Wake() override { m_woken = true; }
  std::string GetClipboardText() override { return m_clipboard; }
  void SetClipboardText(std::string_view utf8) override { m_clipboard = std::string(utf8); }

 private:
  HostSink* m_sink = nullptr;
  std::map<HWND, TopLevel> m_windows;
  std::vector<HWND> m_order;
  std::deque<Step> m_script;
  RECT m_workArea;
  double m_dpi;
  unsigned m_modifiers = 0;
  HWND m_active = nullptr;
  HWND m_grab = nullptr;
  HWND m_textCursorWindow = nullptr;
  RECT m_textCursor;
  std::atomic<bool> m_woken{false};
  std::string m_clipboard;
  int m_waits = 0;
};

}  // namespace host
