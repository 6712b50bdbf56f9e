#pragma once
// The window system's functions, under the names the program and the
// framework are written against. All of them run on the UI thread, except
// PostMessageA, which any thread may call.

#include "platform/win/Resources.h"
#include "platform/win/WinTypes.h"

// Message queue.
BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
void PostQuitMessage(int exitCode);

// Windows.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU idOrMenu, LPARAM param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

constexpr int GWLP_WNDPROC = -4;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;
constexpr int GWLP_ID = -12;
constexpr int DWLP_MSGRESULT = 0;
LPARAM GetWindowLongPtrA(HWND hwnd, int index);
LPARAM SetWindowLongPtrA(HWND hwnd, int index, LPARAM value);

BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int size);
int GetWindowTextLengthA(HWND hwnd);

BOOL EnableWindow(HWND hwnd, BOOL enable);  // returns TRUE if it was disabled before
BOOL IsWindowEnabled(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates of the client area for top-levels
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
HWND GetParent(HWND hwnd);
HWND GetWindow(HWND hwnd, UINT command);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
HWND GetTopLevel(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);

HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetLastActivePopup(HWND hwnd);
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;
  RECT rcPaint;
};
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

int GetSystemMetrics(int index);
constexpr UINT SPI_GETWORKAREA = 0x0030;
BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT winIni);

// Icons.
constexpr UINT IDI_HAND = 32513;
constexpr UINT IDI_QUESTION = 32514;
constexpr UINT IDI_EXCLAMATION = 32515;
constexpr UINT IDI_ASTERISK = 32516;
HICON LoadIconA(UINT resourceId);  // program icon by number, or an IDI_* system icon
const win::IconImage* IconImageOf(HICON icon, int size);

// Menus.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT id, LPCSTR text);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
// Shows the window menu of `hwnd` at client point (x, y) of `hwnd` and runs
// the menu's own modal loop; a chosen item is sent as WM_SYSCOMMAND. Opened
// from the keyboard, the first command starts highlighted.
void TrackSystemMenu(HWND hwnd, int x, int y, BOOL fromKeyboard);

// Dialogs.
HWND CreateDialogIndirectParamA(const win::DialogTemplate* tmpl, HWND owner, DLGPROC proc, LPARAM param);
LRESULT DefDlgProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessageA(HWND dialog, MSG* msg);
BOOL MapDialogRect(HWND dialog, RECT* rect);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL EndDialog(HWND dialog, int result);  // for dialogs run by DialogBoxIndirectParamA
LRESULT DialogBoxIndirectParamA(const win::DialogTemplate* tmpl, HWND owner, DLGPROC proc, LPARAM param);
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);

// Runs a modal loop of the window system's own until `*done` becomes true:
// keys for `dialog` go through the dialog manager, everything else is
// translated and dispatched; no application pre-filter is called. `owner`
// is disabled for the loop's life and enabled again before it returns.
void RunSystemModalLoop(HWND owner, HWND dialog, const bool* done);

// Centres a top-level window over `over`, or over the work area when `over`
// is null, minimised or hidden, and keeps it inside the work area.
BOOL CenterWindowOver(HWND hwnd, HWND over);

// Message boxes.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Keyboard state of the last input event.
constexpr int KEY_DOWN_BIT = 0x8000;
short GetKeyState(int vk);
