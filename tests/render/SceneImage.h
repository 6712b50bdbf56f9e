#pragma once
// A scene painted into an in-memory image, with pixel access for checks.

#include <memory>

#include "platform/render/Font.h"
#include "platform/render/Scene.h"
#include "platform/win/WinTypes.h"

typedef struct _cairo_surface cairo_surface_t;

namespace render::test {

// The dialog font at 96 dpi, opened once for all tests.
const Font& DialogFont();

class SceneImage {
 public:
  explicit SceneImage(const SceneView& scene, double scale = 1.0);
  ~SceneImage();
  SceneImage(const SceneImage&) = delete;
  SceneImage& operator=(const SceneImage&) = delete;

  int Width() const;
  int Height() const;
  // 0xRRGGBB of device pixel (x, y); the scene is opaque everywhere.
  DWORD Pixel(int x, int y) const;
  // How many pixels of `r` have colour `rgb`.
  int Count(const RECT& r, DWORD rgb) const;

 private:
  cairo_surface_t* m_surface;
};

}  // namespace render::test
