#include "platform/win/Window.h"

#include <algorithm>
#include <unordered_map>

#include "platform/host/Host.h"

namespace win {

namespace {

// Handles are small numbers disguised as pointers; they are never
// dereferenced, only looked up, and never reused while the process runs.
struct HandleTable {
  std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows;
  std::vector<Window*> topLevels;
  std::uintptr_t next = 0x10010;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

}  // namespace

Window* FromHandle(HWND hwnd) {
  auto& table = Table();
  auto it = table.windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
  if (it == table.windows.end() || it->second->destroyed) return nullptr;
  return it->second.get();
}

Window* NewWindow() {
  auto& table = Table();
  auto window = std::make_unique<Window>();
  std::uintptr_t key = table.next;
  table.next += 4;
  window->handle = reinterpret_cast<HWND>(key);
  Window* raw = window.get();
  table.windows.emplace(key, std::move(window));
  return raw;
}

void ForgetWindow(Window* window) {
  auto& table = Table();
  std::erase(table.topLevels, window);
  table.windows.erase(reinterpret_cast<std::uintptr_t>(window->handle));
}

void RegisterTopLevel(Window* window) { Table().topLevels.push_back(window); }

std::vector<Window*> TopLevelWindows() {
  std::vector<Window*> result;
  for (Window* w : Table().topLevels)
    if (!w->destroyed) result.push_back(w);
  return result;
}

Window* TopLevelOf(Window* window) {
  while (window && window->IsChild() && window->parent) window = window->parent;
  return window;
}

RECT RectInTopLevel(const Window* window) {
  if (!window->IsChild()) {
    return RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
  }
  RECT r = window->rect;
  for (const Window* p = window->parent; p && p->IsChild(); p = p->parent) {
    r.left += p->rect.left;
    r.right += p->rect.left;
    r.top += p->rect.top;
    r.bottom += p->rect.top;
  }
  return r;
}

void InvalidateTopLevel(Window* window) {
  Window* top = TopLevelOf(window);
  if (!top || top->destroyed) return;
  if (host::Host* h = host::GetHost()) h->Invalidate(top->handle);
}

}  // namespace win
