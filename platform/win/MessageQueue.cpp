// The thread's message queue. Posting is the one thing another thread may
// do: it appends under the lock and wakes the host. Everything else runs on
// the UI thread. A pending repaint of a top-level window is reported as
// WM_PAINT only when nothing else is queued, as repaints always were.

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>

#include "platform/host/Host.h"
#include "platform/win/WinApi.h"
#include "platform/win/Window.h"
#include "platform/win/WindowSystem.h"

namespace {

struct Queue {
  std::mutex lock;
  std::deque<MSG> messages;
};

Queue& TheQueue() {
  static Queue queue;
  return queue;
}

DWORD Now() {
  using namespace std::chrono;
  return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool Matches(const MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (hwnd && msg.hwnd != hwnd && !IsChild(hwnd, msg.hwnd)) return false;
  if (filterMin == 0 && filterMax == 0) return true;
  return msg.message >= filterMin && msg.message <= filterMax;
}

// A top-level window waiting for WM_PAINT, if any.
win::Window* PendingPaint(HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!(filterMin == 0 && filterMax == 0) && !(WM_PAINT >= filterMin && WM_PAINT <= filterMax)) return nullptr;
  for (win::Window* w : win::TopLevelWindows()) {
    if (!w->needsPaint || !w->Visible()) continue;
    if (hwnd && w->handle != hwnd) continue;
    return w;
  }
  return nullptr;
}

// Written on the UI thread only; read by posts from any thread.
std::atomic<unsigned> g_modifiers{0};

bool IsInput(UINT message) {
  return (message >= WM_KEYDOWN && message <= 0x0109) || (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL);
}

void InsertFront(const MSG& msg) {
  auto& q = TheQueue();
  std::lock_guard<std::mutex> guard(q.lock);
  q.messages.push_front(msg);
}

}  // namespace

// Appends a message and wakes the host, from any thread.
static void Enqueue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned modifiers) {
  MSG msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = Now();
  msg.modifiers = modifiers;
  {
    auto& q = TheQueue();
    std::lock_guard<std::mutex> guard(q.lock);
    q.messages.push_back(msg);
  }
  if (host::Host* h = host::GetHost()) h->Wake();
}

namespace win {

unsigned CurrentModifiers() { return g_modifiers; }

void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned modifiers) {
  Enqueue(hwnd, message, wParam, lParam, modifiers);
}

}  // namespace win

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Enqueue(hwnd, message, wParam, lParam, g_modifiers);
  return TRUE;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  win::Window* w = win::FromHandle(hwnd);
  if (!w || !w->proc) return 0;
  return w->proc(hwnd, message, wParam, lParam);
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (host::Host* h = host::GetHost()) h->Poll();
  {
    auto& q = TheQueue();
    std::lock_guard<std::mutex> guard(q.lock);
    for (auto it = q.messages.begin(); it != q.messages.end(); ++it) {
      if (!Matches(*it, hwnd, filterMin, filterMax)) continue;
      *msg = *it;
      if (removeFlags & PM_REMOVE) {
        q.messages.erase(it);
        if (IsInput(msg->message)) g_modifiers = msg->modifiers;
      }
      return TRUE;
    }
  }
  if (win::Window* w = PendingPaint(hwnd, filterMin, filterMax)) {
    *msg = MSG{};
    msg->hwnd = w->handle;
    msg->message = WM_PAINT;
    msg->time = Now();
    return TRUE;
  }
  return FALSE;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  while (!PeekMessageA(msg, hwnd, filterMin, filterMax, PM_REMOVE)) {
    host::GetHost()->Wait();
  }
  return msg->message == 0x0012 /* WM_QUIT */ ? FALSE : TRUE;
}

BOOL WaitMessage() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  host::GetHost()->Wait();
  return TRUE;
}

void PostQuitMessage(int exitCode) { PostMessageA(nullptr, 0x0012, static_cast<WPARAM>(exitCode), 0); }

// The character a key stands for in a dialog, as WM_CHAR (Enter, Escape,
// Tab, Backspace; printable keys arrive as committed text instead) or, with
// Alt held, as WM_SYSCHAR for mnemonics and the window menu; 0 for none.
static WPARAM CharacterOf(const MSG& msg) {
  WPARAM vk = msg.wParam;
  if (msg.message == WM_KEYDOWN) {
    switch (vk) {
      case VK_RETURN: return '\r';
      case VK_ESCAPE: return 0x1B;
      case VK_TAB: return '\t';
      case VK_BACK: return 0x08;
      default: return 0;
    }
  }
  if (msg.message == WM_SYSKEYDOWN && (msg.lParam & KF_ALTDOWN_LPARAM)) {
    if (vk >= 'A' && vk <= 'Z') return vk - 'A' + 'a';
    if ((vk >= '0' && vk <= '9') || vk == VK_SPACE) return vk;
  }
  return 0;
}

BOOL TranslateMessage(const MSG* msg) {
  WPARAM ch = CharacterOf(*msg);
  if (!ch) return FALSE;
  MSG chMsg = *msg;
  chMsg.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  chMsg.wParam = ch;
  InsertFront(chMsg);
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg->hwnd) return 0;
  win::Window* w = win::FromHandle(msg->hwnd);
  if (!w || !w->proc) return 0;
  LRESULT result = w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  if (msg->message == WM_PAINT) {
    // A window procedure that did not validate its window is not asked again
    // and again; the repaint request is taken as served.
    if (win::Window* again = win::FromHandle(msg->hwnd)) again->needsPaint = false;
  }
  return result;
}
