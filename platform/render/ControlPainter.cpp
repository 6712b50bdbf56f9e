#include "platform/render/ControlPainter.h"

#include <algorithm>
#include <string>

#include "platform/render/Colors.h"
#include "platform/render/IconPainter.h"

namespace render {

void ControlPainter::Paint(const ItemView& item) {
  if (item.rect.right <= item.rect.left || item.rect.bottom <= item.rect.top) return;
  switch (item.kind) {
    case ItemKind::PushButton: PaintPushButton(item); break;
    case ItemKind::Static: PaintStatic(item); break;
    case ItemKind::IconStatic: PaintIconStatic(item); break;
    case ItemKind::ListBox: PaintListBox(item); break;
    case ItemKind::Edit: PaintEdit(item); break;
  }
}

void ControlPainter::PaintPushButton(const ItemView& item) {
  RECT r = item.rect;
  // The default button's dark frame doubles as the outer line of the
  // pressed look, so a pressed button looks the same either way.
  if (item.defaultButton || item.pressed) {
    m_canvas.Frame(r, kColorDarkShadow);
    r = Inset(r, 1);
  }
  if (item.pressed) {
    m_canvas.Frame(r, kColorShadow);
    r = Inset(r, 1);
  } else {
    r = m_canvas.RaisedBevel(r);
  }
  m_canvas.Fill(r, kColorFace);

  TextLayoutOptions options;
  options.prefix = true;
  const auto layout = m_canvas.Layout(item.text, options);
  const int shift = item.pressed ? 1 : 0;
  const int x = item.rect.left + (Width(item.rect) - layout->Width()) / 2 + shift;
  const int y = item.rect.top + (Height(item.rect) - m_canvas.LineHeight()) / 2 + shift;
  m_canvas.PushClip(r);
  if (item.enabled)
    m_canvas.DrawText(*layout, x, y, kColorText);
  else
    m_canvas.DrawEmbossedText(*layout, x, y);
  m_canvas.PopClip();

  if (item.focused && item.showFocusCues) m_canvas.FocusRect(Inset(item.rect, kButtonFocusInset));
}

void ControlPainter::PaintStatic(const ItemView& item) {
  RECT r = item.rect;
  if (item.border) {
    m_canvas.Frame(r, kColorDarkShadow);
    r = Inset(r, 1);
  }
  if (item.sunken) {
    m_canvas.Edge(r, kColorShadow, kColorHighlight);
    r = Inset(r, 1);
  }
  if (Width(r) == 0 || Height(r) == 0) return;
  m_canvas.Fill(r, kColorFace);

  TextLayoutOptions options;
  options.prefix = item.prefix;
  options.wrapWidth = Width(r);
  options.align = item.align;
  const auto layout = m_canvas.Layout(item.text, options);
  m_canvas.PushClip(r);
  m_canvas.DrawText(*layout, r.left, r.top, item.enabled ? kColorText : kColorGrayText);
  m_canvas.PopClip();
}

void ControlPainter::PaintIconStatic(const ItemView& item) {
  m_canvas.Fill(item.rect, kColorFace);
  DrawIcon(m_canvas.Cairo(), item.rect.left, item.rect.top, item.icon);
}

void ControlPainter::PaintFieldEdge(const ItemView& item) {
  if (item.clientEdge)
    m_canvas.SunkenClientEdge(item.rect);
  else if (item.border)
    m_canvas.Frame(item.rect, kColorDarkShadow);
}

void ControlPainter::PaintListBox(const ItemView& item) {
  PaintFieldEdge(item);
  m_canvas.Fill(InteriorRect(item), kColorWindow);

  const RECT lines = ListLinesRect(item);
  const int lineHeight = item.itemHeight > 0 ? item.itemHeight : m_canvas.LineHeight();
  const int textOffset = std::max((lineHeight - m_canvas.LineHeight()) / 2, 0);
  const int count = static_cast<int>(item.lines.size());
  const int top = std::max(item.topIndex, 0);
  auto rowRect = [&](int index) {
    const int y = lines.top + (index - top) * lineHeight;
    return RECT{lines.left, y, lines.right, y + lineHeight};
  };

  m_canvas.PushClip(lines);
  for (int i = top; i < count; ++i) {
    const RECT row = rowRect(i);
    if (row.top >= lines.bottom) break;
    DWORD color = item.enabled ? kColorText : kColorGrayText;
    if (i == item.selected && item.enabled) {
      m_canvas.Fill(row, kColorSelection);
      color = kColorSelectionText;
    }
    const auto layout = m_canvas.Layout(item.lines[static_cast<std::size_t>(i)]);
    m_canvas.DrawText(*layout, row.left + kListTextIndent, row.top + textOffset, color);
  }
  if (item.focused && item.showFocusCues) {
    // Without lines the focus rectangle marks where the first line would be.
    const int caret = count == 0 ? top : std::clamp(item.caretIndex, 0, count - 1);
    if (caret >= top) m_canvas.FocusRect(rowRect(caret));
  }
  m_canvas.PopClip();

  if (item.vscroll.visible) PaintScrollBar(ComputeScrollBar(item), item.vscroll);
}

void ControlPainter::PaintArrow(const RECT& r, bool up, bool pressed, bool enabled) {
  RECT face = r;
  if (pressed) {
    m_canvas.Frame(face, kColorShadow);
    face = Inset(face, 1);
  } else {
    face = m_canvas.RaisedBevel(face);
  }
  m_canvas.Fill(face, kColorFace);

  // A solid triangle: rows one pixel wider on each side, pointing up or down.
  const int size = std::min(Width(r), Height(r));
  const int rows = std::max((size + 1) / 4, 1);
  const int shift = pressed ? 1 : 0;
  const int cx = r.left + (Width(r) - 1) / 2 + shift;
  const int top = r.top + (Height(r) - rows) / 2 + shift;
  auto triangle = [&](int dx, DWORD color) {
    for (int i = 0; i < rows; ++i) {
      const int half = up ? i : rows - 1 - i;
      m_canvas.Fill(RECT{cx - half + dx, top + i + dx, cx + half + 1 + dx, top + i + 1 + dx}, color);
    }
  };
  if (enabled) {
    triangle(0, kColorDarkShadow);
  } else {
    triangle(1, kColorHighlight);
    triangle(0, kColorShadow);
  }
}

void ControlPainter::PaintScrollBar(const ScrollBarLayout& layout, const ScrollBarView& view) {
  const bool live = view.enabled && layout.hasThumb;
  PaintArrow(layout.upArrow, true, view.pressed == ScrollPart::LineUp, live);
  PaintArrow(layout.downArrow, false, view.pressed == ScrollPart::LineDown, live);
  m_canvas.Fill(layout.track, kColorScrollTrack);
  if (!layout.hasThumb) return;
  // The part of the track that pages while held is shown dark.
  if (view.pressed == ScrollPart::PageUp)
    m_canvas.Fill(RECT{layout.track.left, layout.track.top, layout.track.right, layout.thumb.top}, kColorDarkShadow);
  if (view.pressed == ScrollPart::PageDown)
    m_canvas.Fill(RECT{layout.track.left, layout.thumb.bottom, layout.track.right, layout.track.bottom},
                  kColorDarkShadow);
  m_canvas.Fill(m_canvas.RaisedBevel(layout.thumb), kColorFace);
}

void ControlPainter::PaintEdit(const ItemView& item) {
  PaintFieldEdge(item);
  const RECT inner = InteriorRect(item);
  m_canvas.Fill(inner, item.enabled ? kColorWindow : kColorFace);

  const int size = static_cast<int>(item.text.size());
  const int caret = std::clamp(item.caret, 0, size);
  // Pre-edit text is shown where it will be committed, underlined.
  std::string shown = item.text;
  TextLayoutOptions options;
  if (!item.preedit.empty()) {
    shown.insert(static_cast<std::size_t>(caret), item.preedit);
    options.underlineStart = caret;
    options.underlineEnd = caret + static_cast<int>(item.preedit.size());
  }
  const auto layout = m_canvas.Layout(shown, options);
  const POINT origin = EditTextOrigin(item, m_canvas.GetFont());
  const int lineHeight = m_canvas.LineHeight();

  m_canvas.PushClip(inner);
  m_canvas.DrawText(*layout, origin.x, origin.y, item.enabled ? kColorText : kColorGrayText);
  if (item.focused && item.preedit.empty()) {
    const int start = std::clamp(std::min(item.selStart, item.selEnd), 0, size);
    const int end = std::clamp(std::max(item.selStart, item.selEnd), 0, size);
    if (start < end) {
      const RECT selection{origin.x + layout->XAtOffset(start), origin.y, origin.x + layout->XAtOffset(end),
                           origin.y + lineHeight};
      m_canvas.PushClip(selection);
      m_canvas.Fill(selection, kColorSelection);
      m_canvas.DrawText(*layout, origin.x, origin.y, kColorSelectionText);
      m_canvas.PopClip();
    }
  }
  if (item.focused) {
    const int caretX = origin.x + layout->XAtOffset(options.underlineEnd > 0 ? options.underlineEnd : caret);
    m_canvas.Fill(RECT{caretX, origin.y, caretX + 1, origin.y + lineHeight}, kColorText);
  }
  m_canvas.PopClip();
}

void ControlPainter::PaintMenuLine(const MenuLineView& line) {
  const RECT& r = line.rect;
  if (line.separator) {
    const int y = r.top + Height(r) / 2 - 1;
    m_canvas.Fill(RECT{r.left + 1, y, r.right - 1, y + 1}, kColorShadow);
    m_canvas.Fill(RECT{r.left + 1, y + 1, r.right - 1, y + 2}, kColorHighlight);
    return;
  }
  if (line.highlighted) m_canvas.Fill(r, kColorSelection);

  const std::string_view text = line.text;
  const std::size_t tab = text.find('\t');
  TextLayoutOptions options;
  options.prefix = true;
  const auto label = m_canvas.Layout(text.substr(0, tab), options);
  const int y = r.top + (Height(r) - m_canvas.LineHeight()) / 2;
  auto draw = [&](const TextLayout& layout, int x) {
    if (line.enabled)
      m_canvas.DrawText(layout, x, y, line.highlighted ? kColorSelectionText : kColorText);
    else if (line.highlighted)
      m_canvas.DrawText(layout, x, y, kColorGrayText);
    else
      m_canvas.DrawEmbossedText(layout, x, y);
  };
  m_canvas.PushClip(r);
  draw(*label, r.left + kMenuTextIndent);
  if (tab != std::string_view::npos) {
    const auto accel = m_canvas.Layout(text.substr(tab + 1), options);
    draw(*accel, r.right - kMenuRightMargin - accel->Width());
  }
  m_canvas.PopClip();
}

}  // namespace render
