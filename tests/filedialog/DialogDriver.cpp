#include "DialogDriver.h"

#include <algorithm>

// Fontconfig loses a few bytes once per process while it reads its
// configuration; the leak checker of the sanitizer build looks past it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

HWND DialogDriver::Top() const { return GetActiveWindow(); }

RECT DialogDriver::RectOf(HWND control) const {
  RECT top;
  RECT r;
  GetWindowRect(GetTopLevel(control), &top);
  GetWindowRect(control, &r);
  return RECT{r.left - top.left, r.top - top.top, r.right - top.left, r.bottom - top.top};
}

void DialogDriver::Click(int id) {
  RECT r = RectOf(Item(id));
  m_host.Click(Top(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void DialogDriver::Mouse(HWND control, UINT message, int x, int y, WPARAM keys) {
  RECT r = RectOf(control);
  m_host.Mouse(GetTopLevel(control), message, r.left + x, r.top + y, keys);
}

namespace {

// The middle of line `index` of a list box with a sunken edge, which is
// two pixels wide; the list is scrolled to the top.
POINT LinePoint(const DialogDriver& driver, HWND list, int index) {
  RECT r = driver.RectOf(list);
  int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  return POINT{r.left + 10, r.top + 2 + (index - top) * height + height / 2};
}

}  // namespace

void DialogDriver::ClickLine(int listId, int index) {
  POINT p = LinePoint(*this, Item(listId), index);
  m_host.Click(Top(), p.x, p.y);
}

void DialogDriver::DoubleClickLine(int listId, int index) {
  POINT p = LinePoint(*this, Item(listId), index);
  HWND top = Top();
  m_host.Click(top, p.x, p.y);
  m_host.Mouse(top, WM_LBUTTONDBLCLK, p.x, p.y, MK_LBUTTON);
  m_host.Mouse(top, WM_LBUTTONUP, p.x, p.y, 0);
}

std::vector<std::string> DialogDriver::Lines(int listId) const {
  HWND list = Item(listId);
  std::vector<std::string> lines;
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string line(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

int DialogDriver::IndexOf(int listId, const std::string& line) const {
  std::vector<std::string> lines = Lines(listId);
  auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

std::string DialogDriver::Text(HWND hwnd) const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}
