// Dialogs from templates, dialog units, the dialog procedure's defaults and
// the dialog manager: Tab and Shift+Tab over tab stops in template order,
// arrow keys inside a group, Enter to the focused or default push button,
// Escape as the cancel command, Alt+letter mnemonics.

#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>

#include "platform/win/WindowSystem.h"

namespace win {

namespace {

int MulDiv(int a, int b, int c) {
  long long p = static_cast<long long>(a) * b;
  return static_cast<int>((p >= 0 ? p + c / 2 : p - c / 2) / c);
}

bool Focusable(const Window* w) { return w && w->Visible() && w->Enabled(); }

// Finds the first character after a single '&' in `text`, lower-cased.
int MnemonicOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::tolower(static_cast<unsigned char>(text[i + 1]));
  }
  return 0;
}

bool HandleMnemonic(Window* dialog, int ch) {
  ch = std::tolower(ch);
  auto& kids = dialog->children;
  for (size_t i = 0; i < kids.size(); ++i) {
    Window* c = kids[i];
    if (!c->Visible()) continue;
    bool prefixed = c->cls == WindowClass::Button || (c->cls == WindowClass::Static && !(c->style & SS_NOPREFIX) &&
                                                       (c->style & SS_TYPEMASK) != SS_ICON);
    if (!prefixed || MnemonicOf(c->text) != ch) continue;
    if (c->cls == WindowClass::Static) {
      // A label hands the focus to the next control that can take it.
      for (size_t j = i + 1; j < kids.size(); ++j) {
        if (Focusable(kids[j]) && (kids[j]->style & WS_TABSTOP)) {
          SetFocus(kids[j]->handle);
          return true;
        }
      }
      return true;
    }
    if (!c->Enabled()) return true;
    SetFocus(c->handle);
    SendMessageA(c->handle, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

void PressButton(Window* dialog, int id) {
  HWND control = GetDlgItem(dialog->handle, id);
  Window* c = FromHandle(control);
  if (c && !c->Enabled()) return;
  SendMessageA(dialog->handle, WM_COMMAND, MAKELONG(static_cast<WORD>(id), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

void FocusControl(Window* control) {
  if (!control) return;
  SetFocus(control->handle);
  LRESULT code = SendMessageA(control->handle, WM_GETDLGCODE, 0, 0);
  if (code & DLGC_HASSETSEL) SendMessageA(control->handle, EM_SETSEL, 0, -1);
}

}  // namespace

std::shared_ptr<const render::Font> OpenDialogFont(const char* face, int pointSize, int weight, bool italic) {
  static std::map<std::tuple<std::string, int, int, bool, double>, std::shared_ptr<const render::Font>> cache;
  double dpi = host::GetHost() ? host::GetHost()->Dpi() : 96.0;
  auto key = std::make_tuple(std::string(face ? face : ""), pointSize, weight, italic, dpi);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  render::FontRequest request;
  request.face = std::get<0>(key);
  request.pointSize = pointSize;
  request.weight = weight;
  request.italic = italic;
  auto font = render::Font::Open(request, dpi);
  cache.emplace(key, font);
  return font;
}

const render::Font& FontOf(Window* window) {
  Window* top = TopLevelOf(window);
  if (!top->font) top->font = OpenDialogFont("ＭＳ Ｐゴシック", 9, 400, false);
  return *top->font;
}

bool IsPushButton(const Window* w) {
  return w && w->cls == WindowClass::Button && ((w->style & BS_TYPEMASK) == BS_PUSHBUTTON ||
                                                (w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
}

Window* CurrentDefaultButton(Window* dialog) {
  Window* focus = FromHandle(GetFocus());
  if (focus && IsPushButton(focus) && TopLevelOf(focus) == dialog) return focus;
  LRESULT def = SendMessageA(dialog->handle, DM_GETDEFID, 0, 0);
  if (HIWORD(static_cast<std::uintptr_t>(def)) != DC_HASDEFID) return nullptr;
  Window* c = FromHandle(GetDlgItem(dialog->handle, LOWORD(static_cast<std::uintptr_t>(def))));
  return IsPushButton(c) ? c : nullptr;
}

void CenterTopLevel(Window* window, Window* over) {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT area = work;
  if (over && over->Visible() && !over->minimized) area = over->rect;
  int width = window->rect.right - window->rect.left;
  int height = window->rect.bottom - window->rect.top;
  int x = area.left + ((area.right - area.left) - width) / 2;
  int y = area.top + ((area.bottom - area.top) - height) / 2;
  // Keep the whole window inside the work area when it fits.
  x = std::max(work.left, std::min(x, static_cast<int>(work.right) - width));
  y = std::max(work.top, std::min(y, static_cast<int>(work.bottom) - height));
  MoveWindow(window->handle, x, y, width, height, TRUE);
}

}  // namespace win

using win::FromHandle;
using win::Window;

BOOL MapDialogRect(HWND dialog, RECT* rect) {
  Window* w = FromHandle(dialog);
  if (!w || !rect) return FALSE;
  Window* top = win::TopLevelOf(w);
  rect->left = win::MulDiv(rect->left, top->baseUnitX, 4);
  rect->right = win::MulDiv(rect->right, top->baseUnitX, 4);
  rect->top = win::MulDiv(rect->top, top->baseUnitY, 8);
  rect->bottom = win::MulDiv(rect->bottom, top->baseUnitY, 8);
  return TRUE;
}

HWND CreateDialogIndirectParamA(const win::DialogTemplate* tmpl, HWND owner, DLGPROC proc, LPARAM param) {
  if (!tmpl) return nullptr;
  auto font = win::OpenDialogFont(tmpl->fontFace, tmpl->pointSize, tmpl->weight, tmpl->italic);
  int bx = font->BaseUnitX();
  int by = font->BaseUnitY();
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + win::MulDiv(tmpl->x, bx, 4);
  int y = work.top + win::MulDiv(tmpl->y, by, 8);
  RECT client{x, y, x + win::MulDiv(tmpl->cx, bx, 4), y + win::MulDiv(tmpl->cy, by, 8)};
  Window* dlg = win::CreateTopLevelWindow(win::WindowClass::Dialog, tmpl->style, tmpl->exStyle, tmpl->caption,
                                          client, owner, proc ? proc : DefDlgProcA, param,
                                          host::TopLevelKind::Dialog);
  dlg->font = font;
  dlg->baseUnitX = bx;
  dlg->baseUnitY = by;
  dlg->defId = IDOK;
  for (const auto& item : tmpl->items) {
    RECT r{item.x, item.y, item.x + item.cx, item.y + item.cy};
    MapDialogRect(dlg->handle, &r);
    // The three-dimensional look: a bordered list box or edit in a dialog
    // gets a sunken edge in place of its flat border.
    DWORD style = item.style;
    DWORD exStyle = item.exStyle;
    const win::ControlClass* cls = win::FindControlClass(item.className ? item.className : "");
    if (cls && (cls->cls == win::WindowClass::ListBox || cls->cls == win::WindowClass::Edit) && (style & WS_BORDER)) {
      style &= ~WS_BORDER;
      exStyle |= WS_EX_CLIENTEDGE;
    }
    HWND c = CreateWindowExA(exStyle, item.className, item.text, style | WS_CHILD, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, dlg->handle,
                             reinterpret_cast<HMENU>(static_cast<std::intptr_t>(item.id)), 0);
    if (c && item.iconId) SendMessageA(c, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(item.iconId)), 0);
  }
  HWND first = GetNextDlgTabItem(dlg->handle, nullptr, FALSE);
  LRESULT setFocus = SendMessageA(dlg->handle, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
  if (!FromHandle(dlg->handle)) return nullptr;
  if (setFocus && first && FromHandle(first)) win::FocusControl(FromHandle(first));
  if (tmpl->style & WS_VISIBLE) ShowWindow(dlg->handle, SW_SHOW);
  return dlg->handle;
}

LRESULT DefDlgProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* dlg = FromHandle(hwnd);
  if (!dlg) return 0;
  switch (message) {
    case WM_ACTIVATE:
      if (wParam == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) dlg->focusSaved = focus;
      } else if (Window* saved = FromHandle(dlg->focusSaved); saved && win::Focusable(saved)) {
        SetFocus(saved->handle);
      }
      return 0;
    case WM_SETFOCUS: {
      Window* saved = FromHandle(dlg->focusSaved);
      if (!saved || !win::Focusable(saved)) saved = FromHandle(GetNextDlgTabItem(hwnd, nullptr, FALSE));
      if (saved) SetFocus(saved->handle);
      return 0;
    }
    case WM_CLOSE: {
      Window* cancel = FromHandle(GetDlgItem(hwnd, IDCANCEL));
      if (cancel && !cancel->Enabled()) return 0;
      SendMessageA(hwnd, WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel ? cancel->handle : nullptr));
      return 0;
    }
    case DM_GETDEFID:
      return dlg->defId ? static_cast<LRESULT>(MAKELONG(static_cast<WORD>(dlg->defId), DC_HASDEFID)) : 0;
    case DM_SETDEFID:
      dlg->defId = static_cast<int>(wParam);
      win::InvalidateTopLevel(dlg);
      return TRUE;
    case WM_NEXTDLGCTL: {
      Window* target = lParam ? FromHandle(reinterpret_cast<HWND>(wParam))
                              : FromHandle(GetNextDlgTabItem(hwnd, GetFocus(), wParam ? TRUE : FALSE));
      win::FocusControl(target);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  Window* dlg = FromHandle(dialog);
  if (!dlg) return nullptr;
  std::vector<Window*> stops;
  for (Window* c : dlg->children)
    if (win::Focusable(c) && (c->style & WS_TABSTOP)) stops.push_back(c);
  if (stops.empty()) return nullptr;
  Window* current = FromHandle(control);
  auto& kids = dlg->children;
  auto pos = std::find(kids.begin(), kids.end(), current);
  if (!current || pos == kids.end()) return previous ? stops.back()->handle : stops.front()->handle;
  // Walk the children in template order from the current one, wrapping.
  size_t n = kids.size();
  size_t index = static_cast<size_t>(pos - kids.begin());
  for (size_t step = 1; step <= n; ++step) {
    size_t i = previous ? (index + n - step) % n : (index + step) % n;
    Window* c = kids[i];
    if (win::Focusable(c) && (c->style & WS_TABSTOP)) return c->handle;
  }
  return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  Window* dlg = FromHandle(dialog);
  Window* current = FromHandle(control);
  if (!dlg || !current) return nullptr;
  auto& kids = dlg->children;
  auto pos = std::find(kids.begin(), kids.end(), current);
  if (pos == kids.end()) return nullptr;
  // The group runs from the control that starts it (or the first control)
  // up to the control before the next one that starts a group.
  size_t index = static_cast<size_t>(pos - kids.begin());
  size_t begin = index;
  while (begin > 0 && !(kids[begin]->style & WS_GROUP)) --begin;
  size_t end = index + 1;
  while (end < kids.size() && !(kids[end]->style & WS_GROUP)) ++end;
  size_t n = end - begin;
  for (size_t step = 1; step <= n; ++step) {
    size_t i = previous ? begin + (index - begin + n - step) % n : begin + (index - begin + step) % n;
    if (win::Focusable(kids[i])) return kids[i]->handle;
  }
  return control;
}

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
  Window* dlg = FromHandle(dialog);
  if (!dlg || !msg || !msg->hwnd) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;

  LRESULT code = 0;
  bool isKey = msg->message == WM_KEYDOWN || msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (isKey && msg->hwnd != dialog)
    code = SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
  if (code & DLGC_WANTMESSAGE) {
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
  }

  if (msg->message == WM_KEYDOWN) {
    bool shift = GetKeyState(VK_SHIFT) & KEY_DOWN_BIT;
    switch (msg->wParam) {
      case VK_TAB:
        if (code & DLGC_WANTTAB) break;
        win::FocusControl(FromHandle(GetNextDlgTabItem(dialog, GetFocus(), shift ? TRUE : FALSE)));
        return TRUE;
      case VK_LEFT:
      case VK_UP:
      case VK_RIGHT:
      case VK_DOWN: {
        if (code & DLGC_WANTARROWS) break;
        bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) win::FocusControl(FromHandle(GetNextDlgGroupItem(dialog, focus, back ? TRUE : FALSE)));
        return TRUE;
      }
      case VK_RETURN: {
        Window* focus = FromHandle(GetFocus());
        if (focus && win::IsPushButton(focus) && IsChild(dialog, focus->handle)) {
          win::PressButton(dlg, focus->id);
        } else {
          LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
          int id = HIWORD(static_cast<std::uintptr_t>(def)) == DC_HASDEFID ? LOWORD(static_cast<std::uintptr_t>(def)) : IDOK;
          win::PressButton(dlg, id);
        }
        return TRUE;
      }
      case VK_ESCAPE:
        win::PressButton(dlg, IDCANCEL);
        return TRUE;
      default:
        break;
    }
  } else if (msg->message == WM_CHAR) {
    if (msg->wParam == '\r' || msg->wParam == 0x1B || (msg->wParam == '\t' && !(code & DLGC_WANTTAB))) return TRUE;
    if (!(code & DLGC_WANTCHARS) && msg->wParam < 0x80 && std::isalnum(static_cast<int>(msg->wParam))) {
      if (win::HandleMnemonic(dlg, static_cast<int>(msg->wParam))) return TRUE;
    }
  } else if (msg->message == WM_SYSCHAR) {
    if (msg->wParam != ' ' && win::HandleMnemonic(dlg, static_cast<int>(msg->wParam))) return TRUE;
  }
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}

void RunSystemModalLoop(HWND owner, HWND dialog, const bool* done) {
  bool reenable = owner && IsWindowEnabled(owner);
  if (reenable) EnableWindow(owner, FALSE);
  struct Restore {
    HWND owner;
    bool reenable;
    ~Restore() {
      if (reenable && IsWindow(owner)) EnableWindow(owner, TRUE);
    }
  } restore{owner, reenable};
  while (!*done) {
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

BOOL EndDialog(HWND dialog, int result) {
  Window* w = FromHandle(dialog);
  if (!w) return FALSE;
  w->endRequested = true;
  w->endResult = result;
  return TRUE;
}

LRESULT DialogBoxIndirectParamA(const win::DialogTemplate* tmpl, HWND owner, DLGPROC proc, LPARAM param) {
  if (owner) owner = GetTopLevel(owner);
  HWND dlg = CreateDialogIndirectParamA(tmpl, owner, proc, param);
  Window* w = FromHandle(dlg);
  if (!w) return -1;
  if (!w->Visible()) ShowWindow(dlg, SW_SHOW);
  RunSystemModalLoop(owner, dlg, &w->endRequested);
  int result = w->endResult;
  DestroyWindow(dlg);
  return result;
}

BOOL CenterWindowOver(HWND hwnd, HWND over) {
  Window* w = FromHandle(hwnd);
  if (!w || w->IsChild()) return FALSE;
  win::CenterTopLevel(w, FromHandle(over));
  return TRUE;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) { return SetWindowTextA(GetDlgItem(dialog, id), text); }

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(GetDlgItem(dialog, id), message, wParam, lParam);
}
