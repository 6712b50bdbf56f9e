#pragma once
// Paints one control of a scene (push button, static, icon static, list box
// with its scroll bar, edit) or one line of a popup menu onto a Canvas.
// The control's state comes entirely from its view; geometry that the window
// system also needs comes from ControlGeometry.

#include "platform/render/Canvas.h"
#include "platform/render/ControlGeometry.h"
#include "platform/render/Scene.h"

namespace render {

class ControlPainter {
 public:
  explicit ControlPainter(Canvas& canvas) : m_canvas(canvas) {}

  void Paint(const ItemView& item);
  void PaintMenuLine(const MenuLineView& line);

 private:
  void PaintPushButton(const ItemView& item);
  void PaintStatic(const ItemView& item);
  void PaintIconStatic(const ItemView& item);
  void PaintListBox(const ItemView& item);
  void PaintEdit(const ItemView& item);
  void PaintScrollBar(const ScrollBarLayout& layout, const ScrollBarView& view);
  void PaintArrow(const RECT& r, bool up, bool pressed, bool enabled);
  // The sunken client edge or the border of a list box or edit.
  void PaintFieldEdge(const ItemView& item);

  Canvas& m_canvas;
};

}  // namespace render
