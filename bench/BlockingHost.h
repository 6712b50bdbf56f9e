#pragma once
// A host with no display for benchmarks that run the whole program in real
// time. Wait blocks on a condition variable until Wake is called or a task
// is posted, so a waiting UI thread costs no CPU, as on a desktop. Another
// thread drives the program by posting tasks, which run on the UI thread
// the next time it waits, the way input arrives from a real host. Windows
// are only remembered as far as the driving thread needs: whether one has
// been shown.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/host/Host.h"

class BlockingHost : public host::Host {
 public:
  using Task = std::function<void()>;

  // Runs `task` on the UI thread when it next waits. Any thread may call it.
  void Post(Task task);
  // Blocks the calling thread until a top-level window has been shown, or
  // until the timeout; false on the timeout.
  bool WaitShown(std::chrono::milliseconds timeout);
  // The window system's side; for tasks, which run on the UI thread.
  host::HostSink* Sink() const { return m_sink; }
  // Presses and releases the left button at (x, y) of `top`'s client area,
  // as a click arrives from a real host. On the UI thread only.
  void Click(HWND top, int x, int y);

  void SetSink(host::HostSink* sink) override { m_sink = sink; }
  void CreateTopLevel(const host::TopLevelInfo&) override {}
  void DestroyTopLevel(HWND) override {}
  void ShowTopLevel(HWND top, bool show) override;
  void MoveTopLevel(HWND, const RECT&) override {}
  void SetCaption(HWND, std::string_view) override {}
  void SetIcons(HWND, const win::IconImage*, const win::IconImage*) override {}
  void SetEnabled(HWND, bool) override {}
  void SetMinimized(HWND, bool) override {}
  void Activate(HWND) override {}
  void Invalidate(HWND) override {}
  void GrabPointer(HWND) override {}
  void SetTextCursor(HWND, const RECT&) override {}
  RECT WorkArea() override { return RECT{0, 0, 1280, 1024}; }
  double Dpi() override { return 96.0; }
  unsigned KeyState() override { return 0; }
  void Wait() override;
  void Poll() override {}
  void Wake() override;
  std::string GetClipboardText() override { return {}; }
  void SetClipboardText(std::string_view) override {}

 private:
  host::HostSink* m_sink = nullptr;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<Task> m_tasks;
  bool m_woken = false;
  bool m_shown = false;
};
