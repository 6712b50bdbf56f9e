#include "platform/render/Renderer.h"

#include <cairo.h>

#include <cmath>

#include "platform/render/Canvas.h"
#include "platform/render/Colors.h"
#include "platform/render/ControlPainter.h"
#include "platform/render/IconPainter.h"

namespace render {

void DrawScene(cairo_t* cr, const SceneView& scene, const Font& font) {
  Canvas canvas(cr, font);
  const RECT client{0, 0, scene.width, scene.height};
  if (scene.eraseBackground) {
    canvas.Fill(client, kColorFace);
    if (scene.background == SceneView::Background::Menu) canvas.RaisedBevel(client);
  }
  for (const IconDraw& draw : scene.iconDraws) DrawIcon(cr, draw.x, draw.y, draw.icon);

  ControlPainter painter(canvas);
  for (const ItemView& item : scene.items) painter.Paint(item);
  for (const MenuLineView& line : scene.menu) painter.PaintMenuLine(line);
}

bool WriteScenePng(const SceneView& scene, const Font& font, const std::string& path, double scale) {
  if (!std::isfinite(scale) || scale <= 0) return false;
  const int width = static_cast<int>(std::ceil(scene.width * scale));
  const int height = static_cast<int>(std::ceil(scene.height * scale));
  if (width <= 0 || height <= 0) return false;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  if (ok) {
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    DrawScene(cr, scene, font);
    ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_flush(surface);
  }
  ok = ok && cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace render
