#include "bench/BlockingHost.h"

void BlockingHost::Post(Task task) {
  {
    std::lock_guard lock(m_mutex);
    m_tasks.push_back(std::move(task));
  }
  m_changed.notify_all();
}

bool BlockingHost::WaitShown(std::chrono::milliseconds timeout) {
  std::unique_lock lock(m_mutex);
  return m_changed.wait_for(lock, timeout, [this] { return m_shown; });
}

void BlockingHost::ShowTopLevel(HWND, bool show) {
  if (!show) return;
  {
    std::lock_guard lock(m_mutex);
    m_shown = true;
  }
  m_changed.notify_all();
}

void BlockingHost::Click(HWND top, int x, int y) {
  if (m_sink == nullptr) return;
  m_sink->HostMouse(top, WM_MOUSEMOVE, x, y, 0, 0);
  m_sink->HostMouse(top, WM_LBUTTONDOWN, x, y, MK_LBUTTON, 0);
  m_sink->HostMouse(top, WM_LBUTTONUP, x, y, 0, 0);
}

void BlockingHost::Wait() {
  std::deque<Task> tasks;
  {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_woken || !m_tasks.empty(); });
    m_woken = false;
    tasks.swap(m_tasks);
  }
  // The tasks run outside the lock: they act on the program, which posts
  // messages and so calls Wake.
  for (Task& task : tasks) task();
}

void BlockingHost::Wake() {
  {
    std::lock_guard lock(m_mutex);
    m_woken = true;
  }
  m_changed.notify_all();
}
