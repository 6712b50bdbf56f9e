#include "platform/render/Font.h"

#include "platform/render/ResolvedFont.h"

namespace render {

std::shared_ptr<const Font> Font::Open(const FontRequest& request, double dpi) {
  return std::make_shared<const ResolvedFont>(request, dpi);
}

}  // namespace render
