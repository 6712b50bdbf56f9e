#pragma once
// Draws icons at the standard icon size: the program's own 16-colour images,
// scaled without smoothing so their pixels stay sharp, and the system icons
// of message boxes, painted from shapes.

#include "platform/render/Scene.h"

typedef struct _cairo cairo_t;

namespace render {

constexpr int kIconSize = 32;  // SM_CXICON and SM_CYICON

// Draws `icon` with its top-left corner at (x, y), kIconSize square.
void DrawIcon(cairo_t* cr, int x, int y, const IconRef& icon);

}  // namespace render
