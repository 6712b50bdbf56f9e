#include "platform/render/ControlGeometry.h"

#include <algorithm>
#include <cstdint>

#include "platform/render/Canvas.h"

namespace render {

namespace {

bool Contains(const RECT& r, POINT pt) { return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom; }

// a * b / c rounded to nearest, without overflow for any int inputs.
int MulDiv(int a, int b, int c) {
  const std::int64_t p = static_cast<std::int64_t>(a) * b;
  return static_cast<int>((2 * p + c) / (2 * static_cast<std::int64_t>(c)));
}

}  // namespace

int EdgeWidth(bool clientEdge, bool border) { return clientEdge ? 2 : border ? 1 : 0; }

RECT InteriorRect(const ItemView& item) {
  const RECT inner = Inset(item.rect, EdgeWidth(item.clientEdge, item.border));
  return RECT{inner.left, inner.top, std::max(inner.left, inner.right), std::max(inner.top, inner.bottom)};
}

ScrollBarLayout ComputeScrollBar(const RECT& listRect, bool clientEdge, bool border, const ScrollBarView& view) {
  RECT inner = Inset(listRect, EdgeWidth(clientEdge, border));
  inner.right = std::max(inner.left, inner.right);
  inner.bottom = std::max(inner.top, inner.bottom);

  ScrollBarLayout layout;
  layout.bar = RECT{std::max(inner.left, inner.right - kScrollBarWidth), inner.top, inner.right, inner.bottom};
  const int arrow = std::min(kScrollArrowHeight, Height(layout.bar) / 2);
  const RECT& bar = layout.bar;
  layout.upArrow = RECT{bar.left, bar.top, bar.right, bar.top + arrow};
  layout.downArrow = RECT{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  layout.track = RECT{bar.left, layout.upArrow.bottom, bar.right, layout.downArrow.top};
  layout.thumb = RECT{bar.left, layout.track.top, bar.right, layout.track.top};

  const int range = view.maximum - std::max(view.page, 0);
  const int trackHeight = Height(layout.track);
  if (!view.enabled || range <= 0) return layout;
  const int thumbHeight =
      std::max(view.page > 0 ? MulDiv(trackHeight, view.page, view.maximum) : kScrollArrowHeight, kMinThumbHeight);
  if (thumbHeight > trackHeight) return layout;
  const int position = std::clamp(view.position, 0, range);
  const int top = layout.track.top + MulDiv(trackHeight - thumbHeight, position, range);
  layout.thumb = RECT{bar.left, top, bar.right, top + thumbHeight};
  layout.hasThumb = true;
  return layout;
}

ScrollBarLayout ComputeScrollBar(const ItemView& list) {
  return ComputeScrollBar(list.rect, list.clientEdge, list.border, list.vscroll);
}

ScrollPart HitTestScrollBar(const ScrollBarLayout& layout, POINT pt) {
  if (Contains(layout.upArrow, pt)) return ScrollPart::LineUp;
  if (Contains(layout.downArrow, pt)) return ScrollPart::LineDown;
  if (!layout.hasThumb || !Contains(layout.track, pt)) return ScrollPart::None;
  if (pt.y < layout.thumb.top) return ScrollPart::PageUp;
  if (pt.y >= layout.thumb.bottom) return ScrollPart::PageDown;
  return ScrollPart::Thumb;
}

int ScrollPositionForThumb(const ScrollBarLayout& layout, const ScrollBarView& view, int thumbTop) {
  const int range = view.maximum - std::max(view.page, 0);
  const int travel = Height(layout.track) - Height(layout.thumb);
  if (!layout.hasThumb || range <= 0 || travel <= 0) return 0;
  const int offset = std::clamp(thumbTop - static_cast<int>(layout.track.top), 0, travel);
  return std::clamp(MulDiv(offset, range, travel), 0, range);
}

RECT ListLinesRect(const ItemView& list) {
  RECT lines = InteriorRect(list);
  if (list.vscroll.visible) lines.right = ComputeScrollBar(list).bar.left;
  return lines;
}

POINT EditTextOrigin(const ItemView& edit, const Font& font) {
  const RECT inner = InteriorRect(edit);
  return POINT{inner.left + kEditTextIndent - edit.scrollX, inner.top + std::max((Height(inner) - font.Height()) / 2, 0)};
}

int MenuLineWidth(const Font& font, std::string_view text) {
  const std::size_t tab = text.find('\t');
  int width = kMenuTextIndent + font.MeasureLine(text.substr(0, tab), true).cx + kMenuRightMargin;
  if (tab != std::string_view::npos) width += kMenuAccelGap + font.MeasureLine(text.substr(tab + 1), true).cx;
  return width;
}

int MenuLineHeight(const Font& font, bool separator) { return separator ? kMenuSeparatorHeight : font.Height() + 6; }

}  // namespace render
