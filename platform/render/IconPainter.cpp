#include "platform/render/IconPainter.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#include "platform/render/Renderer.h"

namespace render {

namespace {

constexpr double kPi = std::numbers::pi;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void SetRgb(cairo_t* cr, int r, int g, int b) { cairo_set_source_rgb(cr, r / 255.0, g / 255.0, b / 255.0); }

// The round outline shared by the information and question icons: a white
// bubble with a short tail at the lower left.
// Fills the current path and draws a one-pixel outline around it.
void FillAndOutline(cairo_t* cr, int r, int g, int b, int outlineR, int outlineG, int outlineB) {
  SetRgb(cr, r, g, b);
  cairo_fill_preserve(cr);
  SetRgb(cr, outlineR, outlineG, outlineB);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void SpeechBubble(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, 16, 13.5);
  cairo_scale(cr, 14, 12);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_move_to(cr, 8, 22);
  cairo_line_to(cr, 6, 30.5);
  cairo_line_to(cr, 14, 24.5);
  cairo_close_path(cr);
  FillAndOutline(cr, 255, 255, 255, 0, 0, 0);
  // The tail's join into the bubble should not show a line.
  cairo_move_to(cr, 8.6, 22.6);
  cairo_line_to(cr, 13.2, 23.6);
  SetRgb(cr, 255, 255, 255);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
}

void DrawStop(cairo_t* cr) {
  cairo_arc(cr, 16, 16, 14.5, 0, 2 * kPi);
  FillAndOutline(cr, 255, 0, 0, 128, 0, 0);
  SetRgb(cr, 255, 255, 255);
  cairo_set_line_width(cr, 3.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
  cairo_move_to(cr, 10.5, 10.5);
  cairo_line_to(cr, 21.5, 21.5);
  cairo_move_to(cr, 21.5, 10.5);
  cairo_line_to(cr, 10.5, 21.5);
  cairo_stroke(cr);
}

void DrawExclamation(cairo_t* cr) {
  cairo_move_to(cr, 16, 1.5);
  cairo_line_to(cr, 30.5, 29.5);
  cairo_line_to(cr, 1.5, 29.5);
  cairo_close_path(cr);
  FillAndOutline(cr, 255, 255, 0, 0, 0, 0);
  cairo_rectangle(cr, 14.5, 10, 3, 11);
  cairo_rectangle(cr, 14.5, 23, 3, 3);
  cairo_fill(cr);
}

void DrawInformation(cairo_t* cr) {
  SpeechBubble(cr);
  SetRgb(cr, 0, 0, 255);
  cairo_rectangle(cr, 14.5, 5, 3, 3);
  cairo_rectangle(cr, 14.5, 10, 3, 11);
  cairo_rectangle(cr, 12.5, 10, 2, 2);
  cairo_rectangle(cr, 12.5, 19, 7, 2);
  cairo_fill(cr);
}

void DrawQuestion(cairo_t* cr) {
  SpeechBubble(cr);
  SetRgb(cr, 0, 0, 255);
  cairo_set_line_width(cr, 3);
  cairo_new_path(cr);
  cairo_arc(cr, 16, 10, 4.5, kPi, 2.35 * kPi);
  cairo_line_to(cr, 16, 15.5);
  cairo_line_to(cr, 16, 18);
  cairo_stroke(cr);
  cairo_rectangle(cr, 14.5, 20, 3, 3);
  cairo_fill(cr);
}

}  // namespace

cairo_surface_t* CreateIconSurface(const win::IconImage& image) {
  const int width = std::max(image.width, 0);
  const int height = std::max(image.height, 0);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return surface;
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const int rows = std::min<int>(height, static_cast<int>(image.rows.size()));
  for (int y = 0; y < rows; ++y) {
    const char* row = image.rows[static_cast<std::size_t>(y)];
    if (!row) continue;
    auto* pixels = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    // A short row leaves the rest transparent; a longer one is cut.
    const int length = static_cast<int>(strnlen(row, static_cast<std::size_t>(width)));
    for (int x = 0; x < length; ++x) {
      const int index = HexValue(row[x]);
      if (index >= 0) pixels[x] = 0xFF000000u | win::kPalette16[index];
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

void DrawIcon(cairo_t* cr, int x, int y, const IconRef& icon) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  if (icon.image) {
    cairo_surface_t* surface = CreateIconSurface(*icon.image);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS && icon.image->width > 0 && icon.image->height > 0) {
      cairo_rectangle(cr, 0, 0, kIconSize, kIconSize);
      cairo_clip(cr);
      cairo_scale(cr, static_cast<double>(kIconSize) / icon.image->width,
                  static_cast<double>(kIconSize) / icon.image->height);
      cairo_set_source_surface(cr, surface, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
      cairo_paint(cr);
    }
    cairo_surface_destroy(surface);
  } else {
    switch (icon.system) {
      case SystemIcon::Stop: DrawStop(cr); break;
      case SystemIcon::Exclamation: DrawExclamation(cr); break;
      case SystemIcon::Information: DrawInformation(cr); break;
      case SystemIcon::Question: DrawQuestion(cr); break;
      case SystemIcon::None: break;
    }
  }
  cairo_restore(cr);
}

}  // namespace render
