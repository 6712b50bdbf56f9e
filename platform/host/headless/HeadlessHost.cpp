#include "platform/host/headless/HeadlessHost.h"

#include <cairo.h>

#include <algorithm>

namespace host {

HeadlessHost::HeadlessHost(RECT workArea, double dpi) : m_workArea(workArea), m_dpi(dpi) {}

void HeadlessHost::Then(Step step) { m_script.push_back(std::move(step)); }

void HeadlessHost::Wait() {
  ++m_waits;
  if (m_woken.exchange(false)) return;
  if (m_script.empty())
    throw ScriptExhausted("the program waits for input, but the test script has no step left");
  Step step = std::move(m_script.front());
  m_script.pop_front();
  step();
}

void HeadlessHost::Mouse(HWND top, UINT message, int x, int y, WPARAM keys, int wheel) {
  if (m_sink) m_sink->HostMouse(top, message, x, y, keys, wheel);
}

void HeadlessHost::Click(HWND top, int x, int y) {
  Mouse(top, WM_MOUSEMOVE, x, y, 0);
  Mouse(top, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  Mouse(top, WM_LBUTTONUP, x, y, 0);
}

void HeadlessHost::RightClick(HWND top, int x, int y) {
  Mouse(top, WM_RBUTTONDOWN, x, y, MK_RBUTTON);
  Mouse(top, WM_RBUTTONUP, x, y, 0);
}

void HeadlessHost::KeyDown(HWND top, UINT vk, unsigned modifiers) {
  m_modifiers = modifiers;
  if (!m_sink) return;
  bool alt = modifiers & kModAlt;
  UINT message = (alt || vk == VK_F10) ? WM_SYSKEYDOWN : WM_KEYDOWN;
  m_sink->HostKey(top, message, vk, alt ? KF_ALTDOWN_LPARAM : 0);
}

void HeadlessHost::KeyUp(HWND top, UINT vk, unsigned modifiers) {
  if (m_sink) {
    bool alt = modifiers & kModAlt;
    UINT message = (alt || vk == VK_F10) ? WM_SYSKEYUP : WM_KEYUP;
    m_sink->HostKey(top, message, vk, alt ? KF_ALTDOWN_LPARAM : 0);
  }
  m_modifiers = 0;
}

void HeadlessHost::Key(HWND top, UINT vk, unsigned modifiers) {
  KeyDown(top, vk, modifiers);
  KeyUp(top, vk, modifiers);
}

void HeadlessHost::Text(HWND top, const std::string& utf8) {
  if (m_sink) m_sink->HostText(top, utf8);
}

void HeadlessHost::CloseRequest(HWND top) {
  if (m_sink) m_sink->HostCloseRequest(top);
}

void HeadlessHost::SetIconified(HWND top, bool minimized) {
  auto it = m_windows.find(top);
  if (it == m_windows.end()) return;
  it->second.minimized = minimized;
  if (m_sink) m_sink->HostMinimized(top, minimized);
}

const HeadlessHost::TopLevel* HeadlessHost::Find(HWND top) const {
  auto it = m_windows.find(top);
  return it == m_windows.end() ? nullptr : &it->second;
}

std::vector<HWND> HeadlessHost::ShownWindows() const {
  std::vector<HWND> shown;
  for (HWND h : m_order)
    if (auto* t = Find(h); t && t->shown) shown.push_back(h);
  return shown;
}

bool HeadlessHost::WritePng(HWND top, const std::string& path, double scale) {
  const TopLevel* t = Find(top);
  if (!t || !m_sink) return false;
  int width = t->client.right - t->client.left;
  int height = t->client.bottom - t->client.top;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width * scale + 0.5),
                                                        static_cast<int>(height * scale + 0.5));
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
  m_sink->HostPaint(top, cr);
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

void HeadlessHost::CreateTopLevel(const TopLevelInfo& info) {
  TopLevel t;
  t.info = info;
  t.caption = info.caption;
  t.client = info.client;
  m_windows[info.hwnd] = t;
  m_order.push_back(info.hwnd);
}

void HeadlessHost::DestroyTopLevel(HWND top) {
  m_windows.erase(top);
  std::erase(m_order, top);
  if (m_active == top) m_active = nullptr;
  if (m_grab == top) m_grab = nullptr;
}

void HeadlessHost::ShowTopLevel(HWND top, bool show) {
  if (auto it = m_windows.find(top); it != m_windows.end()) it->second.shown = show;
}

void HeadlessHost::MoveTopLevel(HWND top, const RECT& client) {
  if (auto it = m_windows.find(top); it != m_windows.end()) it->second.client = client;
}

void HeadlessHost::SetCaption(HWND top, std::string_view caption) {
  if (auto it = m_windows.find(top); it != m_windows.end()) it->second.caption = std::string(caption);
}

void HeadlessHost::SetIcons(HWND top, const win::IconImage* big, const win::IconImage* small) {
  if (auto it = m_windows.find(top); it != m_windows.end()) {
    it->second.bigIcon = big;
    it->second.smallIcon = small;
  }
}

void HeadlessHost::SetEnabled(HWND top, bool enabled) {
  if (auto it = m_windows.find(top); it != m_windows.end()) it->second.enabled = enabled;
}

void HeadlessHost::SetMinimized(HWND top, bool minimized) {
  if (auto it = m_windows.find(top); it != m_windows.end()) it->second.minimized = minimized;
}

}  // namespace host
