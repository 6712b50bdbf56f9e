#pragma once
// What the renderer draws: a plain description of one top-level window's
// client area, filled in by the window system from its window tree. The
// renderer knows nothing of windows or messages; it paints this description
// with cairo and pango, the same way on screen and in test snapshots.

#include <string>
#include <vector>

#include "platform/win/Resources.h"
#include "platform/win/WinTypes.h"

namespace render {

enum class SystemIcon { None, Stop, Exclamation, Information, Question };

// An icon to draw: one of the program's images, or a standard system icon.
struct IconRef {
  const win::IconImage* image = nullptr;
  SystemIcon system = SystemIcon::None;
  bool IsEmpty() const { return !image && system == SystemIcon::None; }
};

enum class ItemKind { PushButton, Static, IconStatic, ListBox, Edit };

enum class ScrollPart { None, LineUp, LineDown, PageUp, PageDown, Thumb };

struct ScrollBarView {
  bool visible = false;
  bool enabled = true;
  int position = 0;  // first visible line
  int maximum = 0;   // number of lines
  int page = 0;      // lines that fit
  ScrollPart pressed = ScrollPart::None;
};

// One control. Rectangles are in pixels of the top-level client area.
struct ItemView {
  ItemKind kind = ItemKind::Static;
  RECT rect;
  std::string text;  // window text as bytes (UTF-8 expected; other bytes are shown as U+FFFD)
  bool enabled = true;
  bool focused = false;
  bool showFocusCues = true;  // draw the dotted focus rectangle when focused

  // Push buttons.
  bool pressed = false;        // sunken while the mouse or Space holds it
  bool defaultButton = false;  // dark frame of the current default button

  // Statics. `prefix` means "&x" underlines x and "&&" shows one ampersand.
  int align = 0;  // 0 left, 1 centre, 2 right
  bool prefix = true;
  bool border = false;  // WS_BORDER: one dark line
  bool sunken = false;  // SS_SUNKEN or WS_EX_STATICEDGE: a one-pixel sunken edge
  IconRef icon;         // icon statics

  // List boxes and edits have a sunken client edge (WS_EX_CLIENTEDGE) or a border.
  bool clientEdge = false;
  std::vector<std::string> lines;
  int topIndex = 0;
  int selected = -1;
  int caretIndex = -1;
  int itemHeight = 0;
  ScrollBarView vscroll;

  // Edits.
  int caret = 0;  // byte offsets into text
  int selStart = 0;
  int selEnd = 0;
  int scrollX = 0;  // pixels scrolled off to the left
  std::string preedit;
};

struct MenuLineView {
  std::string text;  // "&" marks the mnemonic; a tab separates the accelerator text
  bool separator = false;
  bool enabled = true;
  bool highlighted = false;
  RECT rect;  // in the menu window's client coordinates
};

// Pictures drawn by a window's own painting code through a paint context.
struct IconDraw {
  int x = 0;
  int y = 0;
  IconRef icon;
};

struct SceneView {
  enum class Background { DialogFace, Menu };
  int width = 0;  // client size in pixels
  int height = 0;
  Background background = Background::DialogFace;
  std::vector<ItemView> items;      // in z-order, bottom first
  std::vector<MenuLineView> menu;   // for a popup menu window
  std::vector<IconDraw> iconDraws;  // drawn after the background, before the items
  bool eraseBackground = true;
};

}  // namespace render
