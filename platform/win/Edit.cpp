// The single-line edit control. Its text is the window text, UTF-8 bytes;
// the caret and the other end of the selection (the anchor) are byte offsets
// that always sit on character boundaries. The keyboard and the mouse move
// them, typing replaces the selection, the clipboard goes through the host,
// and the text scrolls sideways so that the caret stays in view. Pre-edit
// text of an input method is kept apart and drawn at the caret by the
// renderer until the input method commits it as WM_CHAR.

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/render/ControlGeometry.h"
#include "platform/win/WindowSystem.h"

namespace win {

namespace {

int Size(const Window* w) { return static_cast<int>(w->text.size()); }

bool IsContinuation(const std::string& s, int i) {
  return i > 0 && i < static_cast<int>(s.size()) && (static_cast<unsigned char>(s[static_cast<size_t>(i)]) & 0xC0) == 0x80;
}

// A UTF-8 character is at most four bytes, so at most three continuation
// bytes are skipped; stray continuation bytes then count as characters of
// their own and the caret still cannot get stuck.
int NextBoundary(const std::string& s, int i) {
  int n = static_cast<int>(s.size());
  if (i >= n) return n;
  ++i;
  for (int k = 0; k < 3 && IsContinuation(s, i); ++k) ++i;
  return i;
}

int PrevBoundary(const std::string& s, int i) {
  if (i <= 0) return 0;
  --i;
  for (int k = 0; k < 3 && IsContinuation(s, i); ++k) --i;
  return i;
}

int SnapToBoundary(const std::string& s, int i) {
  i = std::clamp(i, 0, static_cast<int>(s.size()));
  for (int k = 0; k < 3 && IsContinuation(s, i); ++k) --i;
  return i;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int WordLeft(const std::string& s, int i) {
  while (i > 0 && IsBlank(s[static_cast<size_t>(i - 1)])) --i;
  while (i > 0 && !IsBlank(s[static_cast<size_t>(i - 1)])) --i;
  return SnapToBoundary(s, i);
}

int WordRight(const std::string& s, int i) {
  int n = static_cast<int>(s.size());
  while (i < n && !IsBlank(s[static_cast<size_t>(i)])) ++i;
  while (i < n && IsBlank(s[static_cast<size_t>(i)])) ++i;
  return SnapToBoundary(s, i);
}

// Appends code point `cp` as UTF-8; false for surrogates and values past
// the last code point, which have no encoding.
bool AppendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    if (cp >= 0xD800 && cp <= 0xDFFF) return false;
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp <= 0x10FFFF) {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    return false;
  }
  return true;
}

// A single-line edit takes text up to the first line break; a NUL would end
// the window text anyway.
std::string_view FirstLine(std::string_view text) { return text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3))); }

int SelStart(const Window* w) { return std::min(w->caret, w->anchor); }
int SelEnd(const Window* w) { return std::max(w->caret, w->anchor); }
bool HasSelection(const Window* w) { return w->caret != w->anchor; }

// Scrolls sideways just enough that the caret (after any pre-edit text) is
// inside the control, and no further than the end of the text needs.
void KeepCaretVisible(Window* w) {
  const render::Font& font = FontOf(w);
  RECT inner = render::InteriorRect(DescribeControl(w));
  int visible = std::max(1, static_cast<int>(inner.right - inner.left) - 2 * render::kEditTextIndent);
  std::string shown = w->text;
  shown.insert(static_cast<size_t>(w->caret), w->preedit);
  int caretX = font.XAtOffset(shown, w->caret + static_cast<int>(w->preedit.size()));
  int textWidth = font.XAtOffset(shown, static_cast<int>(shown.size()));
  if (caretX < w->scrollX) w->scrollX = caretX;
  else if (caretX >= w->scrollX + visible) w->scrollX = caretX - visible + 1;
  w->scrollX = std::clamp(w->scrollX, 0, std::max(0, textWidth - visible + 1));
}

// Tells the host where the caret of the focused edit is, so that the input
// method's candidate window opens beside it.
void ReportTextCursor(Window* w) {
  host::Host* h = host::GetHost();
  if (!h || GetFocus() != w->handle) return;
  render::ItemView view = DescribeControl(w);
  const render::Font& font = FontOf(w);
  POINT origin = render::EditTextOrigin(view, font);
  std::string shown = w->text;
  shown.insert(static_cast<size_t>(w->caret), w->preedit);
  int x = origin.x + font.XAtOffset(shown, w->caret);
  h->SetTextCursor(TopLevelOf(w)->handle, RECT{x, origin.y, x + 1, origin.y + font.Height()});
}

void Changed(Window* w) {
  KeepCaretVisible(w);
  ReportTextCursor(w);
  InvalidateTopLevel(w);
}

void MoveCaret(Window* w, int position, bool extend) {
  w->caret = SnapToBoundary(w->text, position);
  if (!extend) w->anchor = w->caret;
  Changed(w);
}

void SetSelection(Window* w, int anchor, int caret) {
  w->anchor = SnapToBoundary(w->text, anchor);
  w->caret = SnapToBoundary(w->text, caret);
  Changed(w);
}

// The dialog hears of every change the user makes. The window may be gone
// when this returns, so it is always the last thing a handler does.
void NotifyChange(Window* w) {
  if (w->parent)
    SendMessageA(w->parent->handle, WM_COMMAND, MAKELONG(static_cast<WORD>(w->id), static_cast<WORD>(EN_CHANGE)),
                 reinterpret_cast<LPARAM>(w->handle));
}

// Replaces the selection with `text` and puts the caret after it; true if
// the text changed.
bool ReplaceSelection(Window* w, std::string_view text) {
  int start = SelStart(w);
  int end = SelEnd(w);
  if (start == end && text.empty()) return false;
  w->text.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), text);
  w->caret = w->anchor = start + static_cast<int>(text.size());
  Changed(w);
  return true;
}

void EditAndNotify(Window* w, std::string_view text) {
  if (ReplaceSelection(w, text)) NotifyChange(w);
}

void Copy(Window* w) {
  if (!HasSelection(w) || !host::GetHost()) return;
  host::GetHost()->SetClipboardText(std::string_view(w->text).substr(static_cast<size_t>(SelStart(w)),
                                                                     static_cast<size_t>(SelEnd(w) - SelStart(w))));
}

void Paste(Window* w) {
  if (!host::GetHost()) return;
  std::string clip = host::GetHost()->GetClipboardText();
  EditAndNotify(w, FirstLine(clip));
}

void Cut(Window* w) {
  if (!HasSelection(w)) return;
  Copy(w);
  EditAndNotify(w, {});
}

// Backspace and Delete without a selection take one character.
void DeleteCharacter(Window* w, bool forward) {
  if (!HasSelection(w)) {
    int other = forward ? NextBoundary(w->text, w->caret) : PrevBoundary(w->text, w->caret);
    if (other == w->caret) return;
    w->anchor = other;
  }
  EditAndNotify(w, {});
}

int OffsetAtMouse(Window* w, LPARAM lParam) {
  RECT r = RectInTopLevel(w);
  int x = GET_X_LPARAM(lParam) + r.left;
  const render::Font& font = FontOf(w);
  POINT origin = render::EditTextOrigin(DescribeControl(w), font);
  return SnapToBoundary(w->text, font.OffsetAtX(w->text, x - origin.x));
}

// False for keys the edit leaves to the default processing.
bool OnKeyDown(Window* w, WPARAM vk) {
  bool shift = GetKeyState(VK_SHIFT) & KEY_DOWN_BIT;
  bool control = GetKeyState(VK_CONTROL) & KEY_DOWN_BIT;
  switch (vk) {
    case VK_LEFT:
      if (HasSelection(w) && !shift && !control) MoveCaret(w, SelStart(w), false);
      else MoveCaret(w, control ? WordLeft(w->text, w->caret) : PrevBoundary(w->text, w->caret), shift);
      return true;
    case VK_RIGHT:
      if (HasSelection(w) && !shift && !control) MoveCaret(w, SelEnd(w), false);
      else MoveCaret(w, control ? WordRight(w->text, w->caret) : NextBoundary(w->text, w->caret), shift);
      return true;
    case VK_HOME: MoveCaret(w, 0, shift); return true;
    case VK_END: MoveCaret(w, Size(w), shift); return true;
    case VK_DELETE:
      if (shift) Cut(w);
      else DeleteCharacter(w, true);
      return true;
    case VK_INSERT:
      if (control) Copy(w);
      else if (shift) Paste(w);
      return true;
    case 'A':
      if (control) SetSelection(w, 0, Size(w));
      return control;
    case 'C':
      if (control) Copy(w);
      return control;
    case 'X':
      if (control) Cut(w);
      return control;
    case 'V':
      if (control) Paste(w);
      return control;
    default:
      return false;
  }
}

void OnChar(Window* w, WPARAM code) {
  if (code == 0x08) {
    DeleteCharacter(w, false);
    return;
  }
  // Tab, Enter and Escape belong to the dialog; other control codes are not text.
  if (code < 0x20 || code == 0x7F) return;
  std::string utf8;
  if (!AppendUtf8(utf8, static_cast<unsigned>(code))) return;
  EditAndNotify(w, utf8);
}

}  // namespace

LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
      if (Window* again = FromHandle(hwnd)) {
        again->caret = again->anchor = again->scrollX = 0;
        Changed(again);
      }
      return result;
    }
    case WM_KEYDOWN:
      if (!w->Enabled()) return 0;
      if (OnKeyDown(w, wParam)) return 0;
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_CHAR:
      if (w->Enabled()) OnChar(w, wParam);
      return 0;
    case WM_IME_COMPOSITION: {
      const auto* text = reinterpret_cast<const std::string*>(lParam);
      if (!w->Enabled() || !text) return 0;
      w->preedit = *text;
      Changed(w);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      if (!w->Enabled()) return 0;
      SetFocus(hwnd);
      if (!FromHandle(hwnd)) return 0;
      MoveCaret(w, OffsetAtMouse(w, lParam), (wParam & MK_SHIFT) != 0);
      w->selecting = true;
      SetCapture(hwnd);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      // The word under the pointer: the run of characters between blanks.
      if (!w->Enabled()) return 0;
      int at = OffsetAtMouse(w, lParam);
      int start = at;
      int end = at;
      while (start > 0 && !IsBlank(w->text[static_cast<size_t>(start - 1)])) --start;
      while (end < Size(w) && !IsBlank(w->text[static_cast<size_t>(end)])) ++end;
      SetSelection(w, start, end);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (w->selecting && (wParam & MK_LBUTTON)) MoveCaret(w, OffsetAtMouse(w, lParam), true);
      return 0;
    case WM_LBUTTONUP:
      if (w->selecting) {
        w->selecting = false;
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      w->selecting = false;
      return 0;
    case WM_SETFOCUS:
      ReportTextCursor(w);
      InvalidateTopLevel(w);
      return 0;
    case WM_KILLFOCUS:
      // Composition does not follow the focus elsewhere.
      w->preedit.clear();
      Changed(w);
      return 0;
    case WM_ENABLE:
      InvalidateTopLevel(w);
      return 0;
    case EM_GETSEL: {
      auto start = static_cast<DWORD>(SelStart(w));
      auto end = static_cast<DWORD>(SelEnd(w));
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min<DWORD>(start, 0xFFFF)),
                                           static_cast<WORD>(std::min<DWORD>(end, 0xFFFF))));
    }
    case EM_SETSEL: {
      // A start of -1 removes the selection; an end below zero means the end
      // of the text, so (0, -1) selects everything.
      auto start = static_cast<LPARAM>(wParam);
      if (start == -1) {
        SetSelection(w, w->caret, w->caret);
        return 0;
      }
      int size = Size(w);
      int first = static_cast<int>(std::clamp<LPARAM>(start, 0, size));
      int last = lParam < 0 ? size : static_cast<int>(std::min<LPARAM>(lParam, size));
      SetSelection(w, first, last);
      return 0;
    }
    case EM_REPLACESEL: {
      const char* text = reinterpret_cast<const char*>(lParam);
      EditAndNotify(w, FirstLine(text ? text : ""));
      return 0;
    }
    case WM_CUT:
      if (w->Enabled()) Cut(w);
      return 0;
    case WM_COPY:
      Copy(w);
      return 0;
    case WM_PASTE:
      if (w->Enabled()) Paste(w);
      return 0;
    case WM_CLEAR:
      if (w->Enabled()) EditAndNotify(w, {});
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace win
