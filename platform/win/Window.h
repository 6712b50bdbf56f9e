#pragma once
// The window record the window system keeps for every window, and the table
// that turns handles into records. A handle is only ever used after it has
// been looked up here, so a stale handle is an error and never a dangling
// pointer. Control-specific state lives in the record too: the controls are
// small and a variant per kind would only add ceremony.

#include <memory>
#include <string>
#include <vector>

#include "platform/render/Font.h"
#include "platform/render/Scene.h"
#include "platform/win/WinTypes.h"

namespace win {
struct MenuItem {
  UINT flags = MF_STRING;
  UINT id = 0;
  std::string text;
};
}  // namespace win

// What a window's painting code draws through: the window it paints.
struct PaintContext {
  HWND hwnd = nullptr;
};

// A menu: the window menu of a top-level window.
struct MenuHandle {
  std::vector<win::MenuItem> items;
};

namespace win {

enum class WindowClass { Dialog, Button, Static, ListBox, Edit, PopupMenu, MessageBox };

struct Window {
  HWND handle = nullptr;
  WindowClass cls = WindowClass::Dialog;
  DWORD style = 0;
  DWORD exStyle = 0;
  int id = 0;
  std::string text;
  RECT rect;  // children: in the parent's client coordinates; top-levels: client area on screen
  Window* parent = nullptr;
  HWND owner = nullptr;
  std::vector<Window*> children;  // z-order, first is the bottom (template order)
  WNDPROC proc = nullptr;
  LPARAM userData = 0;
  bool destroyed = false;
  bool minimized = false;
  bool needsPaint = false;
  std::vector<render::IconDraw> iconDraws;  // what the last WM_PAINT drew
  PaintContext paintContext;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  std::unique_ptr<MenuHandle> systemMenu;
  MenuHandle* popupMenu = nullptr;  // the menu a popup menu window shows

  // Top-levels: the font their controls use.
  std::shared_ptr<const render::Font> font;

  // Dialogs.
  int baseUnitX = 0;
  int baseUnitY = 0;
  HWND focusSaved = nullptr;  // control that had the focus when the dialog was deactivated
  int defId = 0;              // explicit default push button, 0 if none
  LRESULT dlgResult = 0;      // DWLP_MSGRESULT
  bool endRequested = false;  // EndDialog was called
  int endResult = 0;

  // Buttons.
  bool pressed = false;        // drawn sunken
  bool trackingMouse = false;  // mouse went down here and capture is held
  bool spaceDown = false;

  // Statics.
  HICON icon = nullptr;

  // List boxes.
  std::vector<std::string> items;
  int selected = -1;
  int caretIndex = -1;
  int topIndex = 0;
  render::ScrollPart scrollPressed = render::ScrollPart::None;
  int thumbDragOffset = 0;
  bool selecting = false;

  // Edits.
  int caret = 0;
  int anchor = 0;
  int scrollX = 0;
  std::string preedit;

  bool Visible() const { return (style & WS_VISIBLE) != 0; }
  bool Enabled() const { return (style & WS_DISABLED) == 0; }
  bool IsChild() const { return (style & WS_CHILD) != 0; }
};

// Handle table.
Window* FromHandle(HWND hwnd);  // nullptr for a stale or foreign handle
Window* NewWindow();
void ForgetWindow(Window* window);
void RegisterTopLevel(Window* window);
std::vector<Window*> TopLevelWindows();  // in creation order

// The top-level window that contains `window` (itself for a top-level).
Window* TopLevelOf(Window* window);
// `window`'s rectangle in its top-level's client coordinates.
RECT RectInTopLevel(const Window* window);

// Asks for a repaint of the top-level window that contains `window`.
void InvalidateTopLevel(Window* window);

}  // namespace win
