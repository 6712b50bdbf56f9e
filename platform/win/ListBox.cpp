// The list box: an unsorted list of lines with one selection, a caret line,
// the keyboard and the mouse to move them, and a vertical scroll bar that
// appears when the lines do not fit. Selection changes made by the user are
// reported to the dialog as LBN_SELCHANGE when the box asks to notify.

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/render/ControlGeometry.h"
#include "platform/win/WindowSystem.h"

namespace win {

namespace {

int Count(const Window* w) { return static_cast<int>(w->items.size()); }

void Notify(Window* w, UINT code) {
  if (!(w->style & LBS_NOTIFY) || !w->parent) return;
  SendMessageA(w->parent->handle, WM_COMMAND, MAKELONG(static_cast<WORD>(w->id), static_cast<WORD>(code)),
               reinterpret_cast<LPARAM>(w->handle));
}

void ClampTop(Window* w) {
  int page = ListBoxPage(w);
  int maxTop = std::max(0, Count(w) - page);
  w->topIndex = std::clamp(w->topIndex, 0, maxTop);
}

void EnsureVisible(Window* w, int index) {
  if (index < 0) return;
  int page = ListBoxPage(w);
  if (index < w->topIndex) w->topIndex = index;
  else if (index >= w->topIndex + page) w->topIndex = index - page + 1;
  ClampTop(w);
}

// Moves selection and caret to `index` as the user did it.
void SelectByUser(Window* w, int index) {
  if (Count(w) == 0) return;
  index = std::clamp(index, 0, Count(w) - 1);
  bool changed = w->selected != index;
  w->selected = index;
  w->caretIndex = index;
  EnsureVisible(w, index);
  InvalidateTopLevel(w);
  if (changed) Notify(w, LBN_SELCHANGE);
}

void ScrollTo(Window* w, int top) {
  int old = w->topIndex;
  w->topIndex = top;
  ClampTop(w);
  if (old != w->topIndex) InvalidateTopLevel(w);
}

// Mouse position in the top-level's client pixels.
POINT ToTop(Window* w, LPARAM lParam) {
  RECT r = RectInTopLevel(w);
  return POINT{GET_X_LPARAM(lParam) + r.left, GET_Y_LPARAM(lParam) + r.top};
}

int LineAt(Window* w, POINT p) {
  render::ItemView view = DescribeControl(w);
  RECT lines = render::ListLinesRect(view);
  if (view.itemHeight <= 0 || p.x < lines.left || p.x >= lines.right) return -1;
  int y = std::clamp(static_cast<int>(p.y), static_cast<int>(lines.top), static_cast<int>(lines.bottom) - 1);
  int index = w->topIndex + (y - lines.top) / view.itemHeight;
  return index < Count(w) ? index : -1;
}

bool OnScrollBar(Window* w, POINT p, render::ScrollPart* part, render::ScrollBarLayout* layout) {
  render::ItemView view = DescribeControl(w);
  if (!view.vscroll.visible) return false;
  *layout = render::ComputeScrollBar(view);
  if (p.x < layout->bar.left || p.x >= layout->bar.right || p.y < layout->bar.top || p.y >= layout->bar.bottom)
    return false;
  *part = render::HitTestScrollBar(*layout, p);
  return true;
}

void ScrollByPart(Window* w, render::ScrollPart part) {
  int page = ListBoxPage(w);
  switch (part) {
    case render::ScrollPart::LineUp: ScrollTo(w, w->topIndex - 1); break;
    case render::ScrollPart::LineDown: ScrollTo(w, w->topIndex + 1); break;
    case render::ScrollPart::PageUp: ScrollTo(w, w->topIndex - page); break;
    case render::ScrollPart::PageDown: ScrollTo(w, w->topIndex + page); break;
    default: break;
  }
}

}  // namespace

LRESULT ListBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      const char* text = reinterpret_cast<const char*>(lParam);
      int index = static_cast<int>(static_cast<LPARAM>(wParam));
      if (message == LB_ADDSTRING || index < 0 || index > Count(w)) index = Count(w);
      w->items.insert(w->items.begin() + index, text ? text : "");
      if (w->selected >= index && message == LB_INSERTSTRING) ++w->selected;
      InvalidateTopLevel(w);
      return index;
    }
    case LB_DELETESTRING: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= Count(w)) return LB_ERR;
      w->items.erase(w->items.begin() + index);
      if (w->selected == index) w->selected = -1;
      else if (w->selected > index) --w->selected;
      if (w->caretIndex >= Count(w)) w->caretIndex = Count(w) - 1;
      ClampTop(w);
      InvalidateTopLevel(w);
      return Count(w);
    }
    case LB_RESETCONTENT:
      w->items.clear();
      w->selected = -1;
      w->caretIndex = -1;
      w->topIndex = 0;
      InvalidateTopLevel(w);
      return 0;
    case LB_GETCOUNT:
      return Count(w);
    case LB_GETCURSEL:
      return w->selected >= 0 ? w->selected : LB_ERR;
    case LB_SETCURSEL: {
      int index = static_cast<int>(static_cast<LPARAM>(wParam));
      if (index < 0 || index >= Count(w)) {
        w->selected = -1;
        InvalidateTopLevel(w);
        return LB_ERR;
      }
      w->selected = index;
      w->caretIndex = index;
      EnsureVisible(w, index);
      InvalidateTopLevel(w);
      return index;
    }
    case LB_GETTEXTLEN: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= Count(w)) return LB_ERR;
      return static_cast<LRESULT>(w->items[static_cast<size_t>(index)].size());
    }
    case LB_GETTEXT: {
      int index = static_cast<int>(wParam);
      char* buffer = reinterpret_cast<char*>(lParam);
      if (index < 0 || index >= Count(w) || !buffer) return LB_ERR;
      const std::string& text = w->items[static_cast<size_t>(index)];
      std::memcpy(buffer, text.c_str(), text.size() + 1);
      return static_cast<LRESULT>(text.size());
    }
    case LB_GETTOPINDEX:
      return w->topIndex;
    case LB_SETTOPINDEX:
      ScrollTo(w, static_cast<int>(wParam));
      return 0;
    case LB_GETITEMHEIGHT:
      return FontOf(w).Height();
    case LB_GETCARETINDEX:
      return w->caretIndex;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!w->Enabled()) return 0;
      SetFocus(hwnd);
      POINT p = ToTop(w, lParam);
      render::ScrollPart part = render::ScrollPart::None;
      render::ScrollBarLayout layout;
      if (OnScrollBar(w, p, &part, &layout)) {
        w->scrollPressed = part;
        if (part == render::ScrollPart::Thumb) w->thumbDragOffset = p.y - layout.thumb.top;
        else ScrollByPart(w, part);
        SetCapture(hwnd);
        InvalidateTopLevel(w);
        return 0;
      }
      int index = LineAt(w, p);
      if (index >= 0) {
        SelectByUser(w, index);
        if (message == WM_LBUTTONDBLCLK) Notify(w, LBN_DBLCLK);
      }
      w->selecting = true;
      SetCapture(hwnd);
      return 0;
    }
    case WM_MOUSEMOVE: {
      POINT p = ToTop(w, lParam);
      if (w->scrollPressed == render::ScrollPart::Thumb) {
        render::ItemView view = DescribeControl(w);
        render::ScrollBarLayout layout = render::ComputeScrollBar(view);
        ScrollTo(w, render::ScrollPositionForThumb(layout, view.vscroll, p.y - w->thumbDragOffset));
      } else if (w->selecting && (wParam & MK_LBUTTON)) {
        render::ItemView view = DescribeControl(w);
        RECT lines = render::ListLinesRect(view);
        if (p.y < lines.top) SelectByUser(w, w->topIndex - 1);
        else if (p.y >= lines.bottom) SelectByUser(w, w->topIndex + ListBoxPage(w));
        else if (int index = LineAt(w, POINT{lines.left, p.y}); index >= 0) SelectByUser(w, index);
      }
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (w->scrollPressed != render::ScrollPart::None || w->selecting) {
        w->scrollPressed = render::ScrollPart::None;
        w->selecting = false;
        InvalidateTopLevel(w);
        if (message == WM_LBUTTONUP && GetCapture() == hwnd) ReleaseCapture();
      }
      return 0;
    case WM_MOUSEWHEEL: {
      if (!w->Enabled()) return 0;
      int notches = static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA;
      ScrollTo(w, w->topIndex - notches * 3);
      return 0;
    }
    case WM_VSCROLL:
      switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollByPart(w, render::ScrollPart::LineUp); break;
        case SB_LINEDOWN: ScrollByPart(w, render::ScrollPart::LineDown); break;
        case SB_PAGEUP: ScrollByPart(w, render::ScrollPart::PageUp); break;
        case SB_PAGEDOWN: ScrollByPart(w, render::ScrollPart::PageDown); break;
        case SB_TOP: ScrollTo(w, 0); break;
        case SB_BOTTOM: ScrollTo(w, Count(w)); break;
        case SB_THUMBTRACK: ScrollTo(w, HIWORD(wParam)); break;
        default: break;
      }
      return 0;
    case WM_KEYDOWN: {
      if (Count(w) == 0) return DefWindowProcA(hwnd, message, wParam, lParam);
      int current = w->caretIndex >= 0 ? w->caretIndex : -1;
      int page = ListBoxPage(w);
      switch (wParam) {
        case VK_UP: SelectByUser(w, current < 0 ? 0 : current - 1); return 0;
        case VK_DOWN: SelectByUser(w, current + 1); return 0;
        case VK_PRIOR: SelectByUser(w, current < 0 ? 0 : current - (page - 1)); return 0;
        case VK_NEXT: SelectByUser(w, current + (page - 1)); return 0;
        case VK_HOME: SelectByUser(w, 0); return 0;
        case VK_END: SelectByUser(w, Count(w) - 1); return 0;
        default: return DefWindowProcA(hwnd, message, wParam, lParam);
      }
    }
    case WM_CHAR: {
      // Type-ahead: the next line that starts with the typed letter.
      if (wParam >= 0x80 || !std::isprint(static_cast<int>(wParam)) || Count(w) == 0) return 0;
      int ch = std::tolower(static_cast<int>(wParam));
      for (int step = 1; step <= Count(w); ++step) {
        int i = (std::max(w->caretIndex, -1) + step) % Count(w);
        const std::string& line = w->items[static_cast<size_t>(i)];
        if (!line.empty() && std::tolower(static_cast<unsigned char>(line[0])) == ch) {
          SelectByUser(w, i);
          break;
        }
      }
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (w->caretIndex < 0 && Count(w) > 0) w->caretIndex = 0;
      InvalidateTopLevel(w);
      Notify(w, message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace win
