// The window menu: built on first use with the commands this kind of window
// has, extended by the program, and shown as a popup menu that runs a small
// modal loop of its own. The chosen command goes to the window as
// WM_SYSCOMMAND once the menu has closed.

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/render/ControlGeometry.h"
#include "platform/win/WindowSystem.h"

namespace win {

namespace {

bool Selectable(const MenuItem& item) { return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)); }

std::vector<RECT> LayoutLines(const render::Font& font, const MenuHandle& menu, int* width, int* height) {
  int w = 0;
  for (const auto& item : menu.items)
    if (!(item.flags & MF_SEPARATOR)) w = std::max(w, render::MenuLineWidth(font, item.text));
  std::vector<RECT> rects;
  int y = render::kMenuFrame;
  for (const auto& item : menu.items) {
    int h = render::MenuLineHeight(font, (item.flags & MF_SEPARATOR) != 0);
    rects.push_back(RECT{render::kMenuFrame, y, render::kMenuFrame + w, y + h});
    y += h;
  }
  *width = w + 2 * render::kMenuFrame;
  *height = y + render::kMenuFrame;
  return rects;
}

int LineAt(Window* popup, int x, int y) {
  int width = 0, height = 0;
  auto rects = LayoutLines(FontOf(popup), *popup->popupMenu, &width, &height);
  for (size_t i = 0; i < rects.size(); ++i) {
    const RECT& r = rects[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
  }
  return -1;
}

void Highlight(Window* popup, int index) {
  if (popup->selected == index) return;
  popup->selected = index;
  InvalidateTopLevel(popup);
}

void Step(Window* popup, int direction) {
  auto& items = popup->popupMenu->items;
  int n = static_cast<int>(items.size());
  if (n == 0) return;
  int i = popup->selected;
  for (int k = 0; k < n; ++k) {
    i = i < 0 ? (direction > 0 ? 0 : n - 1) : (i + direction + n) % n;
    if (Selectable(items[static_cast<size_t>(i)])) {
      Highlight(popup, i);
      return;
    }
  }
}

int MnemonicIndex(const MenuHandle& menu, int ch) {
  for (size_t i = 0; i < menu.items.size(); ++i) {
    const auto& text = menu.items[i].text;
    for (size_t k = 0; k + 1 < text.size(); ++k) {
      if (text[k] != '&') continue;
      if (text[k + 1] == '&') {
        ++k;
        continue;
      }
      if (std::tolower(static_cast<unsigned char>(text[k + 1])) == std::tolower(ch) && Selectable(menu.items[i]))
        return static_cast<int>(i);
      break;
    }
  }
  return -1;
}

struct MenuLoop {
  Window* popup = nullptr;
  bool done = false;
  UINT chosen = 0;
};

MenuLoop* g_loop = nullptr;

void Choose(MenuLoop* loop, int index) {
  auto& items = loop->popup->popupMenu->items;
  if (index < 0 || index >= static_cast<int>(items.size()) || !Selectable(items[static_cast<size_t>(index)])) return;
  loop->chosen = items[static_cast<size_t>(index)].id;
  loop->done = true;
}

LRESULT MenuWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* popup = FromHandle(hwnd);
  MenuLoop* loop = g_loop;
  if (!popup || !loop || loop->popup != popup) return DefWindowProcA(hwnd, message, wParam, lParam);
  int x = GET_X_LPARAM(lParam);
  int y = GET_Y_LPARAM(lParam);
  bool inside = x >= 0 && y >= 0 && x < popup->rect.right - popup->rect.left && y < popup->rect.bottom - popup->rect.top;
  switch (message) {
    case WM_MOUSEMOVE:
      Highlight(popup, inside ? LineAt(popup, x, y) : -1);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (!inside) loop->done = true;
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (inside) Choose(loop, LineAt(popup, x, y));
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// Keys go to the menu while it is open, whatever window has the focus.
bool MenuKey(MenuLoop* loop, const MSG& msg) {
  Window* popup = loop->popup;
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      switch (msg.wParam) {
        case VK_UP: Step(popup, -1); break;
        case VK_DOWN: Step(popup, +1); break;
        case VK_RETURN: Choose(loop, popup->selected); break;
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10:
        case VK_LEFT:
        case VK_RIGHT: loop->done = true; break;
        default:
          if ((msg.wParam >= 'A' && msg.wParam <= 'Z') || (msg.wParam >= '0' && msg.wParam <= '9')) {
            int index = MnemonicIndex(*popup->popupMenu, static_cast<int>(msg.wParam));
            if (index >= 0) Choose(loop, index);
          }
          break;
      }
      return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
      return true;
    default:
      return false;
  }
}

}  // namespace

void DescribeMenu(Window* popup, render::SceneView& scene) {
  if (!popup->popupMenu) return;
  int width = 0, height = 0;
  auto rects = LayoutLines(FontOf(popup), *popup->popupMenu, &width, &height);
  for (size_t i = 0; i < rects.size(); ++i) {
    const auto& item = popup->popupMenu->items[i];
    render::MenuLineView line;
    line.text = item.text;
    line.separator = (item.flags & MF_SEPARATOR) != 0;
    line.enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
    line.highlighted = static_cast<int>(i) == popup->selected;
    line.rect = rects[i];
    scene.menu.push_back(line);
  }
}

}  // namespace win

using win::FromHandle;
using win::Window;

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  Window* w = FromHandle(hwnd);
  if (!w || w->IsChild()) return nullptr;
  if (revert) {
    w->systemMenu.reset();
    return nullptr;
  }
  if (!w->systemMenu) {
    w->systemMenu = std::make_unique<MenuHandle>();
    if (w->style & WS_MINIMIZEBOX) w->systemMenu->items.push_back({MF_STRING, SC_MINIMIZE, "最小化(&N)"});
    w->systemMenu->items.push_back({MF_STRING, SC_CLOSE, "閉じる(&C)\tAlt+F4"});
  }
  return w->systemMenu.get();
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT id, LPCSTR text) {
  if (!menu) return FALSE;
  win::MenuItem item;
  item.flags = flags;
  item.id = (flags & MF_SEPARATOR) ? 0 : id;
  item.text = (flags & MF_SEPARATOR) || !text ? "" : text;
  menu->items.push_back(item);
  return TRUE;
}

int GetMenuItemCount(HMENU menu) { return menu ? static_cast<int>(menu->items.size()) : -1; }

UINT GetMenuItemID(HMENU menu, int position) {
  if (!menu || position < 0 || position >= static_cast<int>(menu->items.size())) return static_cast<UINT>(-1);
  const auto& item = menu->items[static_cast<size_t>(position)];
  return (item.flags & MF_SEPARATOR) ? 0 : item.id;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
  if (!menu) return 0;
  const win::MenuItem* found = nullptr;
  if (flags & MF_BYPOSITION) {
    if (item < menu->items.size()) found = &menu->items[item];
  } else {
    for (const auto& i : menu->items)
      if (!(i.flags & MF_SEPARATOR) && i.id == item) found = &i;
  }
  if (!found) return 0;
  if (!buffer || size <= 0) return static_cast<int>(found->text.size());
  size_t n = std::min(static_cast<size_t>(size - 1), found->text.size());
  std::memcpy(buffer, found->text.data(), n);
  buffer[n] = 0;
  return static_cast<int>(n);
}

void TrackSystemMenu(HWND hwnd, int x, int y, BOOL fromKeyboard) {
  Window* top = FromHandle(GetTopLevel(hwnd));
  if (!top || win::g_loop) return;
  HMENU menu = GetSystemMenu(top->handle, FALSE);
  if (!menu || menu->items.empty()) return;
  int width = 0, height = 0;
  win::LayoutLines(win::FontOf(top), *menu, &width, &height);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  int sx = std::clamp(static_cast<int>(top->rect.left) + x, static_cast<int>(work.left), std::max(static_cast<int>(work.left), static_cast<int>(work.right) - width));
  int sy = std::clamp(static_cast<int>(top->rect.top) + y, static_cast<int>(work.top), std::max(static_cast<int>(work.top), static_cast<int>(work.bottom) - height));
  Window* popup = win::CreateTopLevelWindow(win::WindowClass::PopupMenu, WS_POPUP, WS_EX_TOPMOST, "",
                                            RECT{sx, sy, sx + width, sy + height}, top->handle, win::MenuWindowProc,
                                            0, host::TopLevelKind::PopupMenu);
  popup->font = top->font;
  popup->popupMenu = menu;
  popup->selected = -1;
  win::MenuLoop loop;
  loop.popup = popup;
  win::g_loop = &loop;
  struct Cleanup {
    Window* popup;
    bool pending = true;
    ~Cleanup() { Run(); }
    void Run() {
      if (!pending) return;
      pending = false;
      win::g_loop = nullptr;
      if (GetCapture() == popup->handle) ReleaseCapture();
      if (host::GetHost()) host::GetHost()->GrabPointer(nullptr);
      DestroyWindow(popup->handle);
    }
  } cleanup{popup};
  popup->style |= WS_VISIBLE;
  if (host::GetHost()) {
    host::GetHost()->ShowTopLevel(popup->handle, true);
    host::GetHost()->GrabPointer(popup->handle);
  }
  SetCapture(popup->handle);
  if (fromKeyboard) win::Step(popup, +1);
  while (!loop.done) {
    MSG msg;
    GetMessageA(&msg, nullptr, 0, 0);
    if (!IsWindow(top->handle)) break;
    if (win::MenuKey(&loop, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  UINT chosen = loop.chosen;
  HWND target = top->handle;
  // The popup goes before the command runs: a command may open a dialog.
  cleanup.Run();
  if (chosen && IsWindow(target)) SendMessageA(target, WM_SYSCOMMAND, chosen, 0);
}
