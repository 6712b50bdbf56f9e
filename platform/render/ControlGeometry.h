#pragma once
// Where the parts of a control are, computed once for the renderer that
// draws them and for the window system that hit-tests them, so a click lands
// on exactly the arrow, thumb or line that is drawn there.

#include <string_view>

#include "platform/render/Font.h"
#include "platform/render/Scene.h"
#include "platform/win/WinTypes.h"

namespace render {

constexpr int kScrollBarWidth = 16;   // SM_CXVSCROLL
constexpr int kScrollArrowHeight = 16;
constexpr int kMinThumbHeight = 8;
constexpr int kListTextIndent = 2;    // left padding of a list box line
constexpr int kEditTextIndent = 1;    // left padding of edit text
constexpr int kButtonFocusInset = 4;  // the focus rectangle inside a push button

// Popup menus: the frame around the lines, the text columns and the heights
// of a line and of a separator.
constexpr int kMenuFrame = 3;
constexpr int kMenuTextIndent = 18;
constexpr int kMenuAccelGap = 16;
constexpr int kMenuRightMargin = 16;
constexpr int kMenuSeparatorHeight = 9;

// The vertical scroll bar of a list box, in client pixels of the top-level.
// `thumb` is empty (and `hasThumb` false) when there is nothing to scroll,
// the bar is disabled or the track is too short for a thumb.
struct ScrollBarLayout {
  RECT bar;
  RECT upArrow;
  RECT downArrow;
  RECT track;
  RECT thumb;
  bool hasThumb = false;
};

// Width of the edge of a list box or edit: 2 for a sunken client edge,
// 1 for a border, 0 for neither.
int EdgeWidth(bool clientEdge, bool border);
// The control's rectangle inside its edge.
RECT InteriorRect(const ItemView& item);

ScrollBarLayout ComputeScrollBar(const RECT& listRect, bool clientEdge, bool border, const ScrollBarView& view);
ScrollBarLayout ComputeScrollBar(const ItemView& list);

// The part of the bar under `pt`: an arrow, the thumb, or the track above
// (PageUp) or below (PageDown) the thumb. Without a thumb the track is None.
ScrollPart HitTestScrollBar(const ScrollBarLayout& layout, POINT pt);

// The position that puts the thumb's top edge at `thumbTop` (for dragging),
// rounded to the nearest line and kept within 0..maximum-page.
int ScrollPositionForThumb(const ScrollBarLayout& layout, const ScrollBarView& view, int thumbTop);

// The area of a list box where the lines are drawn: inside the edge and left
// of a visible scroll bar. Line i (from topIndex) starts at top + i*itemHeight.
RECT ListLinesRect(const ItemView& list);

// Where an edit draws the start of its text (already moved left by scrollX):
// a mouse at x is over byte font.OffsetAtX(text, x - origin.x).
POINT EditTextOrigin(const ItemView& edit, const Font& font);

// Sizes of a popup menu line: the width its text needs (label, then the
// accelerator text after a tab) and its height.
int MenuLineWidth(const Font& font, std::string_view text);
int MenuLineHeight(const Font& font, bool separator);

}  // namespace render
