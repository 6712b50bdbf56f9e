#include "platform/render/Canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "platform/render/Colors.h"

namespace render {

RECT Inset(const RECT& r, int by) { return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by}; }
int Width(const RECT& r) { return std::max<int>(r.right - r.left, 0); }
int Height(const RECT& r) { return std::max<int>(r.bottom - r.top, 0); }

Canvas::Canvas(cairo_t* cr, const Font& font) : m_cr(cr), m_font(font), m_context(font.Context()) {
  if (!m_context) {
    // A font without a context of its own: lay text out for this target at
    // the font's resolution.
    m_context = pango_cairo_create_context(cr);
    pango_cairo_context_set_resolution(m_context, font.Dpi());
    m_ownsContext = true;
  }
  cairo_save(m_cr);
  cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_DEFAULT);
}

Canvas::~Canvas() {
  cairo_restore(m_cr);
  if (m_ownsContext) g_object_unref(m_context);
}

void Canvas::SetColor(DWORD rgb) {
  cairo_set_source_rgb(m_cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

void Canvas::Fill(const RECT& r, DWORD rgb) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  SetColor(rgb);
  cairo_rectangle(m_cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  cairo_fill(m_cr);
}

void Canvas::Frame(const RECT& r, DWORD rgb) { Edge(r, rgb, rgb); }

void Canvas::Edge(const RECT& r, DWORD topLeft, DWORD bottomRight) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  Fill(RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  Fill(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

RECT Canvas::RaisedBevel(const RECT& r) {
  Edge(r, kColorHighlight, kColorDarkShadow);
  const RECT inner = Inset(r, 1);
  Edge(inner, kColorLight, kColorShadow);
  return Inset(inner, 1);
}

RECT Canvas::SunkenClientEdge(const RECT& r) {
  Edge(r, kColorShadow, kColorHighlight);
  const RECT inner = Inset(r, 1);
  Edge(inner, kColorDarkShadow, kColorLight);
  return Inset(inner, 1);
}

void Canvas::FocusRect(const RECT& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  cairo_save(m_cr);
  cairo_set_operator(m_cr, CAIRO_OPERATOR_DIFFERENCE);
  cairo_set_source_rgb(m_cr, 1, 1, 1);
  // Every other pixel around the perimeter, walked once so no pixel is
  // inverted twice at the corners.
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  int step = 0;
  auto dot = [&](int x, int y) {
    if (step++ % 2 == 0) cairo_rectangle(m_cr, x, y, 1, 1);
  };
  for (int x = 0; x < w; ++x) dot(r.left + x, r.top);
  for (int y = 1; y < h; ++y) dot(r.right - 1, r.top + y);
  if (h > 1)
    for (int x = w - 2; x >= 0; --x) dot(r.left + x, r.bottom - 1);
  if (w > 1)
    for (int y = h - 2; y >= 1; --y) dot(r.left, r.top + y);
  cairo_fill(m_cr);
  cairo_restore(m_cr);
}

void Canvas::PushClip(const RECT& r) {
  cairo_save(m_cr);
  cairo_rectangle(m_cr, r.left, r.top, Width(r), Height(r));
  cairo_clip(m_cr);
}

void Canvas::PopClip() { cairo_restore(m_cr); }

std::unique_ptr<TextLayout> Canvas::Layout(std::string_view text, const TextLayoutOptions& options) const {
  return std::make_unique<TextLayout>(m_context, m_font.Description(), m_font.Height(), text, options);
}

void Canvas::DrawText(const TextLayout& layout, int x, int y, DWORD rgb) {
  // Glyphs are drawn without smoothing (see the font's options); underlines
  // follow suit so they stay one solid pixel row.
  cairo_save(m_cr);
  cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
  SetColor(rgb);
  cairo_move_to(m_cr, x, y);
  pango_cairo_show_layout(m_cr, layout.Get());
  cairo_new_path(m_cr);
  cairo_restore(m_cr);
}

void Canvas::DrawEmbossedText(const TextLayout& layout, int x, int y) {
  DrawText(layout, x + 1, y + 1, kColorHighlight);
  DrawText(layout, x, y, kColorGrayText);
}

}  // namespace render
