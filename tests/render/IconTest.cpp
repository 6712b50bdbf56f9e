#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/render/Renderer.h"
#include "tests/render/SceneImage.h"

namespace render {
namespace {

std::uint32_t SurfacePixel(cairo_surface_t* surface, int x, int y) {
  const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  return reinterpret_cast<const std::uint32_t*>(row)[x];
}

TEST(IconTest, DecodesPaletteIndicesAndTransparency) {
  static const char* const rows[] = {"0.F", "C9?", "a"};  // the last row is short
  const win::IconImage image{3, 4, rows};                 // and the fourth is missing
  cairo_surface_t* surface = CreateIconSurface(image);
  ASSERT_EQ(cairo_surface_status(surface), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(surface), 3);
  EXPECT_EQ(cairo_image_surface_get_height(surface), 4);
  struct {
    int x, y;
    std::uint32_t argb;
  } const expected[] = {
      {0, 0, 0xFF000000}, {1, 0, 0x00000000}, {2, 0, 0xFFFFFFFF},  // black, transparent, white
      {0, 1, 0xFF0000FF}, {1, 1, 0xFFFF0000}, {2, 1, 0x00000000},  // blue, red, not a digit
      {0, 2, 0xFF00FF00}, {1, 2, 0x00000000}, {2, 2, 0x00000000},  // lime, past the row's end
      {0, 3, 0x00000000}, {2, 3, 0x00000000},
  };
  for (const auto& e : expected) EXPECT_EQ(SurfacePixel(surface, e.x, e.y), e.argb) << e.x << "," << e.y;
  cairo_surface_destroy(surface);
}

TEST(IconTest, EmptyImageGivesAnEmptySurface) {
  const win::IconImage image{-4, 0, {}};
  cairo_surface_t* surface = CreateIconSurface(image);
  EXPECT_EQ(cairo_image_surface_get_width(surface), 0);
  cairo_surface_destroy(surface);
}

TEST(IconTest, IconStaticDrawsTheImageAtIconSize) {
  // A 16-pixel image: its top-left pixel black, the rest transparent, is
  // drawn doubled, so a 2x2 black block over the face.
  static const char* const rows[16] = {"0..............."};
  SceneView scene;
  scene.width = 60;
  scene.height = 60;
  ItemView icon;
  icon.kind = ItemKind::IconStatic;
  icon.rect = RECT{10, 10, 40, 40};
  const win::IconImage image{16, 16, rows};
  icon.icon.image = &image;
  scene.items.push_back(icon);
  const test::SceneImage out(scene);
  EXPECT_EQ(out.Count(RECT{10, 10, 12, 12}, 0x000000), 4);
  EXPECT_EQ(out.Pixel(12, 10), 0xC0C0C0u);
  EXPECT_EQ(out.Pixel(10, 12), 0xC0C0C0u);
  EXPECT_EQ(out.Count(RECT{0, 0, 60, 60}, 0x000000), 4);
}

struct SystemIconCase {
  SystemIcon icon;
  int x, y;
  DWORD rgb;
};

void PrintTo(const SystemIconCase& c, std::ostream* os) {
  *os << "icon " << static_cast<int>(c.icon) << " at " << c.x << "," << c.y;
}

class SystemIconTest : public testing::TestWithParam<SystemIconCase> {};

TEST_P(SystemIconTest, PaintsTheCharacteristicColours) {
  SceneView scene;
  scene.width = 40;
  scene.height = 40;
  IconDraw draw;
  draw.x = 4;
  draw.y = 4;
  draw.icon.system = GetParam().icon;
  scene.iconDraws.push_back(draw);
  const test::SceneImage out(scene);
  EXPECT_EQ(out.Pixel(4 + GetParam().x, 4 + GetParam().y), GetParam().rgb);
  // Nothing is drawn outside the icon square.
  EXPECT_EQ(out.Count(RECT{0, 0, 40, 4}, 0xC0C0C0), 160);
  EXPECT_EQ(out.Count(RECT{36, 0, 40, 40}, 0xC0C0C0), 160);
}

INSTANTIATE_TEST_SUITE_P(
    Icons, SystemIconTest,
    testing::Values(SystemIconCase{SystemIcon::Stop, 16, 4, 0xFF0000},    // the red disc
                    SystemIconCase{SystemIcon::Stop, 16, 16, 0xFFFFFF},   // the middle of the white X
                    SystemIconCase{SystemIcon::Exclamation, 8, 26, 0xFFFF00},
                    SystemIconCase{SystemIcon::Exclamation, 16, 15, 0x000000},  // the "!"
                    SystemIconCase{SystemIcon::Information, 6, 12, 0xFFFFFF},
                    SystemIconCase{SystemIcon::Information, 16, 15, 0x0000FF},  // the "i"
                    SystemIconCase{SystemIcon::Question, 6, 12, 0xFFFFFF},
                    SystemIconCase{SystemIcon::Question, 16, 21, 0x0000FF},  // the dot of the "?"
                    SystemIconCase{SystemIcon::None, 16, 16, 0xC0C0C0}));

}  // namespace
}  // namespace render
