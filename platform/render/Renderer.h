#pragma once
// Paints a SceneView in the classic three-dimensional look with cairo and
// pango. Used by the GTK host on screen and by the headless host for
// snapshots; the same code draws both.

#include <string>

#include "platform/render/Font.h"
#include "platform/render/Scene.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace render {

void DrawScene(cairo_t* cr, const SceneView& scene, const Font& font);

// An ARGB32 image surface of one icon image; the caller destroys it.
cairo_surface_t* CreateIconSurface(const win::IconImage& image);

// Renders `scene` into a PNG file at `scale` (2 for a high-density screen).
bool WriteScenePng(const SceneView& scene, const Font& font, const std::string& path, double scale = 1.0);

}  // namespace render
