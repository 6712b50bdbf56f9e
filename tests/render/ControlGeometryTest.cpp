#include <gtest/gtest.h>

#include "platform/render/ControlGeometry.h"
#include "tests/render/SceneImage.h"

namespace render {
namespace {

// A list box 200 x 140 at (10, 20) with a sunken client edge.
ItemView ListBox(ScrollBarView scroll) {
  ItemView list;
  list.kind = ItemKind::ListBox;
  list.rect = RECT{10, 20, 210, 160};
  list.clientEdge = true;
  list.vscroll = scroll;
  return list;
}

TEST(ControlGeometryTest, ScrollBarSitsInsideTheEdgeAtTheRight) {
  const ScrollBarLayout layout = ComputeScrollBar(ListBox({true, true, 0, 100, 10}));
  EXPECT_EQ(layout.bar, (RECT{192, 22, 208, 158}));
  EXPECT_EQ(layout.upArrow, (RECT{192, 22, 208, 38}));
  EXPECT_EQ(layout.downArrow, (RECT{192, 142, 208, 158}));
  EXPECT_EQ(layout.track, (RECT{192, 38, 208, 142}));
  EXPECT_TRUE(layout.hasThumb);

  // With a plain border the bar is one pixel further out.
  const ScrollBarLayout bordered = ComputeScrollBar(RECT{10, 20, 210, 160}, false, true, {true, true, 0, 100, 10});
  EXPECT_EQ(bordered.bar, (RECT{193, 21, 209, 159}));
  EXPECT_EQ(ListLinesRect(ListBox({true, true, 0, 100, 10})), (RECT{12, 22, 192, 158}));
  EXPECT_EQ(ListLinesRect(ListBox({})), (RECT{12, 22, 208, 158}));
}

struct ThumbCase {
  int position;
  int maximum;
  int page;
  bool enabled;
  bool hasThumb;
  int thumbTop;     // relative to the track
  int thumbHeight;
};

void PrintTo(const ThumbCase& c, std::ostream* os) {
  *os << "position " << c.position << " of " << c.maximum << " page " << c.page << (c.enabled ? "" : " disabled");
}

class ThumbTest : public testing::TestWithParam<ThumbCase> {};

TEST_P(ThumbTest, SizeAndPlaceFollowPageAndPosition) {
  const ThumbCase& c = GetParam();
  const ScrollBarLayout layout = ComputeScrollBar(ListBox({true, c.enabled, c.position, c.maximum, c.page}));
  ASSERT_EQ(layout.hasThumb, c.hasThumb);
  if (!c.hasThumb) return;
  EXPECT_EQ(layout.thumb.top - layout.track.top, c.thumbTop);
  EXPECT_EQ(layout.thumb.bottom - layout.thumb.top, c.thumbHeight);
  EXPECT_EQ(layout.thumb.left, layout.bar.left);
  EXPECT_EQ(layout.thumb.right, layout.bar.right);
}

// The track is 104 pixels tall.
INSTANTIATE_TEST_SUITE_P(Cases, ThumbTest,
                         testing::Values(ThumbCase{0, 20, 10, true, true, 0, 52},
                                         ThumbCase{10, 20, 10, true, true, 52, 52},
                                         ThumbCase{5, 20, 10, true, true, 26, 52},
                                         ThumbCase{99, 20, 10, true, true, 52, 52},   // clamped to the end
                                         ThumbCase{-3, 20, 10, true, true, 0, 52},    // clamped to the start
                                         ThumbCase{0, 1000, 10, true, true, 0, 8},    // the minimum size
                                         ThumbCase{990, 1000, 10, true, true, 96, 8},
                                         ThumbCase{0, 10, 10, true, false, 0, 0},     // nothing to scroll
                                         ThumbCase{0, 0, 0, true, false, 0, 0},
                                         ThumbCase{3, 20, 10, false, false, 0, 0}));  // disabled

struct HitCase {
  POINT pt;
  ScrollPart part;
};

void PrintTo(const HitCase& c, std::ostream* os) { *os << c.pt.x << "," << c.pt.y; }

class HitTest : public testing::TestWithParam<HitCase> {};

TEST_P(HitTest, FindsThePartUnderThePoint) {
  // Thumb at 38 + 26 = 64, 52 tall.
  const ScrollBarLayout layout = ComputeScrollBar(ListBox({true, true, 5, 20, 10}));
  EXPECT_EQ(HitTestScrollBar(layout, GetParam().pt), GetParam().part);
}

INSTANTIATE_TEST_SUITE_P(Points, HitTest,
                         testing::Values(HitCase{{192, 22}, ScrollPart::LineUp}, HitCase{{207, 37}, ScrollPart::LineUp},
                                         HitCase{{200, 38}, ScrollPart::PageUp},
                                         HitCase{{200, 63}, ScrollPart::PageUp}, HitCase{{200, 64}, ScrollPart::Thumb},
                                         HitCase{{200, 115}, ScrollPart::Thumb},
                                         HitCase{{200, 116}, ScrollPart::PageDown},
                                         HitCase{{200, 142}, ScrollPart::LineDown},
                                         HitCase{{200, 157}, ScrollPart::LineDown},
                                         HitCase{{200, 158}, ScrollPart::None}, HitCase{{191, 80}, ScrollPart::None},
                                         HitCase{{208, 80}, ScrollPart::None}));

TEST(ControlGeometryTest, TrackWithoutThumbIsNotAPagingArea) {
  const ScrollBarLayout layout = ComputeScrollBar(ListBox({true, true, 0, 5, 10}));
  EXPECT_EQ(HitTestScrollBar(layout, POINT{200, 80}), ScrollPart::None);
  EXPECT_EQ(HitTestScrollBar(layout, POINT{200, 30}), ScrollPart::LineUp);
}

TEST(ControlGeometryTest, DraggingTheThumbGivesBackEveryPosition) {
  for (int maximum : {11, 30, 57, 1000}) {
    const ScrollBarView base{true, true, 0, maximum, 10};
    for (int position = 0; position <= maximum - 10; ++position) {
      ScrollBarView view = base;
      view.position = position;
      const ScrollBarLayout layout = ComputeScrollBar(ListBox(view));
      const int thumbTop = layout.thumb.top;
      const int back = ScrollPositionForThumb(layout, view, thumbTop);
      // Where several positions share a pixel, the thumb still lands there.
      view.position = back;
      EXPECT_EQ(ComputeScrollBar(ListBox(view)).thumb.top, thumbTop) << maximum << " " << position;
      if (maximum <= 104) {
        EXPECT_EQ(back, position) << maximum;
      }
    }
    const ScrollBarLayout layout = ComputeScrollBar(ListBox(base));
    EXPECT_EQ(ScrollPositionForThumb(layout, base, -500), 0);
    EXPECT_EQ(ScrollPositionForThumb(layout, base, 5000), maximum - 10);
  }
}

TEST(ControlGeometryTest, ShortListsShareTheHeightBetweenTheArrows) {
  ItemView list = ListBox({true, true, 0, 20, 1});
  list.rect = RECT{0, 0, 100, 24};
  const ScrollBarLayout layout = ComputeScrollBar(list);
  EXPECT_EQ(layout.upArrow, (RECT{82, 2, 98, 12}));
  EXPECT_EQ(layout.downArrow, (RECT{82, 12, 98, 22}));
  EXPECT_FALSE(layout.hasThumb);
}

TEST(ControlGeometryTest, EditTextStartsInsideTheEdgeAndScrolls) {
  ItemView edit;
  edit.kind = ItemKind::Edit;
  edit.rect = RECT{10, 10, 110, 10 + 4 + test::DialogFont().Height() + 6};
  edit.clientEdge = true;
  EXPECT_EQ(EditTextOrigin(edit, test::DialogFont()).x, 10 + 2 + kEditTextIndent);
  EXPECT_EQ(EditTextOrigin(edit, test::DialogFont()).y, 10 + 2 + 3);
  edit.scrollX = 30;
  EXPECT_EQ(EditTextOrigin(edit, test::DialogFont()).x, 10 + 2 + kEditTextIndent - 30);
}

TEST(ControlGeometryTest, MenuLineWidthMakesRoomForTheAcceleratorText) {
  const Font& font = test::DialogFont();
  const int label = font.MeasureLine("閉じる(C)", false).cx;
  EXPECT_EQ(MenuLineWidth(font, "閉じる(&C)"), kMenuTextIndent + label + kMenuRightMargin);
  EXPECT_EQ(MenuLineWidth(font, "閉じる(&C)\tAlt+F4"),
            kMenuTextIndent + label + kMenuAccelGap + font.MeasureLine("Alt+F4", false).cx + kMenuRightMargin);
  EXPECT_GT(MenuLineHeight(font, false), font.Height());
  EXPECT_LT(MenuLineHeight(font, true), MenuLineHeight(font, false));
}

}  // namespace
}  // namespace render
