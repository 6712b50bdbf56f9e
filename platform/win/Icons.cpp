// Icon handles: the program's icons from its resources and the standard
// system icons of message boxes. Icons are shared and live as long as the
// process, so a handle never dangles.

#include <cstdlib>
#include <deque>

#include "platform/win/WindowSystem.h"

struct IconHandle {
  UINT id = 0;
  const win::IconResource* resource = nullptr;
  render::SystemIcon system = render::SystemIcon::None;
};

namespace {

std::deque<IconHandle>& Icons() {
  static std::deque<IconHandle> icons;
  return icons;
}

}  // namespace

HICON LoadIconA(UINT resourceId) {
  for (auto& icon : Icons())
    if (icon.id == resourceId) return &icon;
  IconHandle handle;
  handle.id = resourceId;
  switch (resourceId) {
    case IDI_HAND: handle.system = render::SystemIcon::Stop; break;
    case IDI_EXCLAMATION: handle.system = render::SystemIcon::Exclamation; break;
    case IDI_ASTERISK: handle.system = render::SystemIcon::Information; break;
    case IDI_QUESTION: handle.system = render::SystemIcon::Question; break;
    default:
      handle.resource = win::FindIconResource(resourceId);
      if (!handle.resource || handle.resource->images.empty()) return nullptr;
      break;
  }
  Icons().push_back(handle);
  return &Icons().back();
}

const win::IconImage* IconImageOf(HICON icon, int size) {
  if (!icon || !icon->resource) return nullptr;
  const win::IconImage* best = nullptr;
  for (const auto& image : icon->resource->images) {
    if (!best || std::abs(image.width - size) < std::abs(best->width - size)) best = &image;
  }
  return best;
}

namespace win {

render::IconRef IconRefOf(HICON icon, int size) {
  render::IconRef ref;
  if (!icon) return ref;
  ref.image = IconImageOf(icon, size);
  ref.system = icon->system;
  return ref;
}

}  // namespace win
