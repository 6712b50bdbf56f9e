// Message boxes: a caption, an optional system icon, the text and an OK
// button, sized to the text and centred over the owner. They run a modal
// loop of the window system's own; the owner is disabled while one is up.

#include <algorithm>

#include "platform/win/WindowSystem.h"

namespace win {

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;

LRESULT MessageBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(hwnd, IDOK);
      return 0;
    default:
      return DefDlgProcA(hwnd, message, wParam, lParam);
  }
}

UINT IconFor(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return 0;
  }
}

}  // namespace

}  // namespace win

using win::FromHandle;
using win::Window;
using win::kMargin;
using win::kIconSize;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (owner) owner = GetTopLevel(owner);
  std::string body = text ? text : "";
  auto font = win::OpenDialogFont("ＭＳ Ｐゴシック", 9, 400, false);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);

  UINT iconId = win::IconFor(type);
  int buttonW = (50 * font->BaseUnitX() + 2) / 4;
  int buttonH = (14 * font->BaseUnitY() + 4) / 8;
  int maxTextW = std::max(200, static_cast<int>(work.right - work.left) * 5 / 8);
  SIZE line = font->MeasureLine(body, false);
  int textW = std::min(static_cast<int>(line.cx) + 2, maxTextW);
  int textH = std::max(font->MeasureWrappedHeight(body, textW, false), font->Height());
  int textX = kMargin + (iconId ? kIconSize + kMargin : 0);
  int textY = kMargin + (iconId && textH < kIconSize ? (kIconSize - textH) / 2 : 0);
  int contentH = std::max(iconId ? kIconSize : 0, textY - kMargin + textH);
  int width = std::max(textX + textW + kMargin, buttonW + 2 * kMargin);
  int height = kMargin + contentH + kMargin + buttonH + kMargin;

  RECT client{0, 0, width, height};
  Window* box = win::CreateTopLevelWindow(win::WindowClass::MessageBox, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                          WS_EX_DLGMODALFRAME, caption ? caption : "", client, owner,
                                          win::MessageBoxProc, 0, host::TopLevelKind::Dialog);
  box->font = font;
  box->baseUnitX = font->BaseUnitX();
  box->baseUnitY = font->BaseUnitY();
  box->defId = IDOK;
  HWND hbox = box->handle;
  if (iconId) {
    HWND icon = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ICON, kMargin, kMargin, kIconSize,
                                kIconSize, hbox, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(IDC_STATIC)), 0);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(iconId)), 0);
  }
  CreateWindowExA(0, "STATIC", body.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, textX, textY, textW,
                  textH, hbox, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(0xFFFF)), 0);
  HWND ok = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                            (width - buttonW) / 2, height - kMargin - buttonH, buttonW, buttonH, hbox,
                            reinterpret_cast<HMENU>(static_cast<std::intptr_t>(IDOK)), 0);
  win::CenterTopLevel(box, FromHandle(owner));
  ShowWindow(hbox, SW_SHOW);
  SetFocus(ok);
  RunSystemModalLoop(owner, hbox, &box->endRequested);
  int result = box->endResult ? box->endResult : IDOK;
  DestroyWindow(hbox);
  return result;
}
