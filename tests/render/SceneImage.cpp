#include "tests/render/SceneImage.h"

#include <cairo.h>

#include <cmath>

#include "platform/render/Renderer.h"

namespace render::test {

const Font& DialogFont() {
  static const std::shared_ptr<const Font> font = Font::Open(FontRequest{"ＭＳ Ｐゴシック", 9}, 96.0);
  return *font;
}

SceneImage::SceneImage(const SceneView& scene, double scale)
    : m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(std::ceil(scene.width * scale)),
                                           static_cast<int>(std::ceil(scene.height * scale)))) {
  cairo_t* cr = cairo_create(m_surface);
  cairo_scale(cr, scale, scale);
  DrawScene(cr, scene, DialogFont());
  cairo_destroy(cr);
  cairo_surface_flush(m_surface);
}

SceneImage::~SceneImage() { cairo_surface_destroy(m_surface); }

int SceneImage::Width() const { return cairo_image_surface_get_width(m_surface); }
int SceneImage::Height() const { return cairo_image_surface_get_height(m_surface); }

DWORD SceneImage::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0xFFFFFFFFu;
  const unsigned char* row = cairo_image_surface_get_data(m_surface) + y * cairo_image_surface_get_stride(m_surface);
  return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

int SceneImage::Count(const RECT& r, DWORD rgb) const {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += Pixel(x, y) == rgb ? 1 : 0;
  return n;
}

}  // namespace render::test
