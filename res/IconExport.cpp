// Writes the program icon as a PNG file of a given size, for the desktop's
// icon theme: vusk_icon SIZE PATH. Sizes above 32 are the 32-pixel image
// enlarged pixel for pixel, as the classic icon was drawn.

#include <cairo.h>

#include <cstdio>
#include <cstdlib>

#include "platform/render/Renderer.h"
#include "res/Resources.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vusk_icon SIZE FILE.png\n");
    return 2;
  }
  int size = std::atoi(argv[1]);
  if (size < 16 || size > 1024) {
    std::fprintf(stderr, "vusk_icon: size must be 16 to 1024\n");
    return 2;
  }
  const win::IconResource& icon = VuskResources().icons[0];
  const win::IconImage& image = size <= 16 ? icon.images[1] : icon.images[0];
  cairo_surface_t* source = render::CreateIconSurface(image);
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(target);
  cairo_scale(cr, static_cast<double>(size) / image.width, static_cast<double>(size) / image.height);
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(target, argv[2]) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(target);
  cairo_surface_destroy(source);
  if (!ok) std::fprintf(stderr, "vusk_icon: cannot write %s\n", argv[2]);
  return ok ? 0 : 1;
}
