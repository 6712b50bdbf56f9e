#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/render/ControlGeometry.h"
#include "platform/render/Renderer.h"
#include "tests/render/SceneImage.h"

namespace render {
namespace {

using test::SceneImage;

constexpr DWORD kFace = 0xC0C0C0;
constexpr DWORD kWhite = 0xFFFFFF;
constexpr DWORD kLight = 0xDFDFDF;
constexpr DWORD kGrey = 0x808080;
constexpr DWORD kBlack = 0x000000;
constexpr DWORD kNavy = 0x000080;
constexpr DWORD kTrack = 0xE0E0E0;

SceneView SceneWith(const ItemView& item, int width = 200, int height = 150) {
  SceneView scene;
  scene.width = width;
  scene.height = height;
  scene.items.push_back(item);
  return scene;
}

ItemView Button(bool pressed, bool defaultButton) {
  ItemView button;
  button.kind = ItemKind::PushButton;
  button.rect = RECT{20, 20, 120, 44};
  button.text = "再生(&P)";
  button.pressed = pressed;
  button.defaultButton = defaultButton;
  return button;
}

// Colours of the first three columns from the left edge and from the right
// edge, on the button's middle row.
struct BevelCase {
  const char* name;
  bool pressed;
  bool defaultButton;
  DWORD left[3];
  DWORD right[3];
};

class ButtonBevelTest : public testing::TestWithParam<BevelCase> {};

TEST_P(ButtonBevelTest, EdgesHaveTheClassicColours) {
  const BevelCase& c = GetParam();
  const ItemView button = Button(c.pressed, c.defaultButton);
  const SceneImage image(SceneWith(button));
  const int y = 32;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(image.Pixel(button.rect.left + i, y), c.left[i]) << "left column " << i;
    EXPECT_EQ(image.Pixel(button.rect.right - 1 - i, y), c.right[i]) << "right column " << i;
  }
  // The same colours run along the top edge.
  EXPECT_EQ(image.Pixel(40, button.rect.top), c.left[0]);
  EXPECT_EQ(image.Pixel(40, button.rect.top + 1), c.left[1]);
  EXPECT_EQ(image.Pixel(40, button.rect.bottom - 1), c.right[0]);
  // Just outside the button is the dialog face.
  EXPECT_EQ(image.Pixel(button.rect.left - 1, y), kFace);
  EXPECT_EQ(image.Pixel(button.rect.right, y), kFace);
}

INSTANTIATE_TEST_SUITE_P(
    States, ButtonBevelTest,
    testing::Values(BevelCase{"Raised", false, false, {kWhite, kLight, kFace}, {kBlack, kGrey, kFace}},
                    BevelCase{"Pressed", true, false, {kBlack, kGrey, kFace}, {kBlack, kGrey, kFace}},
                    BevelCase{"Default", false, true, {kBlack, kWhite, kLight}, {kBlack, kBlack, kGrey}},
                    BevelCase{"DefaultPressed", true, true, {kBlack, kGrey, kFace}, {kBlack, kGrey, kFace}}),
    [](const testing::TestParamInfo<BevelCase>& info) { return info.param.name; });

// The bounding box of pixels of colour `rgb` inside `area`.
RECT Bounds(const SceneImage& image, const RECT& area, DWORD rgb) {
  RECT box{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (image.Pixel(x, y) == rgb) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

TEST(RendererTest, ButtonTextIsCentredAndMovesWhenPressed) {
  const RECT face{23, 23, 117, 41};
  const SceneImage raised(SceneWith(Button(false, false)));
  const RECT text = Bounds(raised, face, kBlack);
  ASSERT_LT(text.left, text.right);
  EXPECT_NEAR((text.left + text.right) / 2.0, 70, 2);
  EXPECT_NEAR((text.top + text.bottom) / 2.0, 32, 3);

  const SceneImage pressed(SceneWith(Button(true, false)));
  const RECT moved = Bounds(pressed, face, kBlack);
  EXPECT_EQ(moved.left, text.left + 1);
  EXPECT_EQ(moved.top, text.top + 1);
}

TEST(RendererTest, DisabledButtonTextIsEmbossed) {
  ItemView button = Button(false, false);
  button.enabled = false;
  const SceneImage image(SceneWith(button));
  const RECT face{23, 23, 117, 41};
  EXPECT_EQ(image.Count(face, kBlack), 0);
  const RECT grey = Bounds(image, face, kGrey);
  const RECT white = Bounds(image, face, kWhite);
  ASSERT_LT(grey.left, grey.right);
  EXPECT_EQ(white.left, grey.left + 1);
  EXPECT_EQ(white.bottom, grey.bottom + 1);
}

TEST(RendererTest, FocusRectangleOnlyWithFocusAndCues) {
  // The focus rectangle inverts the face along the line 4 pixels inside.
  const DWORD inverted = 0x3F3F3F;
  const RECT line{30, 24, 110, 25};
  struct {
    bool focused;
    bool cues;
    int expected;
  } const cases[] = {{true, true, 40}, {true, false, 0}, {false, true, 0}};
  for (const auto& c : cases) {
    ItemView button = Button(false, false);
    button.text = "";
    button.focused = c.focused;
    button.showFocusCues = c.cues;
    const SceneImage image(SceneWith(button));
    EXPECT_EQ(image.Count(line, inverted), c.expected) << c.focused << c.cues;
  }
}

struct StaticEdgeCase {
  const char* name;
  bool border;
  bool sunken;
  DWORD left[2];
  DWORD right[2];
};

class StaticEdgeTest : public testing::TestWithParam<StaticEdgeCase> {};

TEST_P(StaticEdgeTest, BorderIsOutsideTheSunkenEdge) {
  const StaticEdgeCase& c = GetParam();
  ItemView label;
  label.kind = ItemKind::Static;
  label.rect = RECT{10, 10, 110, 40};
  label.border = c.border;
  label.sunken = c.sunken;
  SceneView scene = SceneWith(label);
  scene.eraseBackground = false;  // the frame must not come from the background
  const SceneImage image(scene);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(image.Pixel(10 + i, 25), c.left[i]) << i;
    EXPECT_EQ(image.Pixel(109 - i, 25), c.right[i]) << i;
    EXPECT_EQ(image.Pixel(60, 10 + i), c.left[i]) << i;
    EXPECT_EQ(image.Pixel(60, 39 - i), c.right[i]) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, StaticEdgeTest,
    testing::Values(StaticEdgeCase{"Plain", false, false, {kFace, kFace}, {kFace, kFace}},
                    StaticEdgeCase{"Border", true, false, {kBlack, kFace}, {kBlack, kFace}},
                    StaticEdgeCase{"Sunken", false, true, {kGrey, kFace}, {kWhite, kFace}},
                    StaticEdgeCase{"Both", true, true, {kBlack, kGrey}, {kBlack, kWhite}}),
    [](const testing::TestParamInfo<StaticEdgeCase>& info) { return info.param.name; });

TEST(RendererTest, StaticTextFollowsItsAlignment) {
  struct {
    int align;
    int expectedCentre;
  } const cases[] = {{0, -1}, {1, 100}, {2, 1}};
  int leftEdge = 0;
  for (const auto& c : cases) {
    ItemView label;
    label.kind = ItemKind::Static;
    label.rect = RECT{20, 10, 180, 30};
    label.text = "停止";
    label.align = c.align;
    const SceneImage image(SceneWith(label));
    const RECT text = Bounds(image, label.rect, kBlack);
    ASSERT_LT(text.left, text.right) << c.align;
    if (c.align == 0) {
      EXPECT_LE(text.left, 22);
      leftEdge = text.left;
    } else if (c.align == 1) {
      EXPECT_NEAR((text.left + text.right) / 2.0, c.expectedCentre, 2);
    } else {
      EXPECT_GE(text.right, 178);
      EXPECT_GT(text.left, leftEdge + 100);
    }
  }
}

TEST(RendererTest, StaticTextWrapsAndIsClippedToItsRectangle) {
  const int line = test::DialogFont().Height();
  // A white list box under a one-line static whose text needs three lines.
  ItemView field;
  field.kind = ItemKind::ListBox;
  field.rect = RECT{0, 0, 200, 150};
  ItemView label;
  label.kind = ItemKind::Static;
  label.rect = RECT{10, 10, 90, 10 + line};
  label.text = "演奏中の曲を連続して繰り返し再生します";
  SceneView scene = SceneWith(field);
  scene.items.push_back(label);
  const SceneImage clipped(scene);
  EXPECT_GT(clipped.Count(label.rect, kBlack), 0);
  EXPECT_EQ(clipped.Count(RECT{0, label.rect.bottom, 200, 150}, kWhite), 200 * (150 - label.rect.bottom));

  scene.items[1].rect.bottom = 10 + 3 * line;
  const SceneImage wrapped(scene);
  EXPECT_GT(wrapped.Count(RECT{10, 10 + 2 * line, 90, 10 + 3 * line}, kBlack), 0);
}

TEST(RendererTest, DisabledStaticTextIsGrey) {
  ItemView label;
  label.kind = ItemKind::Static;
  label.rect = RECT{10, 10, 110, 30};
  label.text = "追加";
  label.enabled = false;
  const SceneImage image(SceneWith(label));
  EXPECT_EQ(image.Count(label.rect, kBlack), 0);
  EXPECT_GT(image.Count(label.rect, kGrey), 0);
}

ItemView List() {
  ItemView list;
  list.kind = ItemKind::ListBox;
  list.rect = RECT{10, 10, 190, 140};
  list.clientEdge = true;
  list.itemHeight = 16;
  for (int i = 0; i < 20; ++i) list.lines.push_back("曲" + std::to_string(i) + ".mid");
  return list;
}

TEST(RendererTest, ListBoxClientEdgeAndFrame) {
  const SceneImage sunken(SceneWith(List()));
  EXPECT_EQ(sunken.Pixel(10, 100), kGrey);
  EXPECT_EQ(sunken.Pixel(11, 100), kBlack);
  EXPECT_EQ(sunken.Pixel(189, 100), kWhite);
  EXPECT_EQ(sunken.Pixel(188, 100), kLight);
  EXPECT_EQ(sunken.Pixel(100, 10), kGrey);
  EXPECT_EQ(sunken.Pixel(100, 139), kWhite);

  ItemView framed = List();
  framed.clientEdge = false;
  framed.border = true;
  const SceneImage bordered(SceneWith(framed));
  EXPECT_EQ(bordered.Pixel(10, 100), kBlack);
  EXPECT_EQ(bordered.Pixel(189, 100), kBlack);
  EXPECT_EQ(bordered.Pixel(185, 139 - 1), kWhite);
}

struct SelectionCase {
  int topIndex;
  int selected;
  bool enabled;
  int navyRow;  // visible row that is highlighted, -1 for none
};

void PrintTo(const SelectionCase& c, std::ostream* os) {
  *os << "top " << c.topIndex << " selected " << c.selected << (c.enabled ? "" : " disabled");
}

class ListSelectionTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(ListSelectionTest, SelectedLineIsNavyWithWhiteText) {
  const SelectionCase& c = GetParam();
  ItemView list = List();
  list.topIndex = c.topIndex;
  list.selected = c.selected;
  list.enabled = c.enabled;
  const SceneImage image(SceneWith(list));
  for (int row = 0; row < 8; ++row) {
    const RECT band{12, 12 + row * 16, 188, 12 + row * 16 + 16};
    const int navy = image.Count(band, kNavy);
    if (row == c.navyRow) {
      EXPECT_GT(navy, 176 * 16 / 2) << "row " << row;
      EXPECT_GT(image.Count(band, kWhite), 0) << "row " << row;
      EXPECT_EQ(image.Pixel(12, band.top), kNavy);
    } else {
      EXPECT_EQ(navy, 0) << "row " << row;
      EXPECT_EQ(image.Pixel(12, band.top), kWhite);
    }
    // Disabled lines are grey; enabled unselected ones black.
    if (row != c.navyRow) {
      EXPECT_EQ(image.Count(band, kBlack) > 0, c.enabled) << "row " << row;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ListSelectionTest,
                         testing::Values(SelectionCase{0, 2, true, 2}, SelectionCase{5, 7, true, 2},
                                         SelectionCase{5, 3, true, -1}, SelectionCase{0, -1, true, -1},
                                         SelectionCase{0, 2, false, -1}));

TEST(RendererTest, ListFocusRectangleMarksTheCaretLine) {
  ItemView list = List();
  list.lines = {"", "", ""};
  list.focused = true;
  list.caretIndex = 1;
  const SceneImage image(SceneWith(list));
  // Inverted white is black: dots on the top line of row 1 only.
  EXPECT_EQ(image.Count(RECT{12, 28, 188, 29}, kBlack), 88);
  EXPECT_EQ(image.Count(RECT{12, 12, 188, 13}, kBlack), 0);

  list.lines.clear();
  const SceneImage empty(SceneWith(list));
  EXPECT_EQ(empty.Count(RECT{12, 12, 188, 13}, kBlack), 88);
}

TEST(RendererTest, ScrollBarThumbFollowsThePosition) {
  int previousTop = -1;
  for (int position : {0, 4, 8, 12}) {
    ItemView list = List();
    list.vscroll = ScrollBarView{true, true, position, 20, 8};
    const ScrollBarLayout layout = ComputeScrollBar(list);
    ASSERT_TRUE(layout.hasThumb);
    EXPECT_GT(layout.thumb.top, previousTop);
    previousTop = layout.thumb.top;

    const SceneImage image(SceneWith(list));
    const int x = (layout.bar.left + layout.bar.right) / 2;
    EXPECT_EQ(image.Pixel(x, layout.thumb.top), kWhite) << position;  // the thumb's lit top edge
    EXPECT_EQ(image.Pixel(x, layout.thumb.top + 4), kFace) << position;
    EXPECT_EQ(image.Pixel(x, layout.thumb.bottom - 1), kBlack) << position;
    if (layout.thumb.top > layout.track.top) {
      EXPECT_EQ(image.Pixel(x, layout.thumb.top - 1), kTrack);
    }
    if (layout.thumb.bottom < layout.track.bottom) {
      EXPECT_EQ(image.Pixel(x, layout.thumb.bottom), kTrack);
    }
  }
}

TEST(RendererTest, PressedScrollPartsLookPressed) {
  struct {
    ScrollPart pressed;
    DWORD upEdge;
    DWORD downEdge;
    bool pageUpDark;
    bool pageDownDark;
  } const cases[] = {
      {ScrollPart::None, kWhite, kWhite, false, false},
      {ScrollPart::LineUp, kGrey, kWhite, false, false},
      {ScrollPart::LineDown, kWhite, kGrey, false, false},
      {ScrollPart::PageUp, kWhite, kWhite, true, false},
      {ScrollPart::PageDown, kWhite, kWhite, false, true},
  };
  for (const auto& c : cases) {
    ItemView list = List();
    list.vscroll = ScrollBarView{true, true, 6, 20, 8, c.pressed};
    const ScrollBarLayout layout = ComputeScrollBar(list);
    const SceneImage image(SceneWith(list));
    const int x = layout.bar.left + 8;
    EXPECT_EQ(image.Pixel(layout.bar.left, layout.upArrow.top + 8), c.upEdge);
    EXPECT_EQ(image.Pixel(layout.bar.left, layout.downArrow.top + 8), c.downEdge);
    EXPECT_EQ(image.Pixel(x, layout.track.top) == kBlack, c.pageUpDark);
    EXPECT_EQ(image.Pixel(x, layout.track.bottom - 1) == kBlack, c.pageDownDark);
    // The arrows' triangles are black.
    EXPECT_GT(image.Count(layout.upArrow, kBlack), 8);
  }
}

ItemView Edit() {
  ItemView edit;
  edit.kind = ItemKind::Edit;
  edit.rect = RECT{10, 10, 190, 33};
  edit.clientEdge = true;
  edit.text = "song.mid";
  edit.caret = 4;
  return edit;
}

TEST(RendererTest, EditShowsCaretAndSelectionOnlyWhenFocused) {
  const Font& font = test::DialogFont();
  for (bool focused : {false, true}) {
    ItemView edit = Edit();
    edit.focused = focused;
    edit.selStart = 0;
    edit.selEnd = 4;
    const POINT origin = EditTextOrigin(edit, font);
    const SceneImage image(SceneWith(edit));
    const int caretX = origin.x + font.XAtOffset(edit.text, 4);
    const RECT caretColumn{caretX, origin.y, caretX + 1, origin.y + font.Height()};
    EXPECT_EQ(image.Count(caretColumn, kBlack) == font.Height(), focused);
    const RECT selection{origin.x, origin.y, caretX, origin.y + font.Height()};
    EXPECT_EQ(image.Count(selection, kNavy) > 0, focused);
    EXPECT_EQ(image.Pixel(11, 20), kBlack);  // the sunken edge
  }
}

TEST(RendererTest, EditScrollsItsTextLeftAndClipsIt) {
  const Font& font = test::DialogFont();
  ItemView edit = Edit();
  edit.text = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
  const SceneImage plain(SceneWith(edit));
  const int shift = font.XAtOffset(edit.text, 3);
  edit.scrollX = shift;
  const SceneImage scrolled(SceneWith(edit));
  const RECT inner{12, 12, 188, 31};
  // Scrolling by whole letters leaves the same picture inside the field.
  for (int y = inner.top; y < inner.bottom; ++y)
    for (int x = inner.left + 3; x < inner.right - shift - 2; ++x)
      ASSERT_EQ(scrolled.Pixel(x, y), plain.Pixel(x + shift, y)) << x << "," << y;
  // Nothing spills over the edge or outside the control.
  EXPECT_EQ(scrolled.Pixel(189, 20), kWhite);
  EXPECT_EQ(scrolled.Count(RECT{190, 0, 200, 150}, kFace), 10 * 150);
}

TEST(RendererTest, EditPreeditIsInsertedAtTheCaretAndUnderlined) {
  const Font& font = test::DialogFont();
  ItemView edit = Edit();
  edit.focused = true;
  edit.preedit = "へんかん";
  const SceneImage composing(SceneWith(edit));
  const POINT origin = EditTextOrigin(edit, font);
  const std::string shown = "songへんかん.mid";
  const int start = origin.x + font.XAtOffset(shown, 4);
  const int end = origin.x + font.XAtOffset(shown, 4 + 12);
  // An underline runs under the pre-edit text and not under the rest.
  int underlineRow = -1;
  for (int y = origin.y + font.Ascent(); y < origin.y + font.Height() && underlineRow < 0; ++y)
    if (composing.Count(RECT{start + 1, y, end - 1, y + 1}, kBlack) == end - start - 2) underlineRow = y;
  ASSERT_GE(underlineRow, 0);
  EXPECT_LT(composing.Count(RECT{origin.x, underlineRow, start - 1, underlineRow + 1}, kBlack), start - origin.x - 1);
  // The caret stands after the pre-edit text.
  EXPECT_EQ(composing.Count(RECT{end, origin.y, end + 1, origin.y + font.Height()}, kBlack), font.Height());
}

SceneView Menu() {
  SceneView scene;
  scene.width = 160;
  scene.height = 3 + 20 + 9 + 20 + 20 + 3;
  scene.background = SceneView::Background::Menu;
  const char* texts[] = {"移動(&M)", "", "閉じる(&C)\tAlt+F4", "最大化(&X)"};
  int y = 3;
  for (const char* text : texts) {
    MenuLineView line;
    line.text = text;
    line.separator = *text == 0;
    const int height = line.separator ? 9 : 20;
    line.rect = RECT{3, y, 157, y + height};
    y += height;
    scene.menu.push_back(line);
  }
  return scene;
}

TEST(RendererTest, MenuLinesHighlightSeparateAndGreyOut) {
  SceneView scene = Menu();
  scene.menu[0].highlighted = true;
  scene.menu[3].enabled = false;
  const SceneImage image(scene);
  // The raised frame around the menu.
  EXPECT_EQ(image.Pixel(0, 30), kWhite);
  EXPECT_EQ(image.Pixel(159, 30), kBlack);
  // The highlighted line: navy with white text.
  EXPECT_EQ(image.Pixel(4, 4), kNavy);
  EXPECT_GT(image.Count(RECT{3, 3, 157, 23}, kWhite), 10);
  // The separator: a grey line over a white one in its middle.
  EXPECT_EQ(image.Pixel(80, 23 + 3), kGrey);
  EXPECT_EQ(image.Pixel(80, 23 + 4), kWhite);
  EXPECT_EQ(image.Count(RECT{4, 24, 156, 26}, kFace), 2 * 152);
  // The accelerator text sits at the right.
  const RECT closeLine{3, 32, 157, 52};
  const RECT accel = Bounds(image, closeLine, kBlack);
  EXPECT_GE(accel.right, 157 - kMenuRightMargin - 2);
  EXPECT_LE(accel.left, 3 + kMenuTextIndent + 2);
  // The disabled line is embossed: grey and white, no black.
  const RECT disabled{3, 52, 157, 72};
  EXPECT_EQ(image.Count(disabled, kBlack), 0);
  EXPECT_GT(image.Count(disabled, kGrey), 10);
  EXPECT_GT(image.Count(disabled, kWhite), 10);
}

class PngTest : public testing::TestWithParam<double> {};

TEST_P(PngTest, WritesAnImageOfTheScaledSize) {
  const double scale = GetParam();
  const std::string path = testing::TempDir() + "scene_" + std::to_string(getpid()) + "_" +
                           std::to_string(static_cast<int>(scale)) + ".png";
  SceneView scene = SceneWith(Button(false, true), 150, 60);
  ASSERT_TRUE(WriteScenePng(scene, test::DialogFont(), path, scale));
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), static_cast<int>(150 * scale));
  EXPECT_EQ(cairo_image_surface_get_height(png), static_cast<int>(60 * scale));
  // The default button's dark frame covers whole device pixels at any scale.
  const unsigned char* data = cairo_image_surface_get_data(png);
  const int stride = cairo_image_surface_get_stride(png);
  auto pixel = [&](double x, double y) {
    return reinterpret_cast<const std::uint32_t*>(data + static_cast<int>(y * scale) * stride)[static_cast<int>(x * scale)] &
           0xFFFFFF;
  };
  EXPECT_EQ(pixel(20, 32), kBlack);
  EXPECT_EQ(pixel(20.5, 32), kBlack);
  EXPECT_EQ(pixel(21, 32), kWhite);
  EXPECT_EQ(pixel(19, 32), kFace);
  cairo_surface_destroy(png);
  std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Scales, PngTest, testing::Values(1.0, 2.0));

TEST(RendererTest, WriteScenePngReportsFailure) {
  SceneView empty;
  EXPECT_FALSE(WriteScenePng(empty, test::DialogFont(), testing::TempDir() + "empty.png", 1.0));
  SceneView scene = SceneWith(Button(false, false));
  EXPECT_FALSE(WriteScenePng(scene, test::DialogFont(), "/nonexistent-dir/x/scene.png", 1.0));
  EXPECT_FALSE(WriteScenePng(scene, test::DialogFont(), testing::TempDir() + "zero.png", 0.0));
}

}  // namespace
}  // namespace render
