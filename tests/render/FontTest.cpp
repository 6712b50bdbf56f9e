#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/render/Font.h"
#include "tests/render/SceneImage.h"

namespace render {
namespace {

using test::DialogFont;

const FontRequest kDialogFont{"ＭＳ Ｐゴシック", 9};

TEST(FontTest, ResolvesAJapaneseProportionalGothic) {
  const std::string family = DialogFont().FamilyName();
  EXPECT_TRUE(family == "IPAPGothic" || family == "Noto Sans CJK JP") << family;
  EXPECT_EQ(DialogFont().Dpi(), 96.0);
}

TEST(FontTest, BaseUnitsAreTheClassicAverageOfTheLetters) {
  const Font& font = DialogFont();
  EXPECT_GE(font.BaseUnitX(), 5);
  EXPECT_LE(font.BaseUnitX(), 8);
  EXPECT_GE(font.BaseUnitY(), 10);
  EXPECT_LE(font.BaseUnitY(), 16);
  EXPECT_EQ(font.BaseUnitY(), font.Height());
  EXPECT_GT(font.Ascent(), 0);
  EXPECT_LT(font.Ascent(), font.Height());

  const int letters = font.MeasureLine("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", false).cx;
  EXPECT_EQ(font.BaseUnitX(), (letters / 26 + 1) / 2);
}

TEST(FontTest, MeasurementsScaleWithResolution) {
  const Font& small = DialogFont();
  const auto large = Font::Open(kDialogFont, 192.0);
  EXPECT_EQ(large->Dpi(), 192.0);
  EXPECT_EQ(large->FamilyName(), small.FamilyName());
  EXPECT_NEAR(large->BaseUnitY(), 2 * small.BaseUnitY(), 2);
  EXPECT_NEAR(large->BaseUnitX(), 2 * small.BaseUnitX(), 2);
  const int wide = large->MeasureLine("再生リスト", false).cx;
  EXPECT_NEAR(wide, 2 * small.MeasureLine("再生リスト", false).cx, 4);
}

TEST(FontTest, UnusableResolutionFallsBackToTheClassicScreen) {
  for (double dpi : {0.0, -10.0}) {
    const auto font = Font::Open(kDialogFont, dpi);
    EXPECT_EQ(font->Dpi(), 96.0);
    EXPECT_EQ(font->Height(), DialogFont().Height());
  }
}

struct PrefixCase {
  const char* withPrefix;
  const char* plain;  // the text that must measure the same without processing
};

void PrintTo(const PrefixCase& c, std::ostream* os) { *os << '"' << c.withPrefix << '"'; }

class PrefixMeasureTest : public testing::TestWithParam<PrefixCase> {};

TEST_P(PrefixMeasureTest, MeasuresWhatIsShown) {
  const Font& font = DialogFont();
  const SIZE processed = font.MeasureLine(GetParam().withPrefix, true);
  EXPECT_EQ(processed.cx, font.MeasureLine(GetParam().plain, false).cx);
  EXPECT_EQ(processed.cy, font.Height());
}

INSTANTIATE_TEST_SUITE_P(Cases, PrefixMeasureTest,
                         testing::Values(PrefixCase{"A&&B", "A&B"}, PrefixCase{"&Play", "Play"},
                                         PrefixCase{"再生(&P)", "再生(P)"}, PrefixCase{"Stop&", "Stop"},
                                         PrefixCase{"&&", "&"}));

TEST(FontTest, AmpersandIsMeasuredWhenPrefixIsOff) {
  const Font& font = DialogFont();
  EXPECT_GT(font.MeasureLine("&x", false).cx, font.MeasureLine("&x", true).cx);
  EXPECT_EQ(font.MeasureLine("", false).cx, 0);
}

TEST(FontTest, WrapsAtWordsAndBetweenJapaneseCharacters) {
  const Font& font = DialogFont();
  const int line = font.Height();
  const int wordWidth = font.MeasureLine("Play", false).cx;
  EXPECT_EQ(font.MeasureWrappedHeight("Play Stop", 1000, false), line);
  EXPECT_EQ(font.MeasureWrappedHeight("Play Stop", wordWidth + 2, false), 2 * line);
  // No spaces: the Japanese text still breaks, every line a full font height.
  const char* japanese = "演奏中の曲を連続して繰り返し再生します";
  const int full = font.MeasureLine(japanese, false).cx;
  const int height = font.MeasureWrappedHeight(japanese, full / 3 + 1, false);
  EXPECT_GE(height, 3 * line);
  EXPECT_EQ(height % line, 0);
  EXPECT_EQ(font.MeasureWrappedHeight("a\nb\nc", 1000, false), 3 * line);
}

// Text with bytes that are not UTF-8: measuring and hit-testing work on the
// replacement characters, and offsets still name the original bytes.
class InvalidUtf8Test : public testing::TestWithParam<std::string> {};

TEST_P(InvalidUtf8Test, MeasuresAndRoundTripsOffsets) {
  const Font& font = DialogFont();
  const std::string& text = GetParam();
  const int size = static_cast<int>(text.size());
  EXPECT_GT(font.MeasureLine(text, false).cx, 0);
  EXPECT_GT(font.MeasureLine(text, true).cx, 0);
  EXPECT_GE(font.MeasureWrappedHeight(text, 5, true), font.Height());

  // Every byte of these strings is a boundary of its own: ASCII or a byte
  // shown as U+FFFD. Each has its own x, and x leads back to it.
  int previousX = -1;
  for (int offset = 0; offset <= size; ++offset) {
    const int x = font.XAtOffset(text, offset);
    EXPECT_GT(x, previousX) << "offset " << offset;
    EXPECT_EQ(font.OffsetAtX(text, x), offset) << "offset " << offset;
    previousX = x;
  }
  EXPECT_EQ(font.OffsetAtX(text, -50), 0);
  EXPECT_EQ(font.OffsetAtX(text, 100000), size);
}

INSTANTIATE_TEST_SUITE_P(Bytes, InvalidUtf8Test,
                         testing::Values(std::string("ab\xFF\xFE" "cd"), std::string("\xC3"),
                                         std::string("x\xE3\x81"), std::string("\xED\xA0\x80z"),
                                         std::string("a\0b&", 4)));

TEST(FontTest, HitTestingPicksTheNearestBoundary) {
  const Font& font = DialogFont();
  const std::string text = "Wあi";  // bytes 0, 1..3, 4
  const int afterW = font.XAtOffset(text, 1);
  const int afterA = font.XAtOffset(text, 4);
  EXPECT_EQ(font.XAtOffset(text, 0), 0);
  EXPECT_EQ(font.XAtOffset(text, 2), afterW);  // inside "あ": its start
  EXPECT_EQ(font.XAtOffset(text, 5), font.MeasureLine(text, false).cx);
  EXPECT_EQ(font.OffsetAtX(text, afterW / 2 - 1), 0);
  EXPECT_EQ(font.OffsetAtX(text, afterW / 2 + 1), 1);
  EXPECT_EQ(font.OffsetAtX(text, afterW + (afterA - afterW) / 2 - 1), 1);
  EXPECT_EQ(font.OffsetAtX(text, afterW + (afterA - afterW) / 2 + 1), 4);
}

}  // namespace
}  // namespace render
